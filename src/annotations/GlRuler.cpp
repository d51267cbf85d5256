#include <quorvel/GlRuler.h>

#include "LineDrawing.h"

#include <GL/gl.h>

namespace Quorvel {

namespace {

constexpr double kMinorTickFactor = 0.3;
constexpr double kMiddleTickFactor = 0.5;

// The middle index (n + 1) / 2 of an odd count, written so that it cannot
// overflow at INT_MAX.
bool IsMiddleTick(int i, int count) { return count % 2 == 1 && i == count / 2 + 1; }

}  // namespace

GlRuler::GlRuler() = default;

GlRuler::GlRuler(const GlRuler&) = default;

GlRuler& GlRuler::operator=(const GlRuler&) = default;

GlRuler::~GlRuler() = default;

void GlRuler::SetStartPosition(const Vec3& p) { startPosition = p; }

void GlRuler::SetColor(const Vec3& rgb) { color = rgb; }

void GlRuler::SetVectors(const Vec3& ruler, const Vec3& tick) {
  rulerVector = ruler;
  tickVector = tick;
}

void GlRuler::SetMinorTicsCount(int count) { minorTicsCount = count; }

void GlRuler::Render() {
  PrepareLineDrawing();
  glBegin(GL_LINES);
  glColor3dv(color.Data());
  const Vec3 end = startPosition + rulerVector;
  Segment(startPosition, end);
  Segment(startPosition - tickVector * 0.5, startPosition + tickVector * 0.5);
  Segment(end - tickVector * 0.5, end + tickVector * 0.5);
  if (minorTicsCount > 0) RenderMinorTicks();
  glEnd();
}

void GlRuler::RenderMinorTicks() const {
  // n + 1 is formed in double so that INT_MAX does not overflow.
  const Vec3 step = rulerVector / (static_cast<double>(minorTicsCount) + 1.0);
  for (int k = 0; k < minorTicsCount; ++k) {
    const int i = k + 1;
    const double factor = IsMiddleTick(i, minorTicsCount) ? kMiddleTickFactor : kMinorTickFactor;
    const Vec3 base = startPosition + step * static_cast<double>(i);
    Segment(base, base + tickVector * factor);
  }
}

}  // namespace Quorvel
