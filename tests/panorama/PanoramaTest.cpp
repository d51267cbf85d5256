#include <quorvel/GlPanoramaRegion3D.h>
#include <quorvel/GlPanoramaRegionAxial.h>

#include "GlRecorder.h"
#include "GlTest.h"
#include "TestSpline.h"

#include <gtest/gtest.h>

#include <string>

using QuorvelTest::GlRecorder;
using QuorvelTest::RecordTrace;

// The attribute save of every render operation, then what SetSmoothLines issues.
const std::string kPushSmoothOff = "glPushAttrib(COLOR_BUFFER|ENABLE|LIGHTING|LINE|POINT)\n"
                                   "glDisable(LIGHTING)\nglDisable(LINE_SMOOTH)\nglDisable(COLOR_MATERIAL)\n"
                                   "glDisable(BLEND)\nglDisable(ALPHA_TEST)\n";
const std::string kPushSmoothOn = "glPushAttrib(COLOR_BUFFER|ENABLE|LIGHTING|LINE|POINT)\nglDisable(LIGHTING)\n"
                                  "glDisable(LINE_STIPPLE)\nglEnable(LINE_SMOOTH)\nglEnable(COLOR_MATERIAL)\n"
                                  "glHint(LINE_SMOOTH_HINT, NICEST)\nglHint(POINT_SMOOTH_HINT, NICEST)\n"
                                  "glBlendFunc(SRC_ALPHA, ONE_MINUS_SRC_ALPHA)\nglEnable(BLEND)\n"
                                  "glAlphaFunc(GREATER, 0)\nglEnable(ALPHA_TEST)\n";

// Both views of a band 8 wide along a straight curve 128 long: nine samples (64 − 16k, 0, 0), k = 0 … 8, with
// the normal (0, 1, 0). A panorama position x lies at u = 0.5 − x / 128, over the point (x, 0, 0).
class Panorama : public QuorvelTest::GlTest {
protected:
  void SetUp() override {
    GlTest::SetUp();
    spline.controlPoints = {Vec3(64, 0, 0), Vec3(-64, 0, 0)};
    for (int k = 0; k <= 8; ++k) spline.samplePoints.emplace_back(64 - 16 * k, 0, 0);
    spline.sampleNormals.assign(9, Vec3(0, 1, 0));
    for (auto* region : std::initializer_list<Quorvel::GlPanoramaRegionBase*>{&view3D, &axial}) {
      region->SetSpline(&spline);
      region->SetWidth(8);
      region->SetBorderColor(Vec3(0.25, 0.5, 0.75));
      region->SetTSAColor(Vec3(0, 1, 0));
      region->SetLSAColor(Vec3(1, 0, 0));
      region->SetIWColor(Vec3(0, 0, 1));
    }
  }
  TestSpline spline;
  Quorvel::GlPanoramaRegion3D view3D;
  Quorvel::GlPanoramaRegionAxial axial;
};

// Two samples: every edge point lies half the width (4) along or against its sample's normal, flattened to z = 0.
TEST_F(Panorama, OutlinesAreBothEdgesThenBothCaps) {
  spline.samplePoints = {Vec3(10, 0, 5), Vec3(0, 0, 0)};
  spline.sampleNormals = {Vec3(0, 1, 0), Vec3(0.6, 0.8, 0)};
  const std::string outline = R"(glBegin(LINE_STRIP)
glColor3dv(0.25, 0.5, 0.75)
glVertex3dv(10, -4, 0)
glVertex3dv(-2.4, -3.2, 0)
glEnd()
glBegin(LINE_STRIP)
glColor3dv(0.25, 0.5, 0.75)
glVertex3dv(10, 4, 0)
glVertex3dv(2.4, 3.2, 0)
glEnd()
glColor3dv(0.25, 0.5, 0.75)
glBegin(LINES)
glVertex3dv(10, 4, 0)
glVertex3dv(10, -4, 0)
glEnd()
glBegin(LINES)
glVertex3dv(2.4, 3.2, 0)
glVertex3dv(-2.4, -3.2, 0)
glEnd()
glPopAttrib())";
  EXPECT_EQ(RecordTrace([&] { view3D.RenderRegion(); }), kPushSmoothOff + outline);
  EXPECT_EQ(RecordTrace([&] { axial.RenderRegion(); }), kPushSmoothOn + outline);
}

// One slice at u = 3/8 over (16, 0, 0), raised to z = 30 and spread by ±(5, 0, 10) along the height
// direction. The window spans 0.96 / 128 = 0.0075 in u around the panorama point (16, 2): two points 0.005
// apart in u, 0.64 in x, raised by 10 along z on the way out and lowered by 10 on the way back.
TEST_F(Panorama, View3DSliceIsAnUprightRectangleAndTheWindowAFrame) {
  view3D.SetTransversalSlices(1, 16);
  view3D.SetInspectionWindow(0.96, 20);
  EXPECT_EQ(RecordTrace([&] { view3D.RenderSlices(Vec3(16, 2, 30), Vec3(0.5, 0, 1)); }),
            kPushSmoothOff + R"(glDisable(LIGHTING)
glColor3dv(0, 1, 0)
glBegin(LINE_LOOP)
glVertex3dv(21, 4, 40)
glVertex3dv(21, -4, 40)
glVertex3dv(11, -4, 20)
glVertex3dv(11, 4, 20)
glEnd()
glColor3dv(0, 0, 1)
glBegin(LINE_LOOP)
glVertex3dv(16.48, 2, 40)
glVertex3dv(15.84, 2, 40)
glVertex3dv(15.84, 2, 20)
glVertex3dv(16.48, 2, 20)
glEnd()
glPopAttrib())");
}

// Slices 16 apart around position 0 lie at x = 16j; the 3D view clamps those beyond the curve's ends onto
// the ends, the axial view leaves them out. The window keeps its default length 0: one point.
TEST_F(Panorama, SlicesAreCentredOnThePosition) {
  const struct { int count; double spacing; std::vector<double> xs3D, xsAxial; } cases[] = {
      {4, 16, {-32, -16, 0, 16}, {-32, -16, 0, 16}},
      {5, 16, {-32, -16, 0, 16, 32}, {-32, -16, 0, 16, 32}},
      {3, 100, {-64, 0, 64}, {0}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.count);
    view3D.SetTransversalSlices(c.count, c.spacing);
    axial.SetTransversalSlices(c.count, c.spacing);
    GlRecorder recorder;
    view3D.RenderSlices(Vec3(0, 0, 0), Vec3(0, 0, 1));
    axial.RenderSlices(Vec3(0, 0, 0));
    std::vector<double> xs3D, xsAxial;
    std::size_t window = 0;
    for (const QuorvelTest::Primitive& p : recorder.Primitives()) {
      if (p.mode == GL_LINE_LOOP && p.color == std::vector<double>{0, 1, 0}) xs3D.push_back(p.vertices[0][0]);
      if (p.mode == GL_LINE_LOOP && p.color == std::vector<double>{0, 0, 1}) window = p.vertices.size();
      if (p.mode == GL_LINES && p.vertices[0][1] == 4) xsAxial.push_back(p.vertices[0][0]);  // from the first edge
    }
    EXPECT_EQ(window, 2u);
    EXPECT_EQ(xs3D, c.xs3D);
    EXPECT_EQ(xsAxial, c.xsAxial);
  }
}

// Slices at u = 1/2, 3/8, 1/4 over x = 0, 16, 32; the panorama point (16, 2). Gaps: 2, 2 and 5 pixels of
// 0.5 (the second sampling component is not used), so 1, 1 and 2.5 world units.
TEST_F(Panorama, AxialSlicesHaveSignsAndGapsAroundThePanoramaPoint) {
  for (Vec3& sample : spline.samplePoints) sample[2] = 7;  // the axial view is flat at any height
  axial.SetTransversalSlices(3, 16);
  axial.SetInspectionWindow(8, 0);
  axial.SetSampling({0.5, 3});
  axial.SetTSAGapInPixels(2);
  axial.SetLSAGapInPixels(2);
  axial.SetIWGapInPixels(5);
  // The window runs from x = 20 to 12.32 in steps of 0.64 and leaves out 18.08 to 13.6, within 2.5 of x = 16.
  EXPECT_EQ(RecordTrace([&] { axial.RenderSlices(Vec3(16, 2, 99)); }), kPushSmoothOn + R"(glColor3dv(0, 1, 0)
glBegin(LINES)
glVertex3dv(0, 4, 0)
glVertex3dv(0, 2, 0)
glVertex3dv(0, -2, 0)
glVertex3dv(0, -4, 0)
glEnd()
glBegin(LINES)
glVertex3dv(-1, 5, 0)
glVertex3dv(1, 5, 0)
glEnd()
glColor3dv(0, 1, 0)
glBegin(LINES)
glVertex3dv(16, 4, 0)
glVertex3dv(16, 3, 0)
glVertex3dv(16, 1, 0)
glVertex3dv(16, -4, 0)
glEnd()
glColor3dv(0, 1, 0)
glBegin(LINES)
glVertex3dv(32, 4, 0)
glVertex3dv(32, 2, 0)
glVertex3dv(32, -2, 0)
glVertex3dv(32, -4, 0)
glEnd()
glBegin(LINES)
glVertex3dv(31, 5, 0)
glVertex3dv(33, 5, 0)
glVertex3dv(32, 6, 0)
glVertex3dv(32, 4, 0)
glEnd()
glColor3dv(1, 0, 0)
glBegin(LINES)
glVertex3dv(20, 2, 0)
glVertex3dv(17, 2, 0)
glVertex3dv(15, 2, 0)
glVertex3dv(12, 2, 0)
glEnd()
glColor3dv(0, 0, 1)
glBegin(LINE_STRIP)
glVertex3dv(20, 2, 0)
glVertex3dv(19.36, 2, 0)
glVertex3dv(18.72, 2, 0)
glEnd()
glBegin(LINE_STRIP)
glVertex3dv(12.96, 2, 0)
glVertex3dv(12.32, 2, 0)
glEnd()
glPopAttrib())");
}
