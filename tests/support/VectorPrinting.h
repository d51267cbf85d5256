// Lets GoogleTest print the library's vectors in failure messages.
#pragma once

#include <brantel/geometry/Vector2.h>
#include <brantel/geometry/Vector3.h>

#include <ostream>

namespace Brantel::Geometry {

template <typename T>
void PrintTo(const Vector3<T>& v, std::ostream* os) {
  *os << '(' << v[0] << ", " << v[1] << ", " << v[2] << ')';
}

template <typename T>
void PrintTo(const Vector2<T>& v, std::ostream* os) {
  *os << '(' << v[0] << ", " << v[1] << ')';
}

}  // namespace Brantel::Geometry
