// Test harness: every test that touches OpenGL derives its fixture from GlTest.
//
// GlTest gives each test a fresh compatibility-profile OpenGL context on a
// headless EGL display (Mesa's surfaceless platform, llvmpipe), with a
// pbuffer as its default framebuffer, made current on the test's thread. The
// context is destroyed after the test, so no state leaks from one test into
// the next.
//
// After each test, once the derived fixture's members are destroyed, the
// fixture audits the context: the attribute, client attribute, modelview and
// projection stacks are back at their starting depths, no GL error is pending, and no texture
// or display list is left alive. A test that provokes an error on purpose
// reads it with glGetError.
//
// Reading back what GL received (see the other headers of this folder):
//   Feedback.h    feedback-buffer capture and parser (vertices, colours,
//                 texture coordinates, bitmap and pass-through tokens);
//   GlRecorder.h  records chosen GL/GLU calls while forwarding each one to
//                 the real driver (exact sequences, "no call at all");
//   GlQueries.h   glGet state: enables, stack depths, matrices, colour, lines;
//                 pixel read-back.
#pragma once

#include "HeadlessContext.h"

#include <gtest/gtest.h>

#include <memory>

namespace QuorvelTest {

class GlTest : public ::testing::Test {
public:
  /// Sets a viewport, projection and identity modelview under which object
  /// coordinates within ±kWorldExtent map one to one onto window x and y;
  /// CaptureWorldFeedback (Feedback.h) undoes the depth mapping for z.
  static void UseWorldWindowMapping();

protected:
  /// Size of the pbuffer and of the initial viewport, in pixels.
  virtual int SurfaceWidth() const { return 64; }
  virtual int SurfaceHeight() const { return 64; }

  ~GlTest() override;
  void SetUp() override;

private:
  static constexpr unsigned kAuditedNames = 4096;
  void Audit();

  std::unique_ptr<Headless::HeadlessContext> context;
  int attribDepth = 0;
  int clientAttribDepth = 0;
  int modelviewDepth = 0;
  int projectionDepth = 0;
};

constexpr double kWorldExtent = 4096.0;

}  // namespace QuorvelTest
