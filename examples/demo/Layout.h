// Where the three views lie in the frame: the axial view on the left half,
// the 3D view top right, the panoramic view bottom right, with a thin
// separator between them. Rectangles in GL window coordinates (origin at
// the bottom left).
#pragma once

namespace Demo {

struct Viewport {
  int x = 0, y = 0, width = 0, height = 0;

  bool Contains(int px, int py) const { return px >= x && px < x + width && py >= y && py < y + height; }
};

struct Layout {
  Viewport axial, volume, panoramic;
};

constexpr int kSeparator = 2;

inline Layout MakeLayout(int width, int height) {
  const int left = width / 2;
  const int lower = height / 2;
  Layout l;
  l.axial = {0, 0, left - kSeparator / 2, height};
  l.volume = {left + kSeparator / 2, lower + kSeparator / 2, width - left - kSeparator / 2,
              height - lower - kSeparator / 2};
  l.panoramic = {left + kSeparator / 2, 0, width - left - kSeparator / 2, lower - kSeparator / 2};
  return l;
}

}  // namespace Demo
