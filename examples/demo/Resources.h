// What the views share: the texture mappers of the three images and the
// fonts, and whether the frame is drawn in the interactive window. Created
// while the frame's GL context is current (the fonts build their display
// lists in it) and destroyed before it goes.
#pragma once

#include <quorvel/Gl2DTextureMapper.h>
#include <quorvel/GlText.h>

namespace Demo {

struct Resources {
  /// Tiles of at most 256 or 1024 texels, so that large images are drawn
  /// as several seamlessly joined textures within any GL's size limit.
  Quorvel::Gl2DTextureMapper slice{256, true, true};
  Quorvel::Gl2DTextureMapper panoramic{1024, true, true};
  Quorvel::Gl2DTextureMapper crossSection{1024, true, true};
  Quorvel::GlText title{"DejaVu Sans", 12, 700};
  Quorvel::GlText label{"DejaVu Sans", 9, 400};
  bool interactive = false;  ///< in a window: the views say what the mouse does
};

}  // namespace Demo
