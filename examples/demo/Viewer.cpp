#include "Viewer.h"

#include "Style.h"

#include <GL/gl.h>

namespace Demo {
namespace {

void ClearViewport(const Viewport& v) {
  glViewport(v.x, v.y, v.width, v.height);
  glScissor(v.x, v.y, v.width, v.height);
  glEnable(GL_SCISSOR_TEST);
  glClearColor(GLclampf(Style::kViewBackground[0]), GLclampf(Style::kViewBackground[1]),
               GLclampf(Style::kViewBackground[2]), 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glDisable(GL_SCISSOR_TEST);
}

// New pixels are converted and planned again; a new table only converts.
void Hand(Quorvel::Gl2DTextureMapper& mapper, GreyImage& image, bool pixelsChanged, bool tableChanged) {
  if (pixelsChanged) mapper.SetBuffer(image.Buffer());
  else if (tableChanged) mapper.UpdateBufferFromLUT();
}

}  // namespace

Viewer::Viewer(Scene& s, bool interactive) : scene(s), volume(s) { resources.interactive = interactive; }

void Viewer::UpdateMappers() {
  const Changes changes = scene.TakeChanges();
  if (changes.table) {
    // At most 65,535 entries: the mapper's count is an unsigned short.
    const auto size = static_cast<unsigned short>(scene.Table().size());
    for (Quorvel::Gl2DTextureMapper* m : {&resources.slice, &resources.panoramic, &resources.crossSection})
      m->SetLookupTable(scene.Table().data(), size);
  }
  Hand(resources.slice, scene.Slice(), changes.slice, changes.table);
  if (!scene.HasArch()) return;
  Hand(resources.panoramic, scene.Panoramic(), changes.panoramic, changes.table);
  Hand(resources.crossSection, scene.CrossSection(), changes.crossSection, changes.table);
}

long Viewer::ConvertImages() {
  UpdateMappers();
  resources.slice.UpdateBufferFromLUT();
  long pixels = long(scene.Slice().Width()) * scene.Slice().Height();
  if (scene.HasArch()) {
    resources.panoramic.UpdateBufferFromLUT();
    resources.crossSection.UpdateBufferFromLUT();
    pixels += long(scene.Panoramic().Width()) * scene.Panoramic().Height() +
              long(scene.CrossSection().Width()) * scene.CrossSection().Height();
  }
  return pixels;
}

void Viewer::Render(int width, int height) {
  UpdateMappers();
  glViewport(0, 0, width, height);
  glClearColor(GLclampf(Style::kBackground[0]), GLclampf(Style::kBackground[1]), GLclampf(Style::kBackground[2]),
               1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  const Layout layout = MakeLayout(width, height);

  ClearViewport(layout.axial);
  axial.Render(scene, layout.axial, resources);
  ClearViewport(layout.volume);
  volume.Render(scene, layout.volume, resources);
  ClearViewport(layout.panoramic);
  panoramic.Render(scene, layout.panoramic, resources);
  ClearViewport(layout.crossSection);
  crossSection.Render(scene, layout.crossSection, resources);
}

}  // namespace Demo
