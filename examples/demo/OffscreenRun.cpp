#include "FrameStats.h"
#include "PngFile.h"
#include "Runs.h"
#include "SceneSource.h"
#include "Viewer.h"

#include "HeadlessContext.h"

#include <GL/gl.h>

#include <filesystem>
#include <iostream>
#include <stdexcept>

namespace Demo {

namespace {

// Renders the frames; each frame after the first converts the images again
// so that --frames measures the conversion as a window change would.
void RenderFrames(Viewer& viewer, const Options& options, StageTimes& times) {
  FrameStats stats;
  for (int i = 0; i < options.frames; ++i) {
    if (i > 0) {
      Stopwatch convert;
      const long pixels = viewer.ConvertImages();
      stats.AddConversion(convert.Seconds(), pixels);
    }
    Stopwatch frame;
    viewer.Render(options.width, options.height);
    glFinish();
    stats.AddFrame(frame.Seconds());
    if (i == 0) times.Add("first frame (tiles converted, drawn)", frame.Seconds());
  }
  if (options.framesGiven) stats.Print(std::cout);
}

}  // namespace

void SavePicture(const Options& options, int width, int height, StageTimes& times) {
  Stopwatch read;
  const Picture picture = ReadFramebuffer(width, height);
  times.Add("read back the framebuffer", read.Seconds());
  Stopwatch write;
  WritePng(options.out, picture);
  times.Add("write PNG", write.Seconds());
  std::cout << "quorvel-demo: wrote " << std::filesystem::absolute(options.out).string() << " (" << width << " x "
            << height << ")\n";
}

int RunOffscreen(const Options& options, StageTimes& times) {
  std::unique_ptr<Scene> scene = MakeScene(options, times);
  Stopwatch contextTime;
  Headless::HeadlessContext context(options.width, options.height);
  if (!context.Ok()) throw std::runtime_error("no headless OpenGL context: " + context.Error());
  times.Add("headless EGL context", contextTime.Seconds());
  Stopwatch fontTime;
  Viewer viewer(*scene, false);
  times.Add("viewer objects and fonts", fontTime.Seconds());
  RenderFrames(viewer, options, times);
  SavePicture(options, options.width, options.height, times);
  return 0;
}

}  // namespace Demo
