// Text and flat marks in the pixel coordinates of a viewport, drawn over
// what the view's camera drew.
#pragma once

#include "Layout.h"

#include <quorvel/GlText.h>

#include <brantel/geometry/Vector3.h>

#include <string>

namespace Demo {

/// Loads a projection in which one unit is one pixel of the viewport, with
/// the origin at its bottom-left corner, and an identity modelview matrix;
/// switches depth testing off.
void BeginOverlay(const Viewport& viewport);

/// Writes text with GlText at pixel (x, y) of the viewport (the baseline's
/// left end), with a dark shadow so it stays legible on any image.
void Label(Quorvel::GlText& font, int x, int y, const Brantel::Geometry::Vector3<double>& colour,
           const std::string& text);

/// Same, at a point of the current model coordinates.
void LabelAt(Quorvel::GlText& font, const Brantel::Geometry::Vector3<double>& point,
             const Brantel::Geometry::Vector3<double>& colour, const std::string& text);

/// Text for numbers: "47.3".
std::string Fixed(double value, int decimals);

}  // namespace Demo
