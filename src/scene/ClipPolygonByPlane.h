// One Sutherland–Hodgman step: keeps the part of a closed polygon that lies on
// the inner side of a plane.
#pragma once

#include <brantel/geometry/Vector3.h>

#include <list>

namespace Quorvel {

/// Replaces `polygon` (not empty) by its part on the side of the plane through
/// `point` against which `normal` points: points with (X − point) · normal ≤ 0
/// stay in order, each edge whose ends lie strictly on opposite sides adds its
/// crossing point, and no point repeats the one before it (nor the last the
/// first). Throws std::bad_alloc with `polygon` unchanged.
void ClipPolygonByPlane(const Brantel::Geometry::Vector3<double>& point,
                        const Brantel::Geometry::Vector3<double>& normal,
                        std::list<Brantel::Geometry::Vector3<double>>& polygon);

}  // namespace Quorvel
