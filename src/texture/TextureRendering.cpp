// Drawing of the texture mapper's tiles: one fresh texture per tile per draw.
#include <quorvel/Gl2DTextureMapper.h>

#include "frame/GlScopes.h"

#include <GL/gl.h>

#include <cstddef>
#include <stdexcept>

namespace Quorvel {
namespace {

// Marks every image tile in the feedback buffer.
constexpr GLfloat kTileToken = 300.0f;

}  // namespace

void Gl2DTextureMapper::SetRenderInFeedbackMode(bool enabled) { renderInFeedbackMode = enabled; }

void Gl2DTextureMapper::ReleaseTextures() {
  for (const std::uint32_t name : textureNames) {
    const GLuint glName = name;
    glDeleteTextures(1, &glName);
    glGetError();
  }
  textureNames.clear();
}

void Gl2DTextureMapper::RenderTexture(const Vec3& origin, const Vec3& xEdge, const Vec3& yEdge) {
  if (!buffer || tileImages.empty()) return;
  GLint renderMode = 0;
  glGetIntegerv(GL_RENDER_MODE, &renderMode);
  if (renderMode == GL_FEEDBACK && !renderInFeedbackMode) return;

  // Reserved before the push, so that appending a name cannot throw with
  // the attributes pushed.
  textureNames.reserve(tileImages.size());
  AttributeScope attributes(GL_TEXTURE_BIT | GL_COLOR_BUFFER_BIT | GL_LIGHTING_BIT);
  if (textureNames.size() != tileImages.size()) {
    ReleaseTextures();  // names of an unfinished draw that do not fit the tiles
    if (!CreateTextures()) {
      attributes.Release();
      ReleaseTextures();
      throw std::runtime_error("Cannot allocate texture.");
    }
  }

  const Vec3 pixelX = xEdge / static_cast<double>(imageSize[0]);
  const Vec3 pixelY = yEdge / static_cast<double>(imageSize[1]);
  glColor4ub(255, 255, 255, 255);
  glEnable(GL_TEXTURE_2D);
  std::size_t next = 0;
  for (int column = 0; column < tileCount[0]; ++column) {
    for (int row = 0; row < tileCount[1]; ++row) DrawTile(column, row, textureNames[next++], origin, pixelX, pixelY);
  }
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glDisable(GL_TEXTURE_2D);
  attributes.Release();
  ReleaseTextures();
}

// Creates the tile textures column by column, each allocated empty at the
// tile size. Stops at the first size GL refuses and returns false; the names
// made so far stay in textureNames.
bool Gl2DTextureMapper::CreateTextures() {
  for (int column = 0; column < tileCount[0]; ++column) {
    for (int row = 0; row < tileCount[1]; ++row) {
      GLuint name = 0;
      glGenTextures(1, &name);
      glGetError();
      textureNames.push_back(name);
      glBindTexture(GL_TEXTURE_2D, name);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
      glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
      glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, tileSize[0], tileSize[1], 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
      GLint width = 0;
      GLint height = 0;
      glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
      glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
      if (width != tileSize[0] || height != tileSize[1]) return false;
    }
  }
  return true;
}

void Gl2DTextureMapper::DrawTile(int column, int row, std::uint32_t name, const Vec3& origin, const Vec3& pixelX,
                                 const Vec3& pixelY) {
  const std::size_t index = static_cast<std::size_t>(row) * static_cast<std::size_t>(tileCount[0]) +
                            static_cast<std::size_t>(column);
  const GLint filter = smoothInterpolation ? GL_LINEAR : GL_NEAREST;
  glBindTexture(GL_TEXTURE_2D, name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, tileSize[0], tileSize[1], GL_RGBA, GL_UNSIGNED_BYTE,
                  tileImages[index]->GetData());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_1D);
  glDisable(GL_BLEND);

  Vec3 a = pixelX * static_cast<double>(tileSize[0] - overlap[0]);
  Vec3 b = pixelY * static_cast<double>(tileSize[1] - overlap[1]);
  Vec3 p0 = origin + static_cast<double>(column) * a + static_cast<double>(row) * b;
  double s0 = 0.0, t0 = 0.0, s1 = 1.0, t1 = 1.0;
  // With overlap the polygon runs from the centre of the first texel to the
  // centre of the last, so linear filtering joins neighbouring tiles.
  if (overlap[0] > 0) {
    p0 = p0 - pixelX / 2.0;
    s0 = 1.0 / (2.0 * tileSize[0]);
    s1 = 1.0 - s0;
  }
  if (overlap[1] > 0) {
    p0 = p0 - pixelY / 2.0;
    t0 = 1.0 / (2.0 * tileSize[1]);
    t1 = 1.0 - t0;
  }
  if (clipToImage) {
    const Vec2i& region = tileRegions[index];
    if (region[0] != tileSize[0]) {
      const double f = static_cast<double>(region[0]) / tileSize[0];
      a = a * f;
      s1 = f;
    }
    if (region[1] != tileSize[1]) {
      const double g = static_cast<double>(region[1]) / tileSize[1];
      b = b * g;
      t1 = g;
    }
  }

  glPassThrough(kTileToken);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glBegin(GL_POLYGON);
  glTexCoord2d(s0, t0);
  glVertex3dv(p0.Data());
  glTexCoord2d(s1, t0);
  glVertex3dv((p0 + a).Data());
  glTexCoord2d(s1, t1);
  glVertex3dv((p0 + a + b).Data());
  glTexCoord2d(s0, t1);
  glVertex3dv((p0 + b).Data());
  glEnd();
}

}  // namespace Quorvel
