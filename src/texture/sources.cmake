target_sources(Quorvel PRIVATE
  src/texture/Gl2DTextureMapper.cpp
  src/texture/TextureRendering.cpp
  src/texture/TileConversion.cpp
  src/texture/TilePlan.cpp)
# The per-texel loop's speed depends on its code placement; keep it aligned.
set_source_files_properties(src/texture/TileConversion.cpp PROPERTIES COMPILE_OPTIONS "-falign-loops=32")
