// A first frame with Quorvel: a 16-bit slice through a lookup table, a
// crosshair and a line of text, drawn into a headless OpenGL context, then
// checked pixel by pixel. `quorvel-minimal out.ppm` also writes the picture.
//
// A viewer draws into the context it already has (its window's); the EGL
// lines in MakeHeadlessContext only stand in for that, so that the program
// runs without a display.
#include <quorvel/Quorvel.h>

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Vec2 = Brantel::Geometry::Vector2<double>;
using Vec3 = Brantel::Geometry::Vector3<double>;

constexpr int kSize = 256;  // framebuffer and image, in pixels

//! [context]
// Makes a compatibility-profile (fixed-function) OpenGL context on Mesa's
// surfaceless EGL platform current, drawing into a pbuffer. It lives until
// the process ends. False if there is none.
bool MakeHeadlessContext(int width, int height) {
  const auto getPlatformDisplay =
      reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (!getPlatformDisplay) return false;
  EGLDisplay display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) return false;
  const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                     EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_NONE};
  const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
  const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                      EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
  EGLConfig config;
  EGLint count = 0;
  if (!eglChooseConfig(display, configAttributes, &config, 1, &count) || count != 1) return false;
  EGLSurface surface = eglCreatePbufferSurface(display, config, surfaceAttributes);
  if (surface == EGL_NO_SURFACE || !eglBindAPI(EGL_OPENGL_API)) return false;
  EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
  return context != EGL_NO_CONTEXT && eglMakeCurrent(display, surface, surface, context);
}
//! [context]

//! [table]
// A grey window from 16384 to 49152 over the whole 16-bit range. The table has
// 65,535 entries, the most its unsigned short count can say: 65,536 would
// wrap to 0 and every texel would become transparent black. Values past the
// last entry take its colour, so 65535 shows entry 65534, white here as it
// should be.
std::vector<std::uint32_t> MakeGreyWindow() {
  std::vector<std::uint32_t> table(65535);
  for (std::size_t value = 0; value < table.size(); ++value) {
    const double t = std::fmin(std::fmax((double(value) - 16384.0) / 32768.0, 0.0), 1.0);
    const std::uint32_t grey = std::uint32_t(std::lround(t * 255.0));
    table[value] = grey | grey << 8 | grey << 16 | 0xff000000u;  // bytes red, green, blue, alpha
  }
  return table;
}
//! [table]

// The slice: black background, a disc of value 40000 and at its centre a
// smaller disc of the largest value, 65535.
std::vector<unsigned short> MakeSlice() {
  std::vector<unsigned short> pixels(kSize * kSize);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const double r = std::hypot(x + 0.5 - kSize / 2, y + 0.5 - kSize / 2);
      pixels[y * kSize + x] = r < 30 ? 65535 : r < 100 ? 40000 : 0;
    }
  }
  return pixels;
}

//! [frame]
void DrawFrame(const std::vector<std::uint32_t>& table, Brantel::NImage::Image2D<unsigned short>& slice) {
  Quorvel::GlCamera camera;  // one pixel = 2 · zoom = 1 world unit, origin at the centre
  camera.SetEye(Vec3(0, 0, 10));
  camera.SetFocus(Vec3(0, 0, 0));
  camera.SetDirectionUp(Vec3(0, 1, 0));
  camera.SetClipPlanes(Vec2(1, 100));
  camera.SetZoom(0.5);
  glViewport(0, 0, kSize, kSize);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  camera.SetOrthoFrustum();
  camera.SetLookAt();

  Quorvel::Gl2DTextureMapper mapper;  // tiles as large as needed, linear filtering
  mapper.SetLookupTable(table.data(), static_cast<unsigned short>(table.size()));
  mapper.SetBuffer(&slice);  // converts through the table; keeps the pointer
  mapper.RenderTexture(Vec3(-kSize / 2, -kSize / 2, 0), Vec3(kSize, 0, 0), Vec3(0, kSize, 0));

  Quorvel::GlCrosshair crosshair;
  crosshair.SetColor(Vec3(1, 0.8, 0));
  crosshair.SetAxes(Vec3(1, 0, 0), Vec3(0, 1, 0));
  crosshair.SetSampling(Vec2(1, 1));  // world size of one pixel: gaps are in pixels
  crosshair.SetGap(8);
  glPushMatrix();
  glTranslated(0.5, 0.5, 0);  // the crosshair draws about the origin: put it on a pixel centre
  crosshair.Render();
  glPopMatrix();

  Quorvel::GlText text("DejaVu Sans", 12, 700);  // needs the context: it builds display lists
  glColor3d(0.3, 1.0, 0.3);                      // the raster colour is taken at glRasterPos
  glRasterPos2d(-120, 110);
  text.Write("Quorvel");
}
//! [frame]

// Reads the framebuffer, checks one pixel of each thing drawn, and writes a
// binary PPM when asked. Returns the number of failed checks.
int CheckPicture(const char* ppmPath) {
  std::vector<unsigned char> rgb(kSize * kSize * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, kSize, kSize, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  const auto at = [&](int x, int y) { return &rgb[3 * (y * kSize + x)]; };  // x, y from the lower left
  const auto near = [](const unsigned char* p, int r, int g, int b) {
    return std::abs(p[0] - r) <= 2 && std::abs(p[1] - g) <= 2 && std::abs(p[2] - b) <= 2;
  };
  int textPixels = 0;
  for (int y = 230; y < 256; ++y) for (int x = 0; x < 128; ++x) textPixels += near(at(x, y), 77, 255, 77);
  const struct { const char* what; bool ok; } checks[] = {
      {"the disc is grey (40000 through the window)", near(at(180, 180), 184, 184, 184)},
      {"the centre is white (65535, past the table's last entry)", near(at(110, 140), 255, 255, 255)},
      {"the background is black", near(at(5, 5), 0, 0, 0)},
      {"the crosshair's arm crosses the disc", near(at(200, 128), 255, 204, 0)},
      {"the gap leaves the centre free", near(at(132, 128), 255, 255, 255)},
      {"the text is drawn", textPixels > 20},
  };
  int failed = 0;
  for (const auto& check : checks) {
    std::printf("%s: %s\n", check.ok ? "ok  " : "FAIL", check.what);
    failed += check.ok ? 0 : 1;
  }
  if (FILE* f = ppmPath ? std::fopen(ppmPath, "wb") : nullptr) {
    std::fprintf(f, "P6 %d %d 255\n", kSize, kSize);
    for (int y = kSize - 1; y >= 0; --y) std::fwrite(at(0, y), 3, kSize, f);  // PPM runs top down
    std::fclose(f);
  }
  return failed;
}

}  // namespace

int main(int argc, char** argv) {
  if (!MakeHeadlessContext(kSize, kSize)) {
    std::fprintf(stderr, "no headless OpenGL context (Mesa's EGL with the surfaceless platform is needed)\n");
    return 1;
  }
  const std::vector<std::uint32_t> table = MakeGreyWindow();
  std::vector<unsigned short> pixels = MakeSlice();
  Brantel::NImage::Image2D<unsigned short> slice(pixels.data(), kSize, kSize);  // wraps, never frees
  DrawFrame(table, slice);
  const int failed = CheckPicture(argc > 1 ? argv[1] : nullptr);
  std::printf("%s\n", failed == 0 ? "first frame ok" : "first frame wrong");
  return failed == 0 ? 0 : 1;
}
