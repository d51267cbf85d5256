// Soak: 10,000 frames of a full viewer frame on the headless context at a
// 128 × 128 viewport, with every kind of object the library draws. Reports
// frames per second and the resident memory after the first 100 frames and
// at the end; the end value should stay within 1 MiB of the first.
#include <quorvel/Quorvel.h>

#include "HeadlessContext.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

using Vector3d = Brantel::Geometry::Vector3<double>;
using Vector2d = Brantel::Geometry::Vector2<double>;

constexpr int kViewport = 128;
constexpr int kWarmUpFrames = 100;
constexpr int kFrames = 10000;
constexpr double kAllowedGrowthMiB = 1.0;

// A quarter circle of radius 60 about the origin in the plane z = 0, with
// 400 samples and unit normals pointing away from the centre.
class ArcSpline : public Brantel::Geometry::CSplineBase<Vector3d> {
public:
  ArcSpline() {
    for (int i = 0; i <= 4; ++i) controlPoints.push_back(Arc(i / 4.0));
    for (int i = 0; i < 400; ++i) {
      samplePoints.push_back(Arc(i / 399.0));
      sampleNormals.push_back(Arc(i / 399.0) / 60.0);
    }
  }
  Vector3d InterpolateSegment(unsigned int index, double t) const override {
    const double u = (index + t) / 4.0;
    return Arc(u);
  }

private:
  static Vector3d Arc(double u) {
    const double a = u * std::acos(-1.0) / 2;
    return Vector3d(60 * std::cos(a), 60 * std::sin(a), 0);
  }
};

double ResidentMiB() {
  long pages = 0, resident = 0;
  if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

struct Viewer {
  Viewer() : context(kViewport, kViewport), text(nullptr, 10, 400) {
    camera.SetEye(Vector3d(0, -150, 120));
    camera.SetFocus(Vector3d(0, 0, 0));
    camera.SetDirectionUp(Vector3d(0, 0, 1));
    camera.SetClipPlanes(Vector2d(1, 500));
    camera.SetFOV(40);
    Configure(region3D);
    Configure(axial);
    crosshair.SetPosition(Vector3d(0, 0, 0));
    crosshair.SetColor(Vector3d(1, 1, 0));
    crosshair.SetAxes(Vector3d(1, 0, 0), Vector3d(0, 1, 0));
    crosshair.SetSampling(Vector2d(0.5, 0.5));
    crosshair.SetGap(6);
    crosshair.SetTicks(5, 4, 10);
    ruler.SetStartPosition(Vector3d(-40, -40, 0));
    ruler.SetColor(Vector3d(0, 1, 1));
    ruler.SetVectors(Vector3d(80, 0, 0), Vector3d(0, 3, 0));
    ruler.SetMinorTicsCount(9);
    const unsigned char circleColor[4] = {255, 128, 0, 255};
    circle.SetColor(circleColor);
    circle.SetLineStipple(0xF0F0);
    axes.AddAxis(Vector3d(1, 0, 0), Vector3d(1, 0, 0));
    axes.AddAxis(Vector3d(0, 1, 0), Vector3d(0, 1, 0));
    axes.AddAxis(Vector3d(0, 0, 1), Vector3d(0, 0, 1));
    volume.SetVolumeSize(Vector3d(120, 100, 80));
    volume.SetBoxColor(Vector3d(0.5, 0.5, 0.5));
    volume.SetPlaneColor(Vector3d(1, 0, 1));
  }

  template <typename Region>
  void Configure(Region& region) {
    region.SetSpline(&spline);
    region.SetWidth(16);
    region.SetTransversalSlices(15, 5);
    region.SetInspectionWindow(spline.GetLength() / 5, 20);
    region.SetSampling(Vector2d(0.5, 0.5));
    region.SetTSAGapInPixels(4);
    region.SetLSAGapInPixels(4);
    region.SetIWGapInPixels(4);
  }

  // One frame as a viewer draws it; `frame` moves the panorama position and
  // the cutting plane so that no two consecutive frames are alike.
  void Draw(int frame) {
    const double phase = (frame % 360) * std::acos(-1.0) / 180;
    glViewport(0, 0, kViewport, kViewport);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    camera.SetPerspectiveFrustum();
    camera.SetLookAt();

    const Vector3d position(spline.GetLength() * (0.5 + 0.4 * std::sin(phase)), 0, 0);
    region3D.RenderRegion();
    region3D.RenderSlices(position, Vector3d(0, 0, 1));
    axial.RenderRegion();
    axial.RenderSlices(position);

    crosshair.Render();
    ruler.Render();
    circle.Render(Vector3d(0, 0, 0), Vector3d(1, 0, 0), Vector3d(0, 1, 0), 30 + 10 * std::sin(phase));
    axes.Render();
    volume.RenderBox();
    volume.RenderPlane(Vector3d(0, 0, 20 * std::sin(phase)), Vector3d(std::cos(phase), 0, std::sin(phase)),
                       Vector3d(0, 1, 0));
    glRasterPos3d(-50, -50, 0);
    text.Write("Soak frame");
    glFinish();
  }

  QuorvelTest::HeadlessContext context;
  Quorvel::GlCamera camera;
  ArcSpline spline;
  Quorvel::GlPanoramaRegion3D region3D;
  Quorvel::GlPanoramaRegionAxial axial;
  Quorvel::GlCrosshair crosshair;
  Quorvel::GlRuler ruler;
  Quorvel::GlCircle circle;
  Quorvel::GlCoordAxes axes;
  Quorvel::GlWiredVolume volume;
  Quorvel::GlText text;
};

void BM_SoakFrames(benchmark::State& state) {
  for (auto _ : state) {
    Viewer viewer;
    if (!viewer.context.Ok()) {
      state.SkipWithError(viewer.context.Error().c_str());
      return;
    }
    for (int frame = 0; frame < kWarmUpFrames; ++frame) viewer.Draw(frame);
    const double warm = ResidentMiB();
    const auto start = std::chrono::steady_clock::now();
    for (int frame = kWarmUpFrames; frame < kFrames; ++frame) viewer.Draw(frame);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double end = ResidentMiB();
    const double fps = (kFrames - kWarmUpFrames) / seconds;
    state.counters["frames_per_s"] = fps;
    state.counters["rss_after_100_MiB"] = warm;
    state.counters["rss_end_MiB"] = end;
    state.counters["rss_growth_KiB"] = (end - warm) * 1024;
    std::printf("soak: %d frames at %dx%d, %.0f frames/s; resident %.2f MiB after %d frames, %.2f MiB at the end (%+.0f KiB, %s)\n",
                kFrames, kViewport, kViewport, fps, warm, kWarmUpFrames, end, (end - warm) * 1024,
                end - warm <= kAllowedGrowthMiB ? "within 1 MiB" : "MORE THAN 1 MiB");
  }
}

BENCHMARK(BM_SoakFrames)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
