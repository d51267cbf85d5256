// GlWiredVolume's cutting-plane outline, read back through GL's feedback buffer. Any input draws at most the
// square's 4 edges and one more per face. A box of positive size and a plane through a centre near it, spanned
// by two unit axes, give points in the box and in the plane, a convex outline, and, through the box centre, at
// least 3 points, all on faces when the axes are perpendicular.
#include "FuzzInput.h"
#include "HeadlessContext.h"

#include <quorvel/GlWiredVolume.h>

#include <GL/gl.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Headless::HeadlessContext context(16, 16);
  Require(context.Ok(), "no headless GL context");
  FuzzInput in(data, size);
  const bool any = in.Byte() % 4 == 0;
  bool throughCentre = false, perpendicular = false;
  Vec3 box, centre, u, v;
  if (any) {
    for (Vec3* vector : {&box, &centre, &u, &v}) *vector = in.AnyVector();
  } else {  // braces read in order
    box = Vec3{in.Between(1e-3, 1e4), in.Between(1e-3, 1e4), in.Between(1e-3, 1e4)};
    throughCentre = in.Flag();
    perpendicular = in.Flag();
    if (!throughCentre) centre = Vec3{in.Between(-box[0], box[0]), in.Between(-box[1], box[1]), in.Between(-box[2], box[2])};
    for (Vec3* axis : {&u, &v}) *axis = Vec3{in.Between(-1, 1), in.Between(-1, 1), in.Between(-1, 1)};
    for (Vec3* axis : {&u, &v}) *axis = axis->Length() < 1e-3 ? Vec3(1, 0, 0) : *axis / axis->Length();
    if (perpendicular) v = v - u * DotProduct(u, v);
    if (CrossProduct(u, v).Length() < 0.05) v = CrossProduct(u, std::fabs(u[0]) < 0.5 ? Vec3(1, 0, 0) : Vec3(0, 1, 0));
    v.Normalize();
  }
  // Feedback with the box in the middle half of a 2 × 2 viewport: per edge a line token and two vertices,
  // x and y at 1 + ndc, depth at (1 + ndc) / 2; the first vertices of the edges make the outline.
  Quorvel::GlWiredVolume volume;
  volume.SetVolumeSize(box);
  glViewport(0, 0, 2, 2);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glScaled(1 / box[0], 1 / box[1], 1 / box[2]);
  GLfloat buffer[256];
  glFeedbackBuffer(256, GL_3D, buffer);
  glRenderMode(GL_FEEDBACK);
  volume.RenderPlane(centre, u, v);
  const GLint floats = glRenderMode(GL_RENDER);  // -1 past the buffer's end
  Require(floats >= 0 && floats <= 10 * 7, "more edges than clipping can make");  // 7 floats an edge
  if (any) return 0;

  std::vector<Vec3> points;
  for (GLint i = 0; i + 7 <= floats; i += 7)
    points.push_back(Vec3((buffer[i + 1] - 1.0) * box[0], (buffer[i + 2] - 1.0) * box[1], (buffer[i + 3] * 2.0 - 1) * box[2]));
  const Vec3 normal = CrossProduct(u, v) / CrossProduct(u, v).Length();
  const Vec3 slack = box * 2e-6;  // a few steps of GL's floats
  bool left = false, right = false;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const Vec3 &p = points[i], &b = points[(i + 1) % points.size()], &c = points[(i + 2) % points.size()];
    int faces = 0;
    for (int a = 0; a < 3; ++a) {
      Require(std::fabs(p[a]) <= box[a] / 2 + slack[a], "an outline point lies outside the box");
      faces += std::fabs(std::fabs(p[a]) - box[a] / 2) <= slack[a];
    }
    Require(faces > 0 || !perpendicular || !throughCentre, "an outline point of a covering square lies on no face");
    Require(std::fabs(DotProduct(p - centre, normal)) <= 2 * slack.Length(), "an outline point lies off the plane");
    const double turn = DotProduct(CrossProduct(b - p, c - b), normal);  // of one sign all round when convex
    left = left || turn > 8 * box.Length() * slack.Length();
    right = right || turn < -8 * box.Length() * slack.Length();
  }
  Require(!(left && right), "the outline is not convex");
  Require(!throughCentre || points.size() >= 3, "a plane through the box centre gave fewer than 3 points");
  return 0;
}
