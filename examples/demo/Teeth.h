// Two rows of teeth along the dental arch: incisors, canines, premolars and
// molars in each quadrant, each an enamel cap over dentin with a pulp canal
// and one or two tapering roots. The lower left first molar is missing: the
// site of a planned implant.
#pragma once

#include <vector>

namespace Demo {

struct Tooth {
  double along;        ///< arc length of the tooth's centre, mm
  double halfWidth;    ///< half the mesiodistal width of the crown
  double halfDepth;    ///< half the buccolingual width of the crown
  double rootLength;
  int roots;           ///< 1 or 2
  bool upper;
  bool anterior;       ///< incisor or canine: a biting edge instead of cusps
};

class Teeth {
public:
  /// Places the teeth symmetrically about the middle of an arch of the
  /// given arc length.
  explicit Teeth(double archLength);

  /// Value of tooth tissue at arch coordinates (along, across) and height
  /// z, or a value below −2000 when the point is in no tooth.
  double Sample(double along, double across, double z) const;

  /// Whether the point lies within the periodontal space or the socket of
  /// some tooth, where the jaw bone has to leave room.
  bool InSocket(double along, double across, double z) const;

  const std::vector<Tooth>& All() const { return teeth; }

  /// The gap left by the missing tooth: its centre along the arch and its
  /// mesiodistal width.
  double MissingToothAlong() const { return missingAlong; }
  double MissingToothWidth() const { return missingWidth; }

  static constexpr double kNoTooth = -3000.0;

private:
  const Tooth* Near(double along, bool upper) const;

  std::vector<Tooth> teeth;
  double missingAlong = 0.0;
  double missingWidth = 0.0;
};

}  // namespace Demo
