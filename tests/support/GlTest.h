// Fixture of every test that touches OpenGL: a fresh context on a headless EGL
// display, current on the test's thread, audited after the test for leftover
// stack entries, a pending error, textures and display lists.
#pragma once

#include "HeadlessContext.h"

#include <gtest/gtest.h>

#include <memory>

namespace QuorvelTest {

constexpr double kWorldExtent = 4096.0;

class GlTest : public ::testing::Test {
public:
  /// Viewport, projection and identity modelview under which object
  /// coordinates within ±kWorldExtent map one to one onto window x and y.
  static void UseWorldWindowMapping();

protected:
  /// Size of the pbuffer and of the initial viewport, in pixels.
  virtual int SurfaceWidth() const { return 64; }
  virtual int SurfaceHeight() const { return 64; }

  void SetUp() override;
  ~GlTest() override;
  void Audit() const;

private:
  std::unique_ptr<Headless::HeadlessContext> context;
};

}  // namespace QuorvelTest
