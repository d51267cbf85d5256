// Reformatting a CBCT-sized volume: 512 × 512 × 400 voxels of 0.3 mm, an
// arch of about 150 mm (a circular arc of radius 50 mm around the volume's
// axis), 0.25 mm pixels over the volume's whole height (480 rows).
// - Panoramic: the 16 mm band at 0.25 mm steps (65 samples a pixel), mean
//   and maximum; the whole arch is 601 columns.
// - CrossSection: 40 mm across the arch (160 columns).
// - ObliqueSlice: one sample a pixel on a vertical plane through the volume's
//   centre at 120 degrees to the x axis, as large as the panoramic image
//   (601 × 480) and all inside the volume: the cross-section at the middle of
//   a straight arch at 30 degrees. benchmarks/reslice_vs_vtk.py asks VTK for
//   the same plane.
// - AxialSlice: one 512 × 512 slice between two voxel planes.
// Each reports the time per image and the trilinear samples per second, on
// 1 and 2 OpenMP threads (the argument).
#include <quorvel/AxisSlicer.h>
#include <quorvel/PanoramicReformatter.h>
#include <quorvel/Volume.h>

#include <benchmark/benchmark.h>
#include <omp.h>

#include <cmath>
#include <cstdint>

namespace {

using Vec3 = Brantel::Geometry::Vector3<double>;
using GreyImage = Brantel::NImage::Image2D<unsigned short>;

constexpr int kSize = 512, kSlices = 400;
constexpr double kVoxel = 0.3, kPixel = 0.25, kBand = 16.0, kRadius = 50.0, kArchAngle = 3.0;
constexpr double kArchLength = kRadius * kArchAngle;
constexpr int kRows = 480, kObliqueColumns = 601;
constexpr double kPi = 3.14159265358979323846;

// A circular arc of kRadius around the z axis over kArchAngle radians, with
// exact arcs between its control points and samples evenly spaced in angle
// (so in arc length), normals pointing away from the centre.
class ArcSpline : public Brantel::Geometry::CSplineBase<Vec3> {
public:
  ArcSpline() {
    for (int i = 0; i <= kControlSegments; ++i) controlPoints.push_back(At(i / double(kControlSegments)));
    for (int i = 0; i < kSamples; ++i) {
      const double s = i / double(kSamples - 1);
      samplePoints.push_back(At(s));
      sampleNormals.push_back(At(s) / kRadius);
    }
  }
  Vec3 InterpolateSegment(unsigned int index, double t) const override {
    return At((index + t) / kControlSegments);
  }

private:
  static constexpr int kControlSegments = 60, kSamples = 600;
  static Vec3 At(double s) {
    const double angle = -kPi / 2 - kArchAngle / 2 + kArchAngle * s;
    return Vec3(kRadius * std::cos(angle), kRadius * std::sin(angle), 0);
  }
};

// The straight line of kArchLength through the centre at 30 degrees.
class LineSpline : public Brantel::Geometry::CSplineBase<Vec3> {
public:
  LineSpline() {
    const Vec3 half = Vec3(std::cos(kPi / 6), std::sin(kPi / 6), 0) * (kArchLength / 2);
    controlPoints = {half * -1.0, half};
    samplePoints = controlPoints;
    sampleNormals.assign(2, Vec3(-std::sin(kPi / 6), std::cos(kPi / 6), 0));
  }
  Vec3 InterpolateSegment(unsigned int, double) const override { return controlPoints[0]; }
};

struct Data {
  Data() : volume(Quorvel::Volume::Vec3i(kSize, kSize, kSlices), Vec3(kVoxel, kVoxel, kVoxel), Corner()) {
    unsigned short* voxels = volume.WritableVoxels();
    // Smooth structure plus noise, so that neighbouring voxels differ.
#pragma omp parallel for
    for (int k = 0; k < kSlices; ++k)
      for (int j = 0; j < kSize; ++j)
        for (int i = 0; i < kSize; ++i) {
          const std::uint32_t noise = (std::uint32_t(i) * 73856093u ^ std::uint32_t(j) * 19349663u ^
                                       std::uint32_t(k) * 83492791u) % 200u;
          voxels[(std::size_t(k) * kSize + j) * kSize + i] =
              static_cast<unsigned short>(1000 + 800 * std::sin(i * 0.05) * std::cos(j * 0.03 + k * 0.02) + noise);
        }
    reformatter.SetVolume(&volume);
    reformatter.SetSpline(&arch);
    reformatter.SetBand(kBand, kPixel);
    reformatter.SetPixelSize(kPixel, kPixel);
    reformatter.SetBottom(Corner()[2]);
    oblique = reformatter;
    oblique.SetSpline(&line);
    slicer.SetVolume(&volume);
  }
  static Vec3 Corner() {
    return Vec3(-(kSize - 1) * kVoxel / 2, -(kSize - 1) * kVoxel / 2, -(kSlices - 1) * kVoxel / 2);
  }
  Quorvel::Volume volume;
  ArcSpline arch;
  LineSpline line;
  Quorvel::PanoramicReformatter reformatter;
  Quorvel::PanoramicReformatter oblique;
  Quorvel::AxisSlicer slicer;
};

Data& TheData() {
  static Data data;
  return data;
}

// Runs `make` on state.range(0) threads; `samples` trilinear samples a call.
template <typename Make>
void Run(benchmark::State& state, double samples, Make make) {
  omp_set_num_threads(static_cast<int>(state.range(0)));
  make();
  for (auto _ : state) make();
  state.counters["samples_per_second"] = benchmark::Counter(samples, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_Panoramic(benchmark::State& state, Quorvel::PanoramicReformatter::Projection projection) {
  Data& data = TheData();
  data.reformatter.SetProjection(projection);
  GreyImage image(data.reformatter.ArchColumns(), kRows, true);
  const double samples = double(image.GetSize()) * data.reformatter.BandSamples();
  Run(state, samples, [&] { data.reformatter.Reformat(image); });
  data.reformatter.SetProjection(Quorvel::PanoramicReformatter::Projection::Mean);
}

void BM_CrossSection(benchmark::State& state) {
  Data& data = TheData();
  GreyImage image(160, kRows, true);
  Run(state, double(image.GetSize()), [&] { data.reformatter.CrossSection(20.0, image); });
}

void BM_ObliqueSlice(benchmark::State& state) {
  Data& data = TheData();
  GreyImage image(kObliqueColumns, kRows, true);
  Run(state, double(image.GetSize()), [&] { data.oblique.CrossSection(0.0, image); });
}

void BM_AxialSlice(benchmark::State& state) {
  Data& data = TheData();
  GreyImage image(kSize, kSize, true);
  Run(state, double(image.GetSize()),
      [&] { data.slicer.Slice(Quorvel::AxisSlicer::Plane::Axial, 10.05, image); });
}

void Threads(benchmark::internal::Benchmark* b) {
  b->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);
}

BENCHMARK_CAPTURE(BM_Panoramic, Mean, Quorvel::PanoramicReformatter::Projection::Mean)->Apply(Threads);
BENCHMARK_CAPTURE(BM_Panoramic, Maximum, Quorvel::PanoramicReformatter::Projection::Maximum)->Apply(Threads);
BENCHMARK(BM_CrossSection)->Apply(Threads);
BENCHMARK(BM_ObliqueSlice)->Apply(Threads);
BENCHMARK(BM_AxialSlice)->Apply(Threads);

}  // namespace
