#include "Overlay.h"

#include <GL/gl.h>

#include <cstdio>

namespace Demo {

void BeginOverlay(const Viewport& viewport) {
  glDisable(GL_DEPTH_TEST);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0.0, viewport.width, 0.0, viewport.height, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void Label(Quorvel::GlText& font, int x, int y, const Brantel::Geometry::Vector3<double>& colour,
           const std::string& text) {
  glColor3d(0.0, 0.0, 0.0);
  glRasterPos2i(x + 1, y - 1);
  font.Write(text.c_str());
  glColor3dv(colour.Data());
  glRasterPos2i(x, y);
  font.Write(text.c_str());
}

void LabelAt(Quorvel::GlText& font, const Brantel::Geometry::Vector3<double>& point,
             const Brantel::Geometry::Vector3<double>& colour, const std::string& text) {
  glColor3dv(colour.Data());
  glRasterPos3dv(point.Data());
  font.Write(text.c_str());
}

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

}  // namespace Demo
