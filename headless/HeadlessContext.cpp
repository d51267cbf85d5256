#include "HeadlessContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

namespace Headless {
namespace {

// The display lives for the whole process; contexts come and go.
EGLDisplay SurfacelessDisplay(std::string& error) {
  static std::string initError;
  static EGLDisplay display = [] {
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay) {
      initError = "EGL has no eglGetPlatformDisplayEXT (is Mesa's libegl-mesa0 installed?)";
      return EGLDisplay(EGL_NO_DISPLAY);
    }
    EGLDisplay d = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    EGLint major = 0, minor = 0;
    if (d == EGL_NO_DISPLAY || !eglInitialize(d, &major, &minor)) {
      initError = "no surfaceless EGL display (EGL_PLATFORM_SURFACELESS_MESA) is available";
      return EGLDisplay(EGL_NO_DISPLAY);
    }
    return d;
  }();
  error = initError;
  return display;
}

}  // namespace

HeadlessContext::HeadlessContext(int w, int h) : width(w), height(h) {
  EGLDisplay d = SurfacelessDisplay(error);
  if (d == EGL_NO_DISPLAY) return;
  if (!eglBindAPI(EGL_OPENGL_API)) {
    error = "EGL cannot bind the desktop OpenGL API";
    return;
  }
  const EGLint configAttribs[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RED_SIZE, 8,
                                  EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8,
                                  EGL_DEPTH_SIZE, 24, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                  EGL_NONE};
  EGLConfig config;
  EGLint count = 0;
  if (!eglChooseConfig(d, configAttribs, &config, 1, &count) || count != 1) {
    error = "no RGBA8 pbuffer config for desktop OpenGL on the EGL display";
    return;
  }
  display = d;
  const EGLint surfaceAttribs[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
  surface = eglCreatePbufferSurface(d, config, surfaceAttribs);
  if (surface == EGL_NO_SURFACE) {
    error = "cannot create an EGL pbuffer";
    return;
  }
  const EGLint contextAttribs[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                   EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
  context = eglCreateContext(d, config, EGL_NO_CONTEXT, contextAttribs);
  if (context == EGL_NO_CONTEXT) {
    error = "cannot create a compatibility-profile OpenGL context";
    return;
  }
  if (!eglMakeCurrent(d, surface, surface, context)) error = "cannot make the context current";
}

HeadlessContext::~HeadlessContext() {
  if (!display) return;
  eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (context != EGL_NO_CONTEXT) eglDestroyContext(display, context);
  if (surface != EGL_NO_SURFACE) eglDestroySurface(display, surface);
}

}  // namespace Headless
