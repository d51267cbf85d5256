// Coordinates relative to the dental arch for any point of the plane: the
// arc length along the arch to the nearest curve point and the signed
// distance across it (positive on the side the sample normals point to).
// Precomputed on a grid around the arch so the phantom can ask millions of
// times per picture.
#pragma once

#include "ArchSpline.h"

#include <vector>

namespace Demo {

struct ArchCoordinates {
  double along = 0.0;   ///< arc length from the first sample, mm
  double across = 0.0;  ///< signed distance from the curve, mm
  bool nearArch = false;  ///< false outside the precomputed region
};

class ArchField {
public:
  explicit ArchField(const ArchSpline& arch);

  /// Arch coordinates of (x, y), interpolated bilinearly from the grid.
  ArchCoordinates At(double x, double y) const;

private:
  ArchCoordinates Nearest(const ArchSpline& arch, double x, double y) const;

  double originX = 0.0, originY = 0.0, step = 0.5;
  int columns = 0, rows = 0;
  std::vector<float> along, across;
};

}  // namespace Demo
