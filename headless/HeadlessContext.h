// A headless desktop-OpenGL context: Mesa's surfaceless EGL platform
// (llvmpipe when there is no GPU), a compatibility-profile context and an
// RGBA8 pbuffer as its default framebuffer. Used by the tests, the
// benchmarks and the demo; needs no display server.
#pragma once

#include <string>

namespace Headless {

class HeadlessContext {
public:
  /// Creates the context and makes it current on this thread. On failure
  /// Ok() is false and Error() says what was missing.
  HeadlessContext(int width, int height);
  ~HeadlessContext();
  HeadlessContext(const HeadlessContext&) = delete;
  HeadlessContext& operator=(const HeadlessContext&) = delete;

  bool Ok() const { return error.empty(); }
  const std::string& Error() const { return error; }
  int Width() const { return width; }
  int Height() const { return height; }

private:
  void* display = nullptr;
  void* surface = nullptr;
  void* context = nullptr;
  int width;
  int height;
  std::string error;
};

}  // namespace Headless
