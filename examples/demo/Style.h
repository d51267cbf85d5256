// Colours and sizes shared by the views, so that one mark has one colour in
// every view.
#pragma once

#include <brantel/geometry/Vector3.h>

namespace Demo::Style {

using Colour = Brantel::Geometry::Vector3<double>;

inline const Colour kBackground{0.05, 0.055, 0.07};
inline const Colour kViewBackground{0.09, 0.10, 0.13};
inline const Colour kTitle{0.93, 0.94, 0.97};
inline const Colour kText{0.80, 0.84, 0.90};
inline const Colour kAxialPlane{0.30, 0.62, 1.00};   // the axial slice, in every view
inline const Colour kBand{1.00, 0.82, 0.22};         // panoramic band outline
inline const Colour kTransversal{0.20, 0.90, 1.00};  // transversal slices
inline const Colour kLsa{1.00, 0.35, 0.85};          // line along the panorama
inline const Colour kInspection{0.35, 1.00, 0.35};   // inspection window
inline const Colour kCrosshair{1.00, 0.30, 0.22};
inline const Colour kRuler{1.00, 1.00, 1.00};
inline const Colour kBox{0.70, 0.72, 0.78};
inline const unsigned char kArchPoint[4] = {255, 150, 30, 255};  // circles on the arch's points

constexpr double kRegionLineWidth = 2.0;
constexpr int kCrosshairGap = 14;    // pixels
constexpr int kRegionGap = 9;        // pixels, TSA, LSA and IW gaps
constexpr double kTickSpacing = 10.0;  // mm between crosshair ticks
constexpr int kTickHalfLength = 4;   // pixels

}  // namespace Demo::Style
