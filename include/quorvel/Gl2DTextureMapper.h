// Shows a 16-bit grey image as a textured rectangle: converts it through the
// viewer's RGBA lookup table into power-of-two tile images (in parallel, one
// tile per worker), and draws each tile as a textured polygon anywhere in
// space.
#pragma once

#include <brantel/geometry/Vector2.h>
#include <brantel/geometry/Vector3.h>
#include <brantel/nimage/Image2D.h>
#include <quorvel/QuorvelExport.h>

#include <cstdint>
#include <vector>

namespace Quorvel {

class QUORVEL_EXPORT Gl2DTextureMapper {
public:
  using GreyImage = Brantel::NImage::Image2D<unsigned short>;
  /// One RGBA texel per element, bytes in memory red, green, blue, alpha.
  using TileImage = Brantel::NImage::Image2D<std::uint32_t>;
  using Vec2i = Brantel::Geometry::Vector2<int>;
  using Vec3 = Brantel::Geometry::Vector3<double>;

  /// Stores the arguments; no image, no table, no tiles, no textures.
  /// maxTileSize: largest tile edge in texels, 0 for no limit; expected to
  /// be 0 or a power of two the GL implementation accepts. smoothInterpolation:
  /// linear filtering, with one texel of overlap between neighbouring tiles.
  /// clipToImage: draw the last tile column and row only as far as the image
  /// reaches. Issues no GL call.
  explicit Gl2DTextureMapper(unsigned int maxTileSize = 0, bool smoothInterpolation = true,
                             bool clipToImage = false);

  /// Copies every setting, shares the caller's image and table with `other`,
  /// and gives the copy tile images of its own with the same texels.
  /// Throws std::bad_alloc when memory runs out, after freeing every tile
  /// image it had copied.
  Gl2DTextureMapper(const Gl2DTextureMapper& other);
  /// As the copy constructor; the target's own tile images are replaced.
  /// Self-assignment changes nothing. On std::bad_alloc the target keeps its
  /// previous state.
  Gl2DTextureMapper& operator=(const Gl2DTextureMapper& other);

  /// Deletes the tile images. Needs a current context only if a draw was
  /// interrupted (it then deletes that draw's textures), which RenderTexture
  /// prevents.
  virtual ~Gl2DTextureMapper();

  /// Keeps the caller's table of `size` RGBA entries (not copied, not owned;
  /// the caller keeps it alive while set). Converts nothing: call
  /// UpdateBufferFromLUT after changing the table or its contents.
  void SetLookupTable(const std::uint32_t* table, unsigned short size);

  /// Keeps the caller's image (not owned; alive and unchanged in size while
  /// set), plans the tiles and converts the image into them.
  /// - null: only stores the pointer; tiles stay, nothing is drawn.
  /// - width or height 0: deletes every tile image.
  /// - same tile count and size as before: the tile images are reused and
  ///   nothing is allocated.
  /// - otherwise: new tile images of the planned size (new[]).
  /// A tile is the smallest power of two not below the image size on an
  /// axis that fits maxTileSize, else maxTileSize texels, the tiles then
  /// advancing by maxTileSize − 1 image pixels with smooth interpolation
  /// (maxTileSize 1 is taken as 2 there, the smallest tile with room for
  /// the overlap texel and an image pixel) and by maxTileSize without it.
  /// Throws std::bad_alloc when a tile image cannot be allocated; the mapper
  /// then holds no tiles and no plan (the next SetBuffer plans afresh), and
  /// stays usable. Issues no GL call except deleting textures left over from
  /// an interrupted draw.
  void SetBuffer(GreyImage* image);

  /// Converts the current image through the current table into the existing
  /// tile images (pixel value v becomes table[min(v, size − 1)]; texels
  /// outside the image are 0, transparent black) and recomputes the tile
  /// regions. Runs one OpenMP parallel-for over the tiles (static schedule,
  /// the runtime's default team; a single tile is converted on the calling
  /// thread) and returns when all are done; each tile has one writer.
  /// On a machine whose cores are busy with other work, the runtime's
  /// default busy-waiting between parallel loops can delay the join by a
  /// scheduler time slice (milliseconds); there OMP_WAIT_POLICY=passive in
  /// the viewer's environment keeps it in microseconds.
  /// Does not re-plan: call it after changing the image's pixels or the
  /// table.
  /// Without an image (null buffer) it does nothing. Without a usable table
  /// (null, or 0 entries) every texel is set to 0 and no entry is read.
  void UpdateBufferFromLUT();

  /// Stores whether RenderTexture draws while the context is in GL_FEEDBACK
  /// render mode. No GL call.
  void SetRenderInFeedbackMode(bool enabled);

  /// Draws the tiles as textured polygons on the parallelogram spanned by
  /// xEdge and yEdge from origin (the outer corner of pixel (0, 0)), one pixel
  /// being xEdge / width by yEdge / height. Each tile gets a fresh GL_RGBA8
  /// texture (allocated empty, filled with glTexSubImage2D), filtered
  /// GL_LINEAR with smooth interpolation and GL_NEAREST without, and is
  /// preceded by glPassThrough(300.0), the token by which feedback consumers
  /// recognise image tiles. Every texture is deleted before returning.
  /// Without clipToImage the last tile column and row are drawn at full tile
  /// size, so their blank (black) texels reach beyond the image.
  /// Issues no GL call without an image or tiles; only the render-mode query
  /// in feedback mode unless SetRenderInFeedbackMode(true).
  /// GL state: pushes GL_TEXTURE_BIT | GL_COLOR_BUFFER_BIT | GL_LIGHTING_BIT
  /// and pops it. Leaves changed: the current colour opaque white, the
  /// polygon mode of both faces GL_FILL, the current texture coordinate, the
  /// unpack row length, skip pixels and skip rows 0, unpack alignment 4.
  /// Throws std::runtime_error("Cannot allocate texture.") when GL does not
  /// give a tile texture the requested size (e.g. beyond
  /// GL_MAX_TEXTURE_SIZE); before throwing it pops the attributes and deletes
  /// the textures created so far, so GL state and texture names are as
  /// before the call and the next draw starts afresh.
  /// Context: the caller's context must be current on this thread.
  void RenderTexture(const Vec3& origin, const Vec3& xEdge, const Vec3& yEdge);

protected:
  /// Deletes the textures in textureNames (glDeleteTextures, then glGetError
  /// to clear the error flag, for each) and empties the list.
  void ReleaseTextures();

  GreyImage* buffer = nullptr;
  Vec2i imageSize;
  const std::uint32_t* lookupTable = nullptr;
  unsigned short lookupTableSize = 0;
  std::vector<std::uint32_t> textureNames;
  bool smoothInterpolation;
  int tilingBorder = 0;
  Vec2i overlap;
  Vec2i tileSize;
  Vec2i tileCount;
  unsigned int maxTileSize;
  bool renderInFeedbackMode = false;
  /// Owned; the tile in column c and row r is entry r × tileCount.x + c.
  std::vector<TileImage*> tileImages;
  /// Per tile, the texel extent from its first texel to the last that holds
  /// image data.
  std::vector<Vec2i> tileRegions;
  bool clipToImage;

private:
  void PlanAxis(std::uint32_t imageExtent, int& count, int& size) const;
  void DeleteTileImages();
  void AllocateTileImages();
  void ConvertTile(int index);
  void CreateTextures();
  void DrawTile(int column, int row, std::uint32_t name, const Vec3& origin, const Vec3& pixelX,
                const Vec3& pixelY);
};

}  // namespace Quorvel
