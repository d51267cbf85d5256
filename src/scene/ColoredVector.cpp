#include <quorvel/ColoredVector.h>

namespace Quorvel {

ColoredVector::ColoredVector(const Vec3& direction, const Vec3& color) : direction(direction), color(color) {}

ColoredVector::ColoredVector(const ColoredVector& other) = default;

ColoredVector& ColoredVector::operator=(const ColoredVector& other) = default;

ColoredVector::~ColoredVector() = default;

}  // namespace Quorvel
