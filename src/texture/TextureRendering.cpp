// Drawing of the texture mapper's tiles: one fresh texture per tile per draw.
#include <quorvel/Gl2DTextureMapper.h>

#include "TilePlan.h"
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

  const Vec2i region = clipToImage ? tileRegions[index] : tileSize;
  const TilePlan::Quad quad = TilePlan::TileQuad({tileSize, overlap}, column, row, region, origin, pixelX, pixelY);
  glPassThrough(kTileToken);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glBegin(GL_POLYGON);
  for (int i = 0; i < 4; ++i) {
    glTexCoord2d(quad.texCoords[i][0], quad.texCoords[i][1]);
    glVertex3dv(quad.vertices[i].Data());
  }
  glEnd();
}

}  // namespace Quorvel
