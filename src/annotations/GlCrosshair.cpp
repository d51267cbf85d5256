#include <quorvel/GlCrosshair.h>

#include "LineDrawing.h"
#include "frame/GlScopes.h"

#include <GL/gl.h>

namespace Quorvel {

namespace {

// Reach of every long line, as a multiple of its direction vector.
constexpr double kReach = 100000.0;
constexpr double kTiltThreshold = 1e-14;

// Indices into the gap table.
enum Gap { kTiltGap = 0, kPlusSecond = 1, kMinusSecond = 2, kMinusFirst = 3, kPlusFirst = 4 };

}  // namespace

GlCrosshair::GlCrosshair() = default;

GlCrosshair::GlCrosshair(const GlCrosshair&) = default;

GlCrosshair& GlCrosshair::operator=(const GlCrosshair&) = default;

GlCrosshair::~GlCrosshair() = default;

void GlCrosshair::SetPosition(const Vec3& p) { position = p; }

const GlCrosshair::Vec3& GlCrosshair::GetPosition() const { return position; }

void GlCrosshair::SetColor(const Vec3& rgb) { color = rgb; }

void GlCrosshair::SetAxes(const Vec3& first, const Vec3& second) {
  firstAxis = first;
  secondAxis = second;
}

void GlCrosshair::SetTilt(const Vec3& t) { tilt = t; }

const GlCrosshair::Vec3& GlCrosshair::GetTilt() const { return tilt; }

bool GlCrosshair::IsTilt() const { return tilt.LengthSquared() > kTiltThreshold; }

void GlCrosshair::SetSampling(const Vec2& s) { sampling = s; }

void GlCrosshair::SetGap(int g) {
  for (int& gap : gaps) gap = g;
  separateGaps = false;
}

void GlCrosshair::SetGap(int a, int b, int c, int d) {
  gaps[kPlusSecond] = a;
  gaps[kMinusSecond] = b;
  gaps[kMinusFirst] = c;
  gaps[kPlusFirst] = d;
  separateGaps = true;
}

void GlCrosshair::SetTicks(int count, int length, double spacing) {
  tickCount = count;
  tickLength = length;
  tickSpacing = spacing;
}

void GlCrosshair::Render() {
  PrepareLineDrawing();
  if (IsTilt()) RenderTiltLine();
  RenderArms();
  if (!separateGaps && tickCount >= 0) RenderTicks();
}

void GlCrosshair::RenderTiltLine() const {
  const double gap = gaps[kTiltGap] * sampling[0];
  const AttributeScope attributes(GL_COLOR_BUFFER_BIT | GL_LINE_BIT);
  glEnable(GL_LINE_STIPPLE);
  glLineStipple(1, 0xCCCC);
  glBegin(GL_LINES);
  glColor3dv(color.Data());
  Segment(-tilt * gap, -tilt * kReach);
  Segment(tilt * gap, tilt * kReach);
  glEnd();
  glDisable(GL_LINE_STIPPLE);
}

// Products are formed left to right (axis, then gap, then sampling) so that
// the vertices are reproducible to the last bit.
void GlCrosshair::RenderArms() const {
  const double sx = sampling[0];
  const double sy = sampling[1];
  glBegin(GL_LINES);
  glColor3dv(color.Data());
  Segment(-firstAxis * static_cast<double>(gaps[kMinusFirst]) * sx, -firstAxis * kReach);
  Segment(firstAxis * static_cast<double>(gaps[kPlusFirst]) * sx, firstAxis * kReach);
  Segment(-secondAxis * static_cast<double>(gaps[kMinusSecond]) * sy, -secondAxis * kReach);
  Segment(secondAxis * static_cast<double>(gaps[kPlusSecond]) * sy, secondAxis * kReach);
  glEnd();
}

// Each tick crosses its arm: ticks on the first axis extend along the second
// axis and vice versa, both by tickLength pixels of the y sampling.
void GlCrosshair::RenderTicks() const {
  const Vec3 step1 = firstAxis * tickSpacing;
  const Vec3 step2 = secondAxis * tickSpacing;
  const double halfLength = tickLength * sampling[1];
  const Vec3 across1 = firstAxis * halfLength;
  const Vec3 across2 = secondAxis * halfLength;
  glBegin(GL_LINES);
  glColor3dv(color.Data());
  for (double i = 1.0; i < static_cast<double>(tickCount); i += 1.0) {
    Segment(-(step1 * i) - across2, -(step1 * i) + across2);
    Segment(step1 * i - across2, step1 * i + across2);
    Segment(-(step2 * i) - across1, -(step2 * i) + across1);
    Segment(step2 * i - across1, step2 * i + across1);
  }
  glEnd();
}

}  // namespace Quorvel
