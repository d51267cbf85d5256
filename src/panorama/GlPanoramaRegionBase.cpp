#include <quorvel/GlPanoramaRegionBase.h>

namespace Quorvel {

GlPanoramaRegionBase::GlPanoramaRegionBase()
    : halfWidth(0),
      curveLength(0),
      curveLengthInverse(0),
      sliceSpacing(0),
      sliceCount(0),
      inspectionWindowLength(0),
      inspectionWindowHeight(0),
      spline(nullptr),
      tsaGapInPixels(0),
      lsaGapInPixels(0),
      iwGapInPixels(0),
      sampling(1.0, 1.0) {}

// The GL state member holds nothing worth copying; every setting and the
// spline pointer are copied member by member.
GlPanoramaRegionBase::GlPanoramaRegionBase(const GlPanoramaRegionBase& other) = default;
GlPanoramaRegionBase& GlPanoramaRegionBase::operator=(const GlPanoramaRegionBase& other) = default;
GlPanoramaRegionBase::~GlPanoramaRegionBase() = default;

void GlPanoramaRegionBase::SetWidth(double width) { halfWidth = width * 0.5; }

void GlPanoramaRegionBase::SetTransversalSlices(int count, double spacing) {
  sliceCount = count;
  sliceSpacing = spacing;
}

void GlPanoramaRegionBase::SetInspectionWindow(double length, double height) {
  inspectionWindowLength = length;
  inspectionWindowHeight = height;
}

void GlPanoramaRegionBase::SetTSAGapInPixels(int gap) { tsaGapInPixels = gap; }
void GlPanoramaRegionBase::SetLSAGapInPixels(int gap) { lsaGapInPixels = gap; }
void GlPanoramaRegionBase::SetIWGapInPixels(int gap) { iwGapInPixels = gap; }

void GlPanoramaRegionBase::SetBorderColor(const Vec3& color) { borderColor = color; }
void GlPanoramaRegionBase::SetPointColor(const Vec3& color) { pointColor = color; }
void GlPanoramaRegionBase::SetSplineColor(const Vec3& color) { splineColor = color; }
void GlPanoramaRegionBase::SetTSAColor(const Vec3& color) { tsaColor = color; }
void GlPanoramaRegionBase::SetLSAColor(const Vec3& color) { lsaColor = color; }
void GlPanoramaRegionBase::SetIWColor(const Vec3& color) { iwColor = color; }

void GlPanoramaRegionBase::SetSampling(Vec2 newSampling) { sampling = newSampling; }

void GlPanoramaRegionBase::SetSpline(const Spline* newSpline) {
  // Measure before storing anything, so that a throwing GetLength leaves the
  // region as it was.
  const double length = newSpline ? newSpline->GetLength() : 0.0;
  spline = newSpline;
  curveLength = length;
  curveLengthInverse = newSpline ? 1.0 / curveLength : 0.0;
}

double GlPanoramaRegionBase::PanoramaPosPToUnit(double position) const {
  return 0.5 - (curveLengthInverse * position);
}

void GlPanoramaRegionBase::GetInspectionWindowRange(double u0, double& start, double& end) const {
  const double w = inspectionWindowLength * curveLengthInverse;
  start = u0 - 0.5 * w;
  end = start + w;
}

void GlPanoramaRegionBase::GetOuterPoints(double u, Vec3& first, Vec3& second) const {
  const Vec3 point = spline->GetPointFromSampling(u);
  const Vec3 normal = spline->GetNormalFromSampling(u);
  first = point + normal * halfWidth;
  second = point - normal * halfWidth;
}

void GlPanoramaRegionBase::GetOffsetPoint(double offset, const Vec3& first, const Vec3& second,
                                          Vec3& result) const {
  const double s = (offset + halfWidth) / (halfWidth + halfWidth);
  result = (first * s) + (second * (1 - s));
}

}  // namespace Quorvel
