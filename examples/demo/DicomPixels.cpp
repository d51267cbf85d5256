#include "DicomPixels.h"

#include <dcmtk/dcmdata/dcdeftag.h>
#include <dcmtk/dcmdata/dcpixel.h>
#include <dcmtk/dcmdata/dcpixseq.h>
#include <dcmtk/dcmdata/dcpxitem.h>
#include <dcmtk/dcmdata/dcxfer.h>

#include <cstring>
#include <stdexcept>

namespace Demo {
namespace {

// The stored value of one pixel sample, sign-extended when signed.
long Raw(unsigned sample, const PixelFormat& f) {
  const unsigned v = (sample >> (f.highBit + 1 - f.stored)) & ((1u << f.stored) - 1u);
  if (f.isSigned && (v & (1u << (f.stored - 1)))) return long(v) - (1L << f.stored);
  return long(v);
}

// Compressed fragments stay in memory once decoded; these can be read from
// the file again, so a multi-frame file never holds them all.
void ReleaseFragments(DcmPixelData& pixels, E_TransferSyntax syntax, Uint32 first, Uint32 end) {
  DcmPixelSequence* fragments = nullptr;
  if (pixels.getEncapsulatedRepresentation(syntax, nullptr, fragments).bad() || !fragments) return;
  for (Uint32 i = first; i < end; ++i) {
    DcmPixelItem* fragment = nullptr;
    if (fragments->getItem(fragment, i).good() && fragment) fragment->compact();
  }
}

}  // namespace

long LowestStored(const PixelFormat& f) { return f.isSigned ? -(1L << (f.stored - 1)) : 0; }

long HighestStored(const PixelFormat& f) { return f.isSigned ? (1L << (f.stored - 1)) - 1 : (1L << f.stored) - 1; }

void CopyFrame(DcmDataset& d, const DicomFrame& f, unsigned short* target, Uint32& startFragment,
               std::vector<Uint8>& buffer, DcmFileCache& cache) {
  DcmElement* element = nullptr;
  d.findAndGetElement(DCM_PixelData, element);
  auto* pixels = dynamic_cast<DcmPixelData*>(element);
  if (!pixels) throw std::runtime_error(f.file + ": not an image (no pixel data)");
  const std::size_t count = std::size_t(f.rows) * std::size_t(f.columns);
  const std::size_t bytes = count * std::size_t(f.format.allocated / 8);
  buffer.resize(bytes + (bytes & 1));
  OFString colourModel;
  const Uint32 firstFragment = startFragment;
  const OFCondition status = pixels->getUncompressedFrame(&d, Uint32(f.frame), startFragment, buffer.data(), Uint32(buffer.size()), colourModel, &cache);
  if (status.bad())
    throw std::runtime_error(f.file + ": cannot read the pixels of frame " + std::to_string(f.frame + 1) + " (" +
                             status.text() + ")");
  if (DcmXfer(d.getOriginalXfer()).isEncapsulated())
    ReleaseFragments(*pixels, d.getOriginalXfer(), firstFragment, startFragment);
  const long lowest = LowestStored(f.format);
  if (f.format.allocated == 8) {
    for (std::size_t i = 0; i < count; ++i) target[i] = (unsigned short)(Raw(buffer[i], f.format) - lowest);
    return;
  }
  std::memcpy(target, buffer.data(), count * 2);
  for (std::size_t i = 0; i < count; ++i) target[i] = (unsigned short)(Raw(target[i], f.format) - lowest);
}

}  // namespace Demo
