// The recorder's log read back: as text, and grouped into primitives.
#include "GlRecorder.h"

#include <cmath>
#include <cstring>
#include <map>

namespace QuorvelTest {
namespace {

#define QV_NAME(x) {GL_##x, #x}
const std::map<unsigned, const char*> kEnums = {
    QV_NAME(ALPHA_TEST), QV_NAME(AMBIENT), QV_NAME(BLEND), QV_NAME(CLAMP), QV_NAME(COLOR_MATERIAL), QV_NAME(COMPILE),
    QV_NAME(DIFFUSE), QV_NAME(FILL), QV_NAME(FRONT), QV_NAME(FRONT_AND_BACK), QV_NAME(GREATER), QV_NAME(LIGHT0),
    QV_NAME(LIGHTING), QV_NAME(LINEAR), QV_NAME(LINE_SMOOTH), QV_NAME(LINE_SMOOTH_HINT), QV_NAME(LINE_STIPPLE),
    QV_NAME(MODELVIEW), QV_NAME(NEAREST), QV_NAME(NICEST), QV_NAME(ONE_MINUS_SRC_ALPHA), QV_NAME(POINT_SMOOTH_HINT),
    QV_NAME(PROJECTION), QV_NAME(RENDER_MODE), QV_NAME(RGBA), QV_NAME(RGBA8), QV_NAME(SHININESS), QV_NAME(SPECULAR),
    QV_NAME(SRC_ALPHA), QV_NAME(TEXTURE_1D), QV_NAME(TEXTURE_2D), QV_NAME(TEXTURE_HEIGHT), QV_NAME(TEXTURE_MAG_FILTER),
    QV_NAME(TEXTURE_MIN_FILTER), QV_NAME(TEXTURE_WIDTH), QV_NAME(TEXTURE_WRAP_S), QV_NAME(TEXTURE_WRAP_T),
    QV_NAME(UNPACK_ALIGNMENT), QV_NAME(UNPACK_LSB_FIRST), QV_NAME(UNPACK_ROW_LENGTH), QV_NAME(UNPACK_SKIP_PIXELS),
    QV_NAME(UNPACK_SKIP_ROWS), QV_NAME(UNPACK_SWAP_BYTES), QV_NAME(UNSIGNED_BYTE), QV_NAME(VIEWPORT)};
const char* const kModes[] = {"POINTS", "LINES", "LINE_LOOP", "LINE_STRIP", "TRIANGLES", "TRIANGLE_STRIP",
                              "TRIANGLE_FAN", "QUADS", "QUAD_STRIP", "POLYGON"};
// In alphabetical order, which is the order of the names in a mask.
#define QV_BIT(x) {GL_##x##_BIT, #x}
const std::pair<unsigned, const char*> kAttribBits[] = {
    QV_BIT(COLOR_BUFFER), QV_BIT(CURRENT), QV_BIT(DEPTH_BUFFER), QV_BIT(ENABLE), QV_BIT(HINT), QV_BIT(LIGHTING),
    QV_BIT(LINE), QV_BIT(LIST), QV_BIT(PIXEL_MODE), QV_BIT(POINT), QV_BIT(POLYGON), QV_BIT(TEXTURE),
    QV_BIT(TRANSFORM), QV_BIT(VIEWPORT)};
const std::pair<unsigned, const char*> kClientBits[] = {QV_BIT(CLIENT_PIXEL_STORE), QV_BIT(CLIENT_VERTEX_ARRAY)};

std::string Printed(const char* format, double v) {
  char text[32];
  std::snprintf(text, sizeof text, format, v);
  return text;
}

std::string Hex(unsigned v) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", v);
  return text;
}

std::string Number(double v) {
  if (std::abs(v) < 1e-9) return "0";
  return Printed(v == std::round(v) && std::abs(v) < 1e15 ? "%.0f" : "%.6g", v);
}

template <std::size_t N>
std::string Mask(unsigned mask, const std::pair<unsigned, const char*> (&bits)[N]) {
  std::string text;
  for (const auto& [bit, name] : bits)
    if (mask & bit) text += (text.empty() ? "" : "|") + std::string(name);
  for (const auto& [bit, name] : bits) mask &= ~bit;
  return mask || text.empty() ? text + (text.empty() ? "" : "|") + Hex(mask) : text;
}

// kind: e an enum, p a glBegin mode, b an attribute mask, c a client attribute
// mask, x a bit pattern, n a number.
std::string Argument(char kind, double value) {
  if (kind == 'n') return Number(value);
  const auto v = static_cast<unsigned>(value);
  if (kind == 'e') return kEnums.count(v) ? kEnums.at(v) : Hex(v);
  if (kind == 'p') return v < std::size(kModes) ? kModes[v] : Hex(v);
  return kind == 'b' ? Mask(v, kAttribBits) : kind == 'c' ? Mask(v, kClientBits) : Hex(v);
}

std::string Line(const GlCall& call) {
  std::string text = call.name + "(";
  for (std::size_t i = 0; i < call.args.size(); ++i)
    text += (i ? ", " : "") + Argument(i < std::strlen(call.kinds) ? call.kinds[i] : 'n', call.args[i]);
  if (call.name == "glCallLists") text += ", \"" + std::string(call.data.begin(), call.data.end()) + "\"";
  return text + ")";
}

}  // namespace

std::string GlRecorder::Trace(Vertices vertices) const {
  std::string text;
  for (std::size_t i = 0, run = 0; i < calls.size(); i += run) {
    run = 1;
    const bool counted = vertices == Vertices::Counted && calls[i].name == "glVertex3dv";
    while (counted && i + run < calls.size() && calls[i + run].name == "glVertex3dv") ++run;
    text += (i ? "\n" : "") + (counted ? "glVertex3dv x " + std::to_string(run) : Line(calls[i]));
  }
  return text;
}

std::string RecordTrace(const std::function<void()>& draw, GlRecorder::Vertices vertices) {
  GlRecorder recorder;
  draw();
  return recorder.Trace(vertices);
}

std::vector<Primitive> GlRecorder::Primitives() const {
  std::vector<Primitive> blocks;
  std::vector<double> color;
  bool open = false;
  for (const GlCall& c : calls) {
    if (c.name.rfind("glColor", 0) == 0) color = c.args;
    if (c.name == "glBegin") open = true, blocks.push_back({static_cast<GLenum>(c.args[0]), {}, {}});
    if (c.name == "glVertex3dv" && open) blocks.back().vertices.emplace_back(c.args[0], c.args[1], c.args[2]);
    if (c.name == "glEnd" && open) open = false, blocks.back().color = color;
  }
  return blocks;
}

}  // namespace QuorvelTest
