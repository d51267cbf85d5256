// The cutting-plane outline of GlWiredVolume, read back from the GL calls it
// makes on a headless context.
//
// A well-formed input is a box of positive size and a plane through a centre
// near it, spanned by two unit axes that are not parallel (perpendicular when
// the input asks for it). Oracles: every outline point lies within the box
// and in the plane, the outline is convex and never repeats a point, a plane
// through the box centre gives at least 3 points, and with perpendicular axes
// and a centre inside the box every point lies on a face. Any other input
// (NaN, infinite or negative sizes, arbitrary axes) must only leave GL as it
// was and give at most one point per clipping step.
#include "FuzzInput.h"

#include "GlRecorder.h"
#include "HeadlessContext.h"

#include <quorvel/GlWiredVolume.h>

#include <GL/gl.h>

#include <vector>

namespace QuorvelFuzz {
namespace {

using QuorvelTest::GlRecorder;

// Unit vector from three coordinates in [-1, 1]; (1, 0, 0) when too short.
Vec3 UnitAxis(FuzzInput& in) {
  Vec3 v(in.Between(-1, 1), in.Between(-1, 1), in.Between(-1, 1));
  if (v.Length() < 1e-3) return Vec3(1, 0, 0);
  v.Normalize();
  return v;
}

// The coordinate axis least aligned with `u`.
Vec3 LeastAlignedAxis(const Vec3& u) {
  const double x = std::fabs(u[0]), y = std::fabs(u[1]), z = std::fabs(u[2]);
  if (x <= y && x <= z) return Vec3(1, 0, 0);
  return y <= z ? Vec3(0, 1, 0) : Vec3(0, 0, 1);
}

struct Plane {
  Vec3 center, axisU, axisV;
};

Plane WellFormedPlane(FuzzInput& in, const Vec3& size, bool throughCenter, bool perpendicular) {
  Plane plane;
  if (!throughCenter)
    plane.center = Vec3(in.Between(-size[0], size[0]), in.Between(-size[1], size[1]), in.Between(-size[2], size[2]));
  plane.axisU = UnitAxis(in);
  plane.axisV = UnitAxis(in);
  if (perpendicular) plane.axisV = plane.axisV - plane.axisU * DotProduct(plane.axisU, plane.axisV);
  if (CrossProduct(plane.axisU, plane.axisV).Length() < 0.05)
    plane.axisV = CrossProduct(plane.axisU, LeastAlignedAxis(plane.axisU));
  plane.axisV.Normalize();
  return plane;
}

std::vector<Vec3> Outline(Quorvel::GlWiredVolume& volume, const Plane& plane) {
  GlRecorder rec;
  volume.RenderPlane(plane.center, plane.axisU, plane.axisV);
  std::vector<Vec3> points;
  for (const auto& call : rec.Of("glVertex3dv")) points.push_back(Vec3(call.args[0], call.args[1], call.args[2]));
  return points;
}

bool Inside(const Vec3& p, const Vec3& size, double slack) {
  for (int axis = 0; axis < 3; ++axis)
    if (!(std::fabs(p[axis]) <= size[axis] / 2 + slack)) return false;
  return true;
}

bool OnSomeFace(const Vec3& p, const Vec3& size, double slack) {
  for (int axis = 0; axis < 3; ++axis)
    if (std::fabs(std::fabs(p[axis]) - size[axis] / 2) <= slack) return true;
  return false;
}

// Every turn of the closed outline goes the same way around the normal.
bool Convex(const std::vector<Vec3>& points, const Vec3& normal, double slack) {
  bool left = false, right = false;
  const std::size_t n = points.size();
  for (std::size_t i = 0; i < n; ++i) {
    const Vec3& a = points[i];
    const Vec3& b = points[(i + 1) % n];
    const Vec3& c = points[(i + 2) % n];
    const double turn = DotProduct(CrossProduct(b - a, c - b), normal);
    left = left || turn > slack;
    right = right || turn < -slack;
  }
  return !(left && right);
}

bool RepeatsAPoint(const std::vector<Vec3>& points) {
  for (std::size_t i = 0; i < points.size() && points.size() > 1; ++i)
    if (points[i] == points[(i + 1) % points.size()]) return true;
  return false;
}

void CheckWellFormed(FuzzInput& in) {
  const Vec3 size(in.Between(1e-3, 1e4), in.Between(1e-3, 1e4), in.Between(1e-3, 1e4));
  const bool throughCenter = in.Flag(), perpendicular = in.Flag();
  const Plane plane = WellFormedPlane(in, size, throughCenter, perpendicular);
  Quorvel::GlWiredVolume volume;
  volume.SetVolumeSize(size);
  const std::vector<Vec3> points = Outline(volume, plane);

  // Rounding scales with the start square, whose half side is the size sum.
  const double scale = (size[1] + size[0]) + size[2] + MaxAbs(plane.center);
  const double slack = 1e-9 * scale;
  Vec3 normal = CrossProduct(plane.axisU, plane.axisV);
  normal.Normalize();
  for (const Vec3& p : points) {
    Require(IsFinite(p), "an outline point is not finite");
    Require(Inside(p, size, slack), "an outline point lies outside the box");
    Require(std::fabs(DotProduct(p - plane.center, normal)) <= slack, "an outline point lies off the plane");
  }
  Require(!RepeatsAPoint(points), "the outline repeats a point");
  Require(Convex(points, normal, 1e-9 * scale * scale), "the outline is not convex");
  if (throughCenter) Require(points.size() >= 3, "a plane through the box centre gave fewer than 3 points");
  if (perpendicular && Inside(plane.center, size, -slack))
    for (const Vec3& p : points) Require(OnSomeFace(p, size, slack), "an outline point of a covering square lies on no face");
}

void CheckArbitrary(FuzzInput& in) {
  Quorvel::GlWiredVolume volume;
  volume.SetVolumeSize(in.AnyVector());
  const Plane plane{in.AnyVector(), in.AnyVector(), in.AnyVector()};
  // Four start points, and each of the six faces adds at most one.
  Require(Outline(volume, plane).size() <= 10, "the outline has more points than clipping can make");
}

}  // namespace
}  // namespace QuorvelFuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace QuorvelFuzz;
  static Headless::HeadlessContext context(16, 16);
  Require(context.Ok(), "no headless GL context");
  FuzzInput in(data, size);
  if (in.Byte() % 4 == 0)
    CheckArbitrary(in);
  else
    CheckWellFormed(in);
  GLint depth = -1;
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depth);
  Require(depth == 0, "RenderPlane left the attribute stack unbalanced");
  Require(glGetError() == GL_NO_ERROR, "RenderPlane left a GL error");
  return 0;
}
