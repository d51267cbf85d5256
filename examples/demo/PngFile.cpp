#include "PngFile.h"

#include <GL/gl.h>
#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace Demo {

Picture ReadFramebuffer(int width, int height) {
  Picture picture{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 3)};
  std::vector<std::uint8_t> bottomUp(picture.rgb.size());
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  const std::size_t row = std::size_t(width) * 3;
  for (int y = 0; y < height; ++y)
    std::memcpy(&picture.rgb[std::size_t(y) * row], &bottomUp[std::size_t(height - 1 - y) * row], row);
  return picture;
}

void WritePng(const std::string& path, const Picture& picture) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!file) throw std::runtime_error("cannot write " + path + ": " + std::strerror(errno));
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("cannot encode PNG " + path);
  }
  png_init_io(png, file.get());
  png_set_IHDR(png, info, png_uint_32(picture.width), png_uint_32(picture.height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 6);
  png_write_info(png, info);
  for (int y = 0; y < picture.height; ++y)
    png_write_row(png, &picture.rgb[std::size_t(y) * picture.width * 3]);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
}

}  // namespace Demo
