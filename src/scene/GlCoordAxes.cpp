#include <quorvel/GlCoordAxes.h>

#include "Arrow.h"

namespace Quorvel {

GlCoordAxes::GlCoordAxes() = default;

GlCoordAxes::GlCoordAxes(const GlCoordAxes& other) = default;

GlCoordAxes& GlCoordAxes::operator=(const GlCoordAxes& other) {
  if (&other == this) return *this;
  GlObjectsBase::operator=(other);
  position = other.position;
  axes.clear();
  for (const ColoredVector& arrow : other.axes) axes.push_back(arrow);
  return *this;
}

GlCoordAxes::~GlCoordAxes() = default;

void GlCoordAxes::SetPosition(const Vec3& newPosition) {
  if (&newPosition != &position) position = newPosition;
}

void GlCoordAxes::AddAxis(const Vec3& direction, const Vec3& color) { axes.emplace_back(direction, color); }

void GlCoordAxes::ClearAxes() { axes.clear(); }

void GlCoordAxes::Render() {
  for (const ColoredVector& arrow : axes) RenderArrow(arrow);
}

}  // namespace Quorvel
