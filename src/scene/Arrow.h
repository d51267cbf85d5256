// Draws one arrow of GlCoordAxes: light, colour, material and the three
// quadric pieces.
#pragma once

#include <quorvel/ColoredVector.h>

namespace Quorvel {

/// Draws `arrow` as GlCoordAxes::Render documents; does nothing when GLU
/// cannot create a quadric.
void RenderArrow(const ColoredVector& arrow);

}  // namespace Quorvel
