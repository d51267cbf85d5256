#include "FrameStats.h"
#include "Runs.h"
#include "Viewer.h"

#include <GLFW/glfw3.h>

#include <iostream>
#include <stdexcept>

namespace Demo {
namespace {

// Input state shared with the GLFW callbacks through the window's user
// pointer. Cursor positions arrive in screen coordinates from the top left;
// the viewer wants framebuffer pixels from the bottom left.
struct Interaction {
  Viewer* viewer = nullptr;
  bool dragging = false;
  bool changed = true;
};

void FramebufferPoint(GLFWwindow* window, double& x, double& y, int& width, int& height) {
  int windowWidth = 1, windowHeight = 1;
  glfwGetWindowSize(window, &windowWidth, &windowHeight);
  glfwGetFramebufferSize(window, &width, &height);
  glfwGetCursorPos(window, &x, &y);
  x *= double(width) / windowWidth;
  y = height - y * double(height) / windowHeight;
}

Interaction& StateOf(GLFWwindow* window) { return *static_cast<Interaction*>(glfwGetWindowUserPointer(window)); }

void OnCursor(GLFWwindow* window, double, double) {
  Interaction& s = StateOf(window);
  if (!s.dragging) return;
  double x, y;
  int width, height;
  FramebufferPoint(window, x, y, width, height);
  s.viewer->Drag(width, height, x, y);
  s.changed = true;
}

void OnButton(GLFWwindow* window, int button, int action, int) {
  if (button != GLFW_MOUSE_BUTTON_LEFT) return;
  StateOf(window).dragging = action == GLFW_PRESS;
  OnCursor(window, 0, 0);
}

void OnScroll(GLFWwindow* window, double, double steps) {
  double x, y;
  int width, height;
  FramebufferPoint(window, x, y, width, height);
  StateOf(window).viewer->Scroll(width, height, x, y, steps);
  StateOf(window).changed = true;
}

// Up/Down: slice; W/w: window wider/narrower; L/l: level up/down; Esc: quit.
void OnKey(GLFWwindow* window, int key, int, int action, int mods) {
  if (action == GLFW_RELEASE) return;
  Scene& scene = StateOf(window).viewer->GetScene();
  const bool shift = mods & GLFW_MOD_SHIFT;
  Window w = scene.GetWindow();
  switch (key) {
    case GLFW_KEY_ESCAPE: glfwSetWindowShouldClose(window, GLFW_TRUE); return;
    case GLFW_KEY_UP: scene.StepSlice(1); break;
    case GLFW_KEY_DOWN: scene.StepSlice(-1); break;
    case GLFW_KEY_W: w.width *= shift ? 1.1 : 1.0 / 1.1; scene.SetWindow(w); break;
    case GLFW_KEY_L: w.centre += shift ? 50.0 : -50.0; scene.SetWindow(w); break;
    default: return;
  }
  StateOf(window).changed = true;
}

void OnResize(GLFWwindow* window, int, int) { StateOf(window).changed = true; }

struct Glfw {
  Glfw() {
    if (!glfwInit()) throw std::runtime_error("cannot open a window: GLFW found no display");
  }
  ~Glfw() { glfwTerminate(); }
};

}  // namespace

int RunWindow(const Options& options, StageTimes& times) {
  std::unique_ptr<Scene> scene = MakeScene(options, times);
  Stopwatch windowTime;
  Glfw glfw;
  glfwWindowHint(GLFW_DEPTH_BITS, 24);
  GLFWwindow* window = glfwCreateWindow(options.width, options.height, "Quorvel demo", nullptr, nullptr);
  if (!window) throw std::runtime_error("cannot open a window: GLFW could not create an OpenGL context");
  glfwMakeContextCurrent(window);
  glfwSwapInterval(options.framesGiven ? 0 : 1);
  times.Add("GLFW window and context", windowTime.Seconds());
  {
    Viewer viewer(*scene);
    Interaction interaction{&viewer};
    glfwSetWindowUserPointer(window, &interaction);
    glfwSetCursorPosCallback(window, OnCursor);
    glfwSetMouseButtonCallback(window, OnButton);
    glfwSetScrollCallback(window, OnScroll);
    glfwSetKeyCallback(window, OnKey);
    glfwSetFramebufferSizeCallback(window, OnResize);
    glfwSetWindowRefreshCallback(window, [](GLFWwindow* w) { StateOf(w).changed = true; });
    FrameStats stats;
    int shown = 0, width = 0, height = 0;
    while (!glfwWindowShouldClose(window)) {
      glfwGetFramebufferSize(window, &width, &height);
      Stopwatch frame;
      viewer.Render(width, height);
      glFinish();
      stats.AddFrame(frame.Seconds());
      if (shown == 0) times.Add("first frame (tiles converted, drawn)", frame.Seconds());
      const bool last = options.framesGiven && ++shown >= options.frames;
      if (last && !options.out.empty()) {
        glReadBuffer(GL_BACK);
        SavePicture(options, width, height, times);
      }
      glfwSwapBuffers(window);
      if (last) break;
      interaction.changed = false;
      if (options.framesGiven) glfwPollEvents();
      else while (!interaction.changed && !glfwWindowShouldClose(window)) glfwWaitEvents();
    }
    if (options.framesGiven) stats.Print(std::cout);
  }
  glfwDestroyWindow(window);
  return 0;
}

}  // namespace Demo
