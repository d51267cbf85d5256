// What the three views share: the texture mappers of the two images and
// the fonts. Created while the frame's GL context is current (the fonts
// build their display lists in it) and destroyed before it goes.
#pragma once

#include <quorvel/Gl2DTextureMapper.h>
#include <quorvel/GlText.h>

namespace Demo {

struct Resources {
  /// The axial slice, in tiles of at most 256 texels so that large slices
  /// are drawn as several seamlessly joined textures.
  Quorvel::Gl2DTextureMapper slice{256, true, true};
  Quorvel::Gl2DTextureMapper panoramic{0, true, true};
  Quorvel::GlText title{"DejaVu Sans", 12, 700};
  Quorvel::GlText label{"DejaVu Sans", 9, 400};
};

}  // namespace Demo
