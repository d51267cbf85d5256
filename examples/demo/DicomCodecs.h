// DCMTK's codecs: every decoder it ships (JPEG, JPEG-LS, RLE) for reading,
// and the lossless JPEG-LS and RLE encoders for writing test series.
#pragma once

namespace Demo {

/// Registers the codecs once per process and quietens DCMTK's own log (the
/// demo says what went wrong in one line instead). Safe to call again.
void RegisterDicomCodecs();

}  // namespace Demo
