// Fixture of every test that touches OpenGL: a fresh compatibility-profile
// context on a headless EGL display (llvmpipe), current on the test's thread,
// with a pbuffer as its framebuffer. After the test, once the derived
// fixture's members are gone, it audits the context: the attribute, client
// attribute, modelview and projection stacks are at their initial depths, no
// GL error is pending, and no texture or display list is alive.
// Reading back what GL received: Feedback.h, GlRecorder.h, GlQueries.h.
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
