#include <quorvel/PanoramicReformatter.h>

#include "ColumnSampling.h"
#include "ParallelWork.h"
#include "PixelValues.h"

#include <climits>
#include <cstdint>
#include <cmath>
#include <stdexcept>

namespace Quorvel {
namespace {

using Vec3 = Brantel::Geometry::Vector3<double>;

bool FinitePositive(double value) { return std::isfinite(value) && value > 0; }

// The normal's part across the curve in the horizontal plane, unit length
// (left at zero when it has none).
Vec3 HorizontalUnit(const Vec3& normal) {
  Vec3 horizontal(normal[0], normal[1], 0);
  horizontal.Normalize();
  return horizontal;
}

bool HasImageMemory(const PanoramicReformatter::GreyImage& image) {
  return image.GetWidth() > 0 && image.GetHeight() > 0 && image.GetData() != nullptr;
}

}  // namespace

PanoramicReformatter::Scratch::Scratch() : taps(std::make_unique<VolumeSampling::ColumnTaps>()) {}
PanoramicReformatter::Scratch::Scratch(const Scratch&) : Scratch() {}
PanoramicReformatter::Scratch::~Scratch() = default;

PanoramicReformatter::PanoramicReformatter() = default;
PanoramicReformatter::PanoramicReformatter(const PanoramicReformatter& other) = default;
PanoramicReformatter& PanoramicReformatter::operator=(const PanoramicReformatter& other) = default;
PanoramicReformatter::~PanoramicReformatter() = default;

void PanoramicReformatter::SetVolume(const Volume* newVolume) { volume = newVolume; }

void PanoramicReformatter::SetSpline(const Spline* newSpline) {
  const double length = newSpline != nullptr ? newSpline->GetLength() : 0.0;
  spline = newSpline;
  curveLength = length;
}

void PanoramicReformatter::SetBand(double thickness, double step) {
  bandThickness = thickness;
  bandStep = step;
}

void PanoramicReformatter::SetProjection(Projection newProjection) { projection = newProjection; }

void PanoramicReformatter::SetPadding(unsigned short value) { padding = value; }

void PanoramicReformatter::SetPixelSize(double horizontal, double vertical) {
  pixelWidth = horizontal;
  pixelHeight = vertical;
}

void PanoramicReformatter::SetBottom(double z) { bottom = z; }

int PanoramicReformatter::ArchColumns() const {
  if (spline == nullptr || !FinitePositive(curveLength) || !FinitePositive(pixelWidth)) return 0;
  const double columns = std::floor(curveLength / pixelWidth + 1e-9) + 1;
  return columns < INT_MAX ? static_cast<int>(columns) : INT_MAX;
}

int PanoramicReformatter::BandSamples() const {
  if (!FinitePositive(bandThickness) || !FinitePositive(bandStep)) return 1;
  const double samples = std::floor(bandThickness / bandStep + 1e-9) + 1;
  return samples < kMaxBandSamples ? static_cast<int>(samples) : kMaxBandSamples;
}

// At the cap the samples spread over the whole thickness, at least `step`
// apart since the band would have had more of them.
double PanoramicReformatter::BandSpacing() const {
  const int samples = BandSamples();
  if (samples < 2) return 0;
  return samples == kMaxBandSamples ? bandThickness / (samples - 1) : bandStep;
}

void PanoramicReformatter::Reformat(GreyImage& image) {
  if (!HasImageMemory(image)) return;
  if (!CanSample()) return VolumeSampling::FillPadding(image, padding);
  const int columns = static_cast<int>(image.GetWidth());
  BuildBandTaps(columns, VolumeSampling::Work(std::int64_t{columns} * image.GetHeight(), BandSamples()) >=
                             VolumeSampling::kParallelWork);
  VolumeSampling::SampleColumns(*volume, *scratch.taps, bottom, pixelHeight, projection, padding, image);
}

void PanoramicReformatter::CrossSection(double position, GreyImage& image) {
  if (!HasImageMemory(image)) return;
  if (!CanSample() || !OnCurve(position)) return VolumeSampling::FillPadding(image, padding);
  BuildCrossSectionTaps(position, static_cast<int>(image.GetWidth()));
  VolumeSampling::SampleColumns(*volume, *scratch.taps, bottom, pixelHeight, projection, padding, image);
}

bool PanoramicReformatter::CanSample() const {
  return volume != nullptr && !volume->IsEmpty() && ArchColumns() > 0 && FinitePositive(pixelHeight) &&
         SplineHasSamples();
}

// The lookups are the only way to learn whether the samples exist without
// copying them; they throw when there are none.
bool PanoramicReformatter::SplineHasSamples() const {
  try {
    spline->GetPointFromSampling(0);
    spline->GetNormalFromSampling(0);
    return true;
  } catch (const std::runtime_error&) {
    return false;
  }
}

// Within the curve's ends, allowing for the rounding of a column position
// computed from a pixel count.
bool PanoramicReformatter::OnCurve(double position) const {
  return std::fabs(position) <= curveLength * 0.5 + pixelWidth * 1e-6;
}

void PanoramicReformatter::BuildBandTaps(int columns, bool parallel) {
  const int samples = BandSamples();
  const double spacing = BandSpacing();
  scratch.taps->Reset(columns, samples);
#pragma omp parallel for schedule(static) if (parallel)
  for (int c = 0; c < columns; ++c) {
    const double position = ((columns - 1) * 0.5 - c) * pixelWidth;
    if (!OnCurve(position)) continue;
    const double u = 0.5 - position / curveLength;
    const Vec3 point = spline->GetPointFromSampling(u);
    const Vec3 across = HorizontalUnit(spline->GetNormalFromSampling(u));
    for (int b = 0; b < samples; ++b) {
      const Vec3 p = point + across * ((b - (samples - 1) * 0.5) * spacing);
      scratch.taps->Add(c, *volume, p[0], p[1]);
    }
  }
}

void PanoramicReformatter::BuildCrossSectionTaps(double position, int columns) {
  scratch.taps->Reset(columns, 1);
  const double u = 0.5 - position / curveLength;
  const Vec3 point = spline->GetPointFromSampling(u);
  const Vec3 across = HorizontalUnit(spline->GetNormalFromSampling(u));
  for (int c = 0; c < columns; ++c) {
    const Vec3 p = point + across * ((c - (columns - 1) * 0.5) * pixelWidth);
    scratch.taps->Add(c, *volume, p[0], p[1]);
  }
}

}  // namespace Quorvel
