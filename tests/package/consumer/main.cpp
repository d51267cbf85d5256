// A program built against the installed package only: it must find the
// headers, the library, and the GL/GLU link needs through the package.
#include <quorvel/Quorvel.h>

#include <GL/glu.h>

#include <cstdio>

int main() {
  Quorvel::GlCamera camera;
  camera.SetEye(Camera::Vec3(0, -10, 0));
  const Camera::Vec3 right = camera.DirectionRight();
  const GLubyte* noError = gluErrorString(GL_NO_ERROR);
  std::printf("right %g %g %g, glu %s\n", right[0], right[1], right[2], noError ? "ok" : "missing");
  return right[0] == 1.0 && noError ? 0 : 1;
}
