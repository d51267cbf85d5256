// The walk of the inspection window's unit parameter, shared by both views.
#pragma once

namespace Quorvel {
namespace Panorama {

/// Step of the window parameter, in unit-parameter terms (not world length).
constexpr double kWindowStep = 0.005;

/// Upper bound on the parameter values one window visits: 10000 steps span 50
/// in u, i.e. fifty curve lengths. A window, or a panorama position, within
/// some forty-nine curve lengths of the curve is walked completely (ordinary
/// settings take at most a few hundred steps); anything larger is cut off there,
/// so no setting makes a render call run or draw without bound.
constexpr int kMaxWindowSteps = 10000;

/// Calls visit(v) for v = start, start + kWindowStep, ... (each value the
/// previous one plus the step, rounded as doubles add) while v <= end. Stops
/// early after kMaxWindowSteps values, or once adding the step no longer
/// changes v (|v| beyond about 4.5e13), which would otherwise repeat v forever.
template <typename Visit>
void WalkWindow(double start, double end, Visit&& visit) {
  int steps = 0;
  for (double v = start; v <= end && steps < kMaxWindowSteps; ++steps) {
    visit(v);
    const double next = v + kWindowStep;
    if (next == v) break;
    v = next;
  }
}

}  // namespace Panorama
}  // namespace Quorvel
