// Soak: 10,000 frames of a full viewer frame on the headless context at a
// 128 × 128 viewport, with every kind of object the library draws. Reports
// frames per second and the resident memory after the first 100 frames and
// at the end; the end value should stay within 1 MiB of the first. The image
// plane changes slice every 25 frames (alternating between two sizes, so the
// tiles are planned and allocated afresh) and its table every 10.
// The main heap's bytes in use (mallinfo2) are reported too: a leak of the
// library's objects shows there first, while the resident size also moves
// with how the allocator and the driver keep freed memory.
#include <quorvel/Quorvel.h>

#include "HeadlessContext.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <malloc.h>
#include <unistd.h>
#include <vector>

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

using GreyImage = Quorvel::Gl2DTextureMapper::GreyImage;

// A grey ramp with a diagonal band, so that every tile holds image data.
std::unique_ptr<GreyImage> MakeSlice(int width, int height) {
  auto image = std::make_unique<GreyImage>(width, height, true);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image->GetData()[y * width + x] = static_cast<unsigned short>((x + 3 * y) % 4096);
  return image;
}

std::vector<std::uint32_t> MakeTable(std::uint32_t tint) {
  std::vector<std::uint32_t> table(4096);
  for (std::uint32_t v = 0; v < table.size(); ++v) table[v] = 0xFF000000u | (((v >> 4) * 0x010101u) ^ tint);
  return table;
}

double HeapInUseMiB() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<double>(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

// Resident size after the allocator has handed its free pages back (in every
// arena), so that what stays counts memory still held, not memory cached.
double ResidentMiB() {
  malloc_trim(0);
  long pages = 0, resident = 0;
  if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

struct Viewer {
  Viewer()
      : context(kViewport, kViewport),
        mapper(256, true),
        slices{MakeSlice(300, 200), MakeSlice(520, 260)},
        tables{MakeTable(0), MakeTable(0x204060)},
        text(nullptr, 10, 400) {
    mapper.SetLookupTable(tables[0].data(), 4096);
    mapper.SetBuffer(slices[0].get());
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
  // the cutting plane so that no two consecutive frames are alike. Every
  // change repeats within kWarmUpFrames, so the driver has met every state
  // the soak uses by the first measurement.
  void Draw(int frame) {
    const double phase = (frame % kWarmUpFrames) * 2 * std::acos(-1.0) / kWarmUpFrames;
    glViewport(0, 0, kViewport, kViewport);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    camera.SetPerspectiveFrustum();
    camera.SetLookAt();

    if (frame % 25 == 0) mapper.SetBuffer(slices[(frame / 25) % 2].get());
    if (frame % 10 == 0) {
      mapper.SetLookupTable(tables[(frame / 10) % 2].data(), 4096);
      mapper.UpdateBufferFromLUT();
    }
    mapper.RenderTexture(Vector3d(-60, -50, -10), Vector3d(120, 0, 0), Vector3d(0, 100, 0));

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

  Headless::HeadlessContext context;
  Quorvel::GlCamera camera;
  Quorvel::Gl2DTextureMapper mapper;
  std::unique_ptr<GreyImage> slices[2];
  std::vector<std::uint32_t> tables[2];
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
    const double warmHeap = HeapInUseMiB();
    const auto start = std::chrono::steady_clock::now();
    for (int frame = kWarmUpFrames; frame < kFrames; ++frame) viewer.Draw(frame);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double end = ResidentMiB();
    const double endHeap = HeapInUseMiB();
    const double fps = (kFrames - kWarmUpFrames) / seconds;
    state.counters["frames_per_s"] = fps;
    state.counters["rss_after_100_MiB"] = warm;
    state.counters["rss_end_MiB"] = end;
    state.counters["rss_growth_KiB"] = (end - warm) * 1024;
    state.counters["heap_growth_KiB"] = (endHeap - warmHeap) * 1024;
    std::printf("soak: %d frames at %dx%d, %.0f frames/s; resident %.2f MiB after %d frames, %.2f MiB at the end "
                "(%+.0f KiB, %s); heap in use %+.0f KiB\n",
                kFrames, kViewport, kViewport, fps, warm, kWarmUpFrames, end, (end - warm) * 1024,
                end - warm <= kAllowedGrowthMiB ? "within 1 MiB" : "MORE THAN 1 MiB", (endHeap - warmHeap) * 1024);
  }
}

BENCHMARK(BM_SoakFrames)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
