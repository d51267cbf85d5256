#include "Controls.h"
#include "FrameStats.h"
#include "Runs.h"
#include "SceneSource.h"
#include "Viewer.h"

#include <GLFW/glfw3.h>

#include <iostream>
#include <stdexcept>

namespace Demo {
namespace {

// Input state shared with the GLFW callbacks through the window's user
// pointer. Cursor positions arrive in screen coordinates from the top left;
// the controls want framebuffer pixels from the bottom left.
struct Interaction {
  Controls* controls = nullptr;
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
  double x, y;
  int width, height;
  FramebufferPoint(window, x, y, width, height);
  if (StateOf(window).controls->Move(width, height, x, y)) StateOf(window).changed = true;
}

void OnButton(GLFWwindow* window, int button, int action, int) {
  Interaction& s = StateOf(window);
  if (action == GLFW_RELEASE) return s.controls->Release();
  double x, y;
  int width, height;
  FramebufferPoint(window, x, y, width, height);
  const Controls::Button pressed = button == GLFW_MOUSE_BUTTON_LEFT     ? Controls::Button::Left
                                   : button == GLFW_MOUSE_BUTTON_MIDDLE ? Controls::Button::Middle
                                                                        : Controls::Button::Right;
  s.controls->Press(pressed, width, height, x, y);
  s.changed = true;
}

void OnScroll(GLFWwindow* window, double, double steps) {
  double x, y;
  int width, height;
  FramebufferPoint(window, x, y, width, height);
  StateOf(window).controls->Scroll(width, height, x, y, steps);
  StateOf(window).changed = true;
}

// Up/Down, PageUp/PageDown: slice; W/w: window wider/narrower; L/l: level
// up/down; Backspace: remove the last arch point; Esc: quit.
void OnKey(GLFWwindow* window, int key, int, int action, int mods) {
  if (action == GLFW_RELEASE) return;
  const bool shift = mods & GLFW_MOD_SHIFT;
  using Key = Controls::Key;
  Key pressed;
  switch (key) {
    case GLFW_KEY_ESCAPE: glfwSetWindowShouldClose(window, GLFW_TRUE); return;
    case GLFW_KEY_UP: pressed = Key::SliceUp; break;
    case GLFW_KEY_DOWN: pressed = Key::SliceDown; break;
    case GLFW_KEY_PAGE_UP: pressed = Key::TenSlicesUp; break;
    case GLFW_KEY_PAGE_DOWN: pressed = Key::TenSlicesDown; break;
    case GLFW_KEY_W: pressed = shift ? Key::WindowWider : Key::WindowNarrower; break;
    case GLFW_KEY_L: pressed = shift ? Key::LevelUp : Key::LevelDown; break;
    case GLFW_KEY_BACKSPACE: pressed = Key::RemoveArchPoint; break;
    default: return;
  }
  StateOf(window).controls->Press(pressed);
  StateOf(window).changed = true;
}

void OnResize(GLFWwindow* window, int, int) { StateOf(window).changed = true; }

struct Glfw {
  Glfw() {
    if (!glfwInit()) throw std::runtime_error("cannot open a window: GLFW found no display");
  }
  ~Glfw() { glfwTerminate(); }
};

void Listen(GLFWwindow* window, Interaction& interaction) {
  glfwSetWindowUserPointer(window, &interaction);
  glfwSetCursorPosCallback(window, OnCursor);
  glfwSetMouseButtonCallback(window, OnButton);
  glfwSetScrollCallback(window, OnScroll);
  glfwSetKeyCallback(window, OnKey);
  glfwSetFramebufferSizeCallback(window, OnResize);
  glfwSetWindowRefreshCallback(window, [](GLFWwindow* w) { StateOf(w).changed = true; });
}

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
  Controls controls(*scene);
  {
    Viewer viewer(*scene, true);
    Interaction interaction{&controls};
    Listen(window, interaction);
    FrameStats stats;
    int shown = 0, width = 0, height = 0;
    for (;;) {
      glfwGetFramebufferSize(window, &width, &height);
      Stopwatch frame;
      viewer.Render(width, height);
      glFinish();
      stats.AddFrame(frame.Seconds());
      if (++shown == 1) times.Add("first frame (tiles converted, drawn)", frame.Seconds());
      // The window closing (Esc, or its close button) or the last of
      // --frames: the frame just drawn is the one --out keeps.
      if (glfwWindowShouldClose(window) || (options.framesGiven && shown >= options.frames)) {
        if (!options.out.empty()) {
          glReadBuffer(GL_BACK);
          SavePicture(options, width, height, times);
        }
        break;
      }
      glfwSwapBuffers(window);
      interaction.changed = false;
      if (options.framesGiven) glfwPollEvents();
      else while (!interaction.changed && !glfwWindowShouldClose(window)) glfwWaitEvents();
    }
    if (options.framesGiven) stats.Print(std::cout);
  }
  glfwDestroyWindow(window);
  if (controls.ArchEdited()) std::cout << "the arch: --arch \"" << scene->ArchText() << "\"\n";
  return 0;
}

}  // namespace Demo
