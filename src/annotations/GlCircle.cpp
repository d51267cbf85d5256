#include <quorvel/GlCircle.h>

#include "frame/GlScopes.h"

#include <GL/gl.h>

#include <cmath>

namespace Quorvel {

const unsigned short GlCircle::LINE_SOLID = 0xFFFF;
const unsigned short GlCircle::LINE_STRIPED = 0xCCCC;
const unsigned short GlCircle::LINE_DOTTED = 0x8888;

namespace {

// The constants and the accumulated angle below fix the vertex count and the
// exact vertices; do not replace them with M_PI or an integer loop.
constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kMaxSegments = 100.0;

// Half the length of the shorter axis; axis2 when the lengths are equal.
double ChordTolerance(const GlCircle::Vec3& axis1, const GlCircle::Vec3& axis2) {
  const double length1 = axis1.Length();
  const double length2 = axis2.Length();
  return 0.5 * (length1 < length2 ? length1 : length2);
}

// Smallest count of equal chords that stay within e of the arc, at most 100.
// Not a number when the arc cosine is undefined (radius below e/2, zero,
// negative or NaN).
double SegmentCount(double e, double radius) {
  const double n = std::ceil(kPi / std::acos(1.0 - e / radius));
  return n > kMaxSegments ? kMaxSegments : n;
}

void ApplyStipple(unsigned short pattern) {
  if (pattern == GlCircle::LINE_SOLID) {
    glDisable(GL_LINE_STIPPLE);
  } else {
    glEnable(GL_LINE_STIPPLE);
    glLineStipple(1, pattern);
  }
}

}  // namespace

GlCircle::GlCircle() : color{255, 128, 128, 255}, lineStipple(LINE_STRIPED) {}

GlCircle::GlCircle(const GlCircle&) = default;

GlCircle& GlCircle::operator=(const GlCircle&) = default;

GlCircle::~GlCircle() = default;

void GlCircle::SetColor(const unsigned char* const rgba) {
  if (!rgba) return;
  for (int i = 0; i < 4; ++i) color[i] = rgba[i];
}

void GlCircle::SetColor(const Brantel::Geometry::Vector3<int>& rgb) {
  // Conversion to unsigned char keeps the low 8 bits (modulo 256).
  for (int i = 0; i < 3; ++i) color[i] = static_cast<unsigned char>(rgb[i]);
  color[3] = 255;
}

void GlCircle::SetLineStipple(unsigned short pattern) { lineStipple = pattern; }

void GlCircle::Render(const Vec3& center, const Vec3& axis1, const Vec3& axis2, double radius) {
  const AttributeScope attributes(kLineDrawingAttributes);
  glMatrixMode(GL_MODELVIEW);
  const MatrixScope matrix;
  glDisable(GL_LIGHTING);
  ApplyStipple(lineStipple);

  const double e = ChordTolerance(axis1, axis2);
  if (e > 0) {
    const double n = SegmentCount(e, radius);
    Vec3 d1 = axis1;
    Vec3 d2 = axis2;
    d1.Normalize();
    d2.Normalize();
    glTranslated(center[0], center[1], center[2]);
    glBegin(GL_LINE_LOOP);
    glColor4ubv(color);
    const double step = kTwoPi / n;
    for (double angle = 0; angle <= kTwoPi; angle += step) {
      const Vec3 vertex = ((d1 * std::sin(angle)) + (d2 * std::cos(angle))) * radius;
      glVertex3dv(vertex.Data());
    }
    glEnd();
  }

  glDisable(GL_LINE_STIPPLE);
}

}  // namespace Quorvel
