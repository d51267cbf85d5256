#include "ClipPolygonByPlane.h"

namespace Quorvel {
namespace {

using Vec3 = Brantel::Geometry::Vector3<double>;

bool StrictlyAcross(double dS, double dV) { return (dS < 0.0 && dV > 0.0) || (dS > 0.0 && dV < 0.0); }

// Where the edge from s to v meets the plane.
Vec3 CrossingPoint(const Vec3& s, const Vec3& v, double dS, const Vec3& normal) {
  return s + ((v - s) * dS) / DotProduct(s - v, normal);
}

void AppendUnlessRepeated(std::list<Vec3>& polygon, const Vec3& point) {
  if (polygon.empty() || polygon.back() != point) polygon.push_back(point);
}

}  // namespace

void ClipPolygonByPlane(const Vec3& point, const Vec3& normal, std::list<Vec3>& polygon) {
  std::list<Vec3> kept;
  const Vec3* s = &polygon.back();
  double dS = DotProduct(*s - point, normal);
  for (const Vec3& v : polygon) {
    const double dV = DotProduct(v - point, normal);
    if (StrictlyAcross(dS, dV)) AppendUnlessRepeated(kept, CrossingPoint(*s, v, dS, normal));
    if (dV <= 0.0) AppendUnlessRepeated(kept, v);
    s = &v;
    dS = dV;
  }
  if (kept.size() > 1 && kept.back() == kept.front()) kept.pop_back();
  polygon.swap(kept);
}

}  // namespace Quorvel
