// The Windows-1252 ("ANSI") character set: which Unicode character each 8-bit
// code stands for.
#pragma once

namespace Quorvel {

/// The Unicode code point of `code` in Windows-1252, or 0 when the code has
/// no character: the control codes 0x00…0x1F and 0x7F…0x9F except the
/// printable 0x80…0x9F assignments, and the five unassigned codes 0x81, 0x8D,
/// 0x8F, 0x90, 0x9D.
char32_t Windows1252ToUnicode(unsigned char code);

}  // namespace Quorvel
