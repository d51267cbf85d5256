// Where the four views lie in the frame: the axial view on the left half,
// the 3D view top right, the panoramic view and the cross-section bottom
// right, with a thin separator between them. Rectangles in GL window
// coordinates (origin at the bottom left).
#pragma once

namespace Demo {

struct Viewport {
  int x = 0, y = 0, width = 0, height = 0;

  bool Contains(double px, double py) const { return px >= x && px < x + width && py >= y && py < y + height; }
  double CentreX() const { return x + width * 0.5; }
  double CentreY() const { return y + height * 0.5; }
};

struct Layout {
  Viewport axial, volume, panoramic, crossSection;
};

constexpr int kSeparator = 2;
constexpr double kPanoramicShare = 0.7;  // of the bottom right, the rest is the cross-section's

inline Layout MakeLayout(int width, int height) {
  const int left = width / 2;
  const int lower = height / 2;
  const int right = width - left - kSeparator / 2;
  const int panoramic = int(right * kPanoramicShare);
  Layout l;
  l.axial = {0, 0, left - kSeparator / 2, height};
  l.volume = {left + kSeparator / 2, lower + kSeparator / 2, right, height - lower - kSeparator / 2};
  l.panoramic = {left + kSeparator / 2, 0, panoramic - kSeparator / 2, lower - kSeparator / 2};
  l.crossSection = {l.panoramic.x + panoramic + kSeparator / 2, 0, right - panoramic - kSeparator / 2,
                    lower - kSeparator / 2};
  return l;
}

}  // namespace Demo
