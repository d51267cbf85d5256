#pragma once

#include <brantel/nimage/Image.h>

#include <cstdint>

namespace Brantel {
namespace NImage {

/// A two-dimensional image on a flat pixel array: rows follow each other with
/// no gap, so pixel (x, y) is element y × width + x.
///
/// Image2D<unsigned short> is a viewer's 16-bit grey image, which the viewer
/// owns and hands to Quorvel::Gl2DTextureMapper::SetBuffer; the mapper keeps
/// a pointer to it and only reads it. Image2D<std::uint32_t> is an RGBA texel
/// image whose bytes in memory are red, green, blue, alpha (directly usable as
/// GL_RGBA / GL_UNSIGNED_BYTE); the mapper owns one per texture tile.
/// Header-only; no GL state. Thread rule: as Image.
template <typename T>
class Image2D : public Image<T> {
public:
  /// Allocates width × height uninitialised pixels; ownsData as for Image.
  /// A zero width or height gives an empty array.
  /// @throws std::bad_alloc when the pixel count or its byte count does not
  /// fit in 32 bits, or when the allocation fails.
  Image2D(std::uint32_t width, std::uint32_t height, bool ownsData)
      : Image<T>(PixelCount(width, height), ownsData), width(width), height(height) {}

  /// Wraps width × height pixels the caller owns and keeps alive; the image
  /// never frees them.
  Image2D(T* callerData, std::uint32_t width, std::uint32_t height)
      : Image<T>(callerData, PixelCount(width, height)), width(width), height(height) {}

  /// Frees the array when the image owns it (see Image).
  ~Image2D() override = default;

  /// Pixels per row, which is also the row stride.
  std::uint32_t GetWidth() const { return width; }
  /// Number of rows.
  std::uint32_t GetHeight() const { return height; }

protected:
  std::uint32_t width;   ///< pixels per row, also the row stride
  std::uint32_t height;  ///< number of rows

private:
  static std::uint32_t PixelCount(std::uint32_t width, std::uint32_t height) {
    const std::uint64_t count = std::uint64_t{width} * height;
    if (count > UINT32_MAX) throw std::bad_alloc();
    return static_cast<std::uint32_t>(count);
  }
};

}  // namespace NImage
}  // namespace Brantel
