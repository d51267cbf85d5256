#pragma once

#include <brantel/geometry/Vector2.h>
#include <brantel/geometry/Vector3.h>
#include <brantel/nimage/Image2D.h>
#include <quorvel/QuorvelExport.h>

#include <cstdint>
#include <vector>

namespace Quorvel {

/// Shows a 16-bit grey image as a textured rectangle anywhere in space, through
/// the viewer's RGBA lookup table.
///
/// SetBuffer() plans power-of-two texture tiles for the image and converts
/// every pixel through the table into the tile images (in parallel, each tile
/// by one worker); RenderTexture() uploads each tile into a fresh texture,
/// draws it as a textured polygon and deletes the textures again.
///
/// Keeps pointers to the viewer's image and table, which it neither copies nor
/// frees: keep both alive, and the image unchanged in size, while they are set.
/// Owns its tile images. Holds no GL object between calls.
///
/// The table holds at most 65,535 entries (its count is an unsigned short, and
/// 65,536 wraps to 0, which draws transparent black); a pixel value past the
/// last entry shows the last entry's colour. See SetLookupTable().
///
/// GL state: RenderTexture() leaves the current colour opaque white and the
/// unpack alignment 4, among others; see RenderTexture() and the @ref gl_state
/// "GL state" page.
///
/// Thread rule: every call on the thread whose context is current, one at a
/// time; the conversion inside SetBuffer() and UpdateBufferFromLUT() runs on
/// OpenMP workers and returns when they are done.
class QUORVEL_EXPORT Gl2DTextureMapper {
public:
  /// The viewer's 16-bit grey image.
  using GreyImage = Brantel::NImage::Image2D<unsigned short>;
  /// One RGBA texel per element, bytes in memory red, green, blue, alpha.
  using TileImage = Brantel::NImage::Image2D<std::uint32_t>;
  /// Integer sizes and counts (x, y).
  using Vec2i = Brantel::Geometry::Vector2<int>;
  /// Points and edge vectors of the drawn rectangle.
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
  /// @throws std::bad_alloc when memory runs out, after freeing every tile
  /// image it had copied.
  Gl2DTextureMapper(const Gl2DTextureMapper& other);
  /// As the copy constructor; the target's own tile images are replaced.
  /// Self-assignment changes nothing.
  /// @throws std::bad_alloc when memory runs out; the target keeps its
  /// previous state.
  Gl2DTextureMapper& operator=(const Gl2DTextureMapper& other);

  /// Deletes the tile images. Needs a current context only if a draw was
  /// interrupted (it then deletes that draw's textures), which RenderTexture
  /// prevents.
  /// @gl_pushes nothing.
  /// @gl_leaves nothing; deletes the textures of an interrupted draw, if any.
  virtual ~Gl2DTextureMapper();

  /// Keeps the caller's table of `size` RGBA entries (not copied, not owned;
  /// the caller keeps it alive while set). Converts nothing: call
  /// UpdateBufferFromLUT after changing the table or its contents.
  ///
  /// Entry v is the colour of pixel value v, bytes in memory red, green,
  /// blue, alpha; pixel value v shows entry min(v, size − 1), so values past
  /// the last entry take its colour.
  ///
  /// @note At most 65,535 entries: `size` is an unsigned short, so a
  /// 65,536-entry table (one per 16-bit value) passed as
  /// `static_cast<unsigned short>(table.size())` becomes 0, and a table of 0
  /// entries makes every texel 0: the image draws transparent black, with no
  /// error. For 16-bit data give the entries for the values 0 … 65534; the
  /// value 65535 then shows entry 65534.
  void SetLookupTable(const std::uint32_t* table, unsigned short size);

  /// Keeps the caller's image (not owned; alive and unchanged in size while
  /// set), plans the tiles and converts the image into them.
  /// - null: only stores the pointer; tiles stay, nothing is drawn.
  /// - width or height 0: deletes every tile image.
  /// - same tile count and size as before: the tile images are reused and
  ///   nothing is allocated.
  /// - otherwise: new tile images of the planned size (new[]).
  ///
  /// A tile is the smallest power of two not below the image size on an
  /// axis that fits maxTileSize, else maxTileSize texels, the tiles then
  /// advancing by maxTileSize − 1 image pixels with smooth interpolation
  /// (maxTileSize 1 is taken as 2 there, the smallest tile with room for
  /// the overlap texel and an image pixel) and by maxTileSize without it.
  /// Issues no GL call except deleting textures left over from an
  /// interrupted draw.
  /// @throws std::bad_alloc when a tile image cannot be allocated; the mapper
  /// then holds no tiles and no plan (the next SetBuffer plans afresh), and
  /// stays usable.
  /// @gl_pushes nothing.
  /// @gl_leaves nothing; deletes the textures of an interrupted draw, if any.
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
  /// Context: the caller's context must be current on this thread.
  /// @throws std::runtime_error `"Cannot allocate texture."` when GL does not
  /// give a tile texture the requested size (for instance beyond
  /// GL_MAX_TEXTURE_SIZE); before throwing it pops the attributes and deletes
  /// the textures created so far, so GL state and texture names are as
  /// before the call and the next draw starts afresh.
  /// @gl_pushes GL_TEXTURE_BIT | GL_COLOR_BUFFER_BIT | GL_LIGHTING_BIT
  /// (texture enables and bindings, blending, lighting).
  /// @gl_leaves the current colour opaque white; the polygon mode of both
  /// faces GL_FILL; the current texture coordinate; the unpack row length,
  /// skip pixels and skip rows 0 and the unpack alignment 4.
  void RenderTexture(const Vec3& origin, const Vec3& xEdge, const Vec3& yEdge);

protected:
  /// Deletes the textures in textureNames (glDeleteTextures, then glGetError
  /// to clear the error flag, for each) and empties the list.
  void ReleaseTextures();

  GreyImage* buffer = nullptr;                  ///< the caller's image; not owned
  Vec2i imageSize;                              ///< the image's size at the last SetBuffer
  const std::uint32_t* lookupTable = nullptr;   ///< the caller's table; not owned
  unsigned short lookupTableSize = 0;           ///< entries in lookupTable
  /// Textures of the draw in progress, in creation order (column by column);
  /// empty outside RenderTexture. A derived class may fill it: RenderTexture
  /// then reuses the names when there is one per tile.
  std::vector<std::uint32_t> textureNames;
  bool smoothInterpolation;                     ///< linear filtering with overlapping tiles
  int tilingBorder = 0;                         ///< 1 with smooth interpolation, else 0
  Vec2i overlap;                                ///< per axis 1 when tiles overlap there
  Vec2i tileSize;                               ///< texels of every tile (x, y)
  Vec2i tileCount;                              ///< tile columns (x) and rows (y)
  unsigned int maxTileSize;                     ///< largest tile edge; 0 for no limit
  bool renderInFeedbackMode = false;            ///< draw in GL_FEEDBACK render mode too
  /// Owned; the tile in column c and row r is entry r × tileCount.x + c.
  std::vector<TileImage*> tileImages;
  /// Per tile, the texel extent from its first texel to the last that holds
  /// image data.
  std::vector<Vec2i> tileRegions;
  bool clipToImage;                             ///< draw the last tiles only as far as the image

private:
  void PlanAxis(std::uint32_t imageExtent, int& count, int& size) const;
  void DeleteTileImages();
  void AllocateTileImages();
  void ConvertTile(int index);
  bool CreateTextures();
  void DrawTile(int column, int row, std::uint32_t name, const Vec3& origin, const Vec3& pixelX,
                const Vec3& pixelY);
};

}  // namespace Quorvel
