#include "Options.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace Demo {
namespace {

using Vec3 = Brantel::Geometry::Vector3<double>;

constexpr double kLargestCoordinate = 10000.0;  // mm
constexpr long kSmallest[2] = {320, 180}, kLargest = 8192;  // pixels, --size

// A whole number in [low, high]; -1 when the text is not one.
long WholeNumber(const std::string& text, long low, long high) {
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  return !text.empty() && *end == '\0' && value >= low && value <= high ? value : -1;
}

int PositiveInt(const std::string& option, const std::string& text, int limit) {
  const long value = WholeNumber(text, 1, limit);
  if (value < 0)
    throw std::invalid_argument(option + " wants a whole number from 1 to " + std::to_string(limit) +
                                ", not '" + text + "'");
  return int(value);
}

// The views need room for their labels: at least 320 × 180 pixels.
void ParseSize(const std::string& text, Options& o) {
  const std::size_t x = text.find('x');
  const long width = x == std::string::npos ? -1 : WholeNumber(text.substr(0, x), kSmallest[0], kLargest);
  const long height = x == std::string::npos ? -1 : WholeNumber(text.substr(x + 1), kSmallest[1], kLargest);
  if (width < 0 || height < 0)
    throw std::invalid_argument("--size wants WIDTHxHEIGHT from 320x180 to 8192x8192, not '" + text + "'");
  o.width = int(width);
  o.height = int(height);
}

double Coordinate(const std::string& text) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !(std::abs(value) <= kLargestCoordinate))
    throw std::invalid_argument("--arch wants numbers of mm from -10000 to 10000, not '" + text + "'");
  return value;
}

// "x,y;x,y;…": at least two points.
std::vector<Vec3> ParseArch(const std::string& text) {
  std::vector<Vec3> points;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find(';', start), text.size());
    const std::string point = text.substr(start, end - start);
    const std::size_t comma = point.find(',');
    if (comma == std::string::npos) throw std::invalid_argument("--arch wants \"x,y;x,y;...\", not '" + point + "'");
    points.push_back(Vec3(Coordinate(point.substr(0, comma)), Coordinate(point.substr(comma + 1)), 0.0));
    start = end + 1;
  }
  if (points.size() < 2) throw std::invalid_argument("--arch wants two points or more");
  return points;
}

}  // namespace

const char* Usage() {
  return "usage: quorvel-demo [options]\n"
         "  --out PATH      write the frame as a PNG (default demo.png; with --window only if given)\n"
         "  --size WxH      picture or window size in pixels, from 320x180 to\n"
         "                  8192x8192 (default 1600x900)\n"
         "  --dicom PATH    read a DICOM volume (a file, or a folder holding a series)\n"
         "                  instead of the built-in phantom\n"
         "  --series UID    the series of the folder to read (default the largest)\n"
         "  --slice N       the axial slice, from 1 along the slice normal (default\n"
         "                  the middle one; the phantom's through the lower crowns)\n"
         "  --frame N       with --dicom, the same as --slice N: a multi-frame file's\n"
         "                  frame N\n"
         "  --arch \"x,y;x,y;...\"  the dental arch through these points (mm, in the\n"
         "                  patient coordinates of the series, at the axial slice):\n"
         "                  the panoramic image and the cross-section follow it\n"
         "  --lut NAME      palette: grey, hot or bone (default bone)\n"
         "  --frames N      render N frames and report the median frame time\n"
         "  --window        open an interactive window (GLFW): click in the axial view\n"
         "                  to place arch points (drag one to move it, Backspace\n"
         "                  removes the last), drag in the band or the panoramic\n"
         "                  view to move the panorama position, drag the 3D view\n"
         "                  to turn it; middle or right drag pans, the wheel zooms;\n"
         "                  Up/Down (PageUp/PageDown) change the slice, W/w and L/l\n"
         "                  the window width and level, Esc quits\n"
         "  --version       print the version of Quorvel the demo is built with\n";
}

Options ParseOptions(int argc, char** argv) {
  Options o;
  bool outGiven = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) throw std::invalid_argument(arg + " needs a value");
      return argv[++i];
    };
    if (arg == "--out") o.out = value(), outGiven = true;
    else if (arg == "--size") ParseSize(value(), o);
    else if (arg == "--dicom") o.dicom = value();
    else if (arg == "--series") o.series = value();
    else if (arg == "--slice") o.slice = PositiveInt(arg, value(), 1 << 20);
    else if (arg == "--frame") o.frame = PositiveInt(arg, value(), 1 << 20);
    else if (arg == "--arch") o.arch = ParseArch(value());
    else if (arg == "--lut") {
      const std::string name = value();
      if (!ParsePalette(name, o.palette))
        throw std::invalid_argument("--lut wants grey, hot or bone, not '" + name + "'");
    } else if (arg == "--frames") o.frames = PositiveInt(arg, value(), 100000), o.framesGiven = true;
    else if (arg == "--window") o.window = true;
    else if (arg == "--help" || arg == "-h") o.help = true;
    else if (arg == "--version") o.version = true;
    else throw std::invalid_argument("unknown option '" + arg + "' (see --help)");
  }
  if (o.frame > 0 && o.dicom.empty())
    throw std::invalid_argument("--frame picks a frame of --dicom's series; the phantom's slices are --slice N");
  if (!outGiven && !o.window) o.out = "demo.png";
  if (outGiven && o.out.empty()) throw std::invalid_argument("--out needs a file name");
  return o;
}

}  // namespace Demo
