#include "Arrow.h"

#include "ArrowTurn.h"
#include "frame/GlScopes.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace Quorvel {
namespace {

using Vec3 = Brantel::Geometry::Vector3<double>;

// The arrow's proportions: single-precision constants used in double
// arithmetic, and the head offset derived from them in double.
constexpr double kTail = 0.1f;
constexpr double kHead = 0.2f;
constexpr double kShaftRadius = 0.05f;
constexpr double kHeadOffset = 1.0 - kTail - kHead;
constexpr GLint kSlices = 8;
constexpr GLint kStacks = 1;

void SetLightAndMaterial(const Vec3& color) {
  const GLfloat lightSpecular[4] = {0.9f, 0.9f, 0.9f, 1.0f};
  glLightfv(GL_LIGHT0, GL_SPECULAR, lightSpecular);
  glColor3dv(color.Data());

  Vec3 hue = color;
  hue.Normalize();
  const Vec3 specular = hue * 0.5;
  const Vec3 diffuse = hue * 0.01;
  const GLfloat materialSpecular[4] = {GLfloat(specular[0]), GLfloat(specular[1]), GLfloat(specular[2]), 1.0f};
  const GLfloat materialDiffuse[4] = {GLfloat(diffuse[0]), GLfloat(diffuse[1]), GLfloat(diffuse[2]), 1.0f};
  const GLfloat materialAmbient[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  glMaterialfv(GL_FRONT, GL_SPECULAR, materialSpecular);
  glMaterialfv(GL_FRONT, GL_DIFFUSE, materialDiffuse);
  glMaterialfv(GL_FRONT, GL_AMBIENT, materialAmbient);
  glMaterialf(GL_FRONT, GL_SHININESS, 0.5f);
}

void Turn(const ArrowTurn& turn) {
  if (turn.issued) glRotated(turn.degrees, turn.axis[0], turn.axis[1], turn.axis[2]);
}

// One cylinder piece whose base sits at `base`, turned onto the arrow.
void DrawPiece(GLUquadric* quadric, const Vec3* base, const ArrowTurn& turn, double baseRadius, double topRadius,
               double height) {
  const MatrixScope matrix;
  if (base) glTranslated((*base)[0], (*base)[1], (*base)[2]);
  Turn(turn);
  gluCylinder(quadric, baseRadius, topRadius, height, kSlices, kStacks);
}

}  // namespace

void RenderArrow(const ColoredVector& arrow) {
  GLUquadric* quadric = gluNewQuadric();
  const Vec3& d = arrow.direction;
  const double length = d.Length();
  const ArrowTurn turn = TurnFromZOnto(d);
  if (!quadric) return;

  SetLightAndMaterial(arrow.color);
  const Vec3 headBase = d * kHeadOffset;
  const Vec3 shaftBase = d * kTail;
  DrawPiece(quadric, &headBase, turn, kTail * length, 0.0, kHead * length);
  DrawPiece(quadric, &shaftBase, turn, kShaftRadius * length, kShaftRadius * length, kHeadOffset * length);
  DrawPiece(quadric, nullptr, turn, 0.0, kShaftRadius * length, kTail * length);
  gluDeleteQuadric(quadric);
}

}  // namespace Quorvel
