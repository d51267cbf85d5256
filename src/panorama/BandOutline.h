// The outline of the band, drawn identically by both views.
#pragma once

#include <brantel/geometry/SplineBase.h>
#include <brantel/geometry/Vector3.h>
#include <quorvel/GlState.h>

namespace Quorvel {
namespace Panorama {

/// Draws the band's outline flattened to z = 0: the second edge (samples
/// minus normals times halfWidth) and the first edge as line strips, then the
/// start and the end cap as single lines, all in `color`, between an
/// attribute push and pop, with smooth lines switched as `smoothLines` says.
/// The edges stop at the shorter of the two sample sequences; each cap takes
/// the first or last element of each sequence.
/// Issues no GL command at all when either sequence is empty.
void RenderBandOutline(const Brantel::Geometry::CSplineBase<Brantel::Geometry::Vector3<double>>& spline,
                       double halfWidth, const Brantel::Geometry::Vector3<double>& color, GlState& state,
                       bool smoothLines);

}  // namespace Panorama
}  // namespace Quorvel
