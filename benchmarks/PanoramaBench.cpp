// Time per call of the panorama regions' render operations on the headless
// context: a 500-sample arch, 21 slices, a window of a quarter of the curve.
// Each operation is timed as issued (commands queued by the driver) and with
// glFinish after every call (the driver has also rasterised them).
#include <quorvel/GlPanoramaRegion3D.h>
#include <quorvel/GlPanoramaRegionAxial.h>

#include "HeadlessContext.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

using Vector3d = Brantel::Geometry::Vector3<double>;

// A parabolic arch y = x² / 100 for x in [-80, 80]: Catmull-Rom through its
// control points, 500 samples with unit normals in the plane z = 0.
class ArchSpline : public Brantel::Geometry::CSplineBase<Vector3d> {
public:
  ArchSpline() {
    for (int i = 0; i <= 8; ++i) controlPoints.push_back(Arch(-80 + 20 * i));
    for (int i = 0; i < 500; ++i) {
      const double x = -80 + 160.0 * i / 499;
      samplePoints.push_back(Arch(x));
      Vector3d normal(x / 50, -1, 0);  // perpendicular to the tangent (1, x/50, 0)
      normal.Normalize();
      sampleNormals.push_back(normal);
    }
  }
  Vector3d InterpolateSegment(unsigned int index, double t) const override {
    const Vector3d& p0 = controlPoints[index - 1];
    const Vector3d& p1 = controlPoints[index];
    const Vector3d& p2 = controlPoints[index + 1];
    const Vector3d& p3 = controlPoints[index + 2];
    const double t2 = t * t, t3 = t2 * t;
    return (p1 * 2 + (p2 - p0) * t + (p0 * 2 - p1 * 5 + p2 * 4 - p3) * t2 + (p1 * 3 - p0 - p2 * 3 + p3) * t3) * 0.5;
  }

private:
  static Vector3d Arch(double x) { return Vector3d(x, x * x / 100, 0); }
};

struct Scene {
  Scene() : context(512, 512) {
    if (!context.Ok()) {
      std::fprintf(stderr, "no headless GL context: %s\n", context.Error().c_str());
      std::exit(1);
    }
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-100, 100, -20, 80, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    Configure(view3D);
    Configure(axial);
  }
  template <typename Region>
  void Configure(Region& region) {
    region.SetSpline(&spline);
    region.SetWidth(20);
    region.SetTransversalSlices(21, 4);
    region.SetInspectionWindow(spline.GetLength() / 4, 30);
    region.SetSampling({0.4, 0.4});
    region.SetTSAGapInPixels(5);
    region.SetLSAGapInPixels(5);
    region.SetIWGapInPixels(5);
    region.SetBorderColor(Vector3d(1, 1, 0));
    region.SetTSAColor(Vector3d(0, 1, 0));
    region.SetLSAColor(Vector3d(1, 0, 0));
    region.SetIWColor(Vector3d(0, 0.5, 1));
  }
  Headless::HeadlessContext context;
  ArchSpline spline;
  Quorvel::GlPanoramaRegion3D view3D;
  Quorvel::GlPanoramaRegionAxial axial;
};

Scene& TheScene() {
  static Scene scene;
  return scene;
}

const Vector3d kPosition(10, 3, 0);
const Vector3d kUp(0, 0, 1);

template <typename Draw>
void Run(benchmark::State& state, Draw draw) {
  const bool finish = state.range(0) != 0;
  draw();
  glFinish();
  for (auto _ : state) {
    draw();
    if (finish) glFinish();
  }
  glFinish();
  state.SetLabel(finish ? "with glFinish" : "issued");
}

void BM_Region3D(benchmark::State& state) { Run(state, [] { TheScene().view3D.RenderRegion(); }); }
void BM_Slices3D(benchmark::State& state) { Run(state, [] { TheScene().view3D.RenderSlices(kPosition, kUp); }); }
void BM_RegionAxial(benchmark::State& state) { Run(state, [] { TheScene().axial.RenderRegion(); }); }
void BM_SlicesAxial(benchmark::State& state) { Run(state, [] { TheScene().axial.RenderSlices(kPosition); }); }

BENCHMARK(BM_Region3D)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Slices3D)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RegionAxial)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SlicesAxial)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
