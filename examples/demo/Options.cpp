#include "Options.h"

#include <cstdlib>
#include <stdexcept>

namespace Demo {
namespace {

int PositiveInt(const std::string& option, const std::string& text, int limit) {
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || value < 1 || value > limit)
    throw std::invalid_argument(option + " wants a whole number from 1 to " + std::to_string(limit) +
                                ", not '" + text + "'");
  return int(value);
}

void ParseSize(const std::string& text, Options& o) {
  const std::size_t x = text.find('x');
  if (x == std::string::npos) throw std::invalid_argument("--size wants WIDTHxHEIGHT, not '" + text + "'");
  o.width = PositiveInt("--size", text.substr(0, x), 8192);
  o.height = PositiveInt("--size", text.substr(x + 1), 8192);
  if (o.width < 320 || o.height < 180)
    throw std::invalid_argument("--size must be at least 320x180");
}

}  // namespace

const char* Usage() {
  return "usage: quorvel-demo [options]\n"
         "  --out PATH      write the frame as a PNG (default demo.png; with --window only if given)\n"
         "  --size WxH      picture or window size in pixels (default 1600x900)\n"
         "  --dicom PATH    read a DICOM volume (a file, or a folder holding a series)\n"
         "                  and show a slice of it in the axial view\n"
         "  --series UID    the series of the folder to read (default the largest)\n"
         "  --frame N       the slice shown, from 1 along the slice normal: a\n"
         "                  multi-frame file's frame N (default the middle slice)\n"
         "  --lut NAME      palette: grey, hot or bone (default bone)\n"
         "  --frames N      render N frames and report the median frame time\n"
         "  --window        open an interactive window (GLFW): drag in the axial or\n"
         "                  panoramic view moves the panorama position, the wheel\n"
         "                  zooms, Up/Down change the slice, W/w and L/l the window\n"
         "                  width and level, Esc quits\n";
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
    else if (arg == "--frame") o.frame = PositiveInt(arg, value(), 1 << 20);
    else if (arg == "--lut") {
      const std::string name = value();
      if (!ParsePalette(name, o.palette))
        throw std::invalid_argument("--lut wants grey, hot or bone, not '" + name + "'");
    } else if (arg == "--frames") o.frames = PositiveInt(arg, value(), 100000), o.framesGiven = true;
    else if (arg == "--window") o.window = true;
    else if (arg == "--help" || arg == "-h") o.help = true;
    else throw std::invalid_argument("unknown option '" + arg + "' (see --help)");
  }
  if (!outGiven && !o.window) o.out = "demo.png";
  if (outGiven && o.out.empty()) throw std::invalid_argument("--out needs a file name");
  return o;
}

}  // namespace Demo
