// A synthetic CBCT-like head phantom, computed in code: air, soft tissue,
// the cervical spine and airway, mandible and maxilla with a cortical shell,
// maxillary sinuses, and two rows of teeth (enamel caps over dentin with a
// pulp canal) along a dental arch. Values are on a Hounsfield-like scale and
// are computed on the fly for any point, so slices and reformats sample it
// directly instead of holding a volume in memory.
//
// Coordinates are millimetres, right-handed: x towards the patient's right,
// y from back to front, z from the chin up. The occlusal plane is z = 0; the volume
// is the box of Size() centred on the origin.
#pragma once

#include "ArchField.h"
#include "ArchSpline.h"
#include "Teeth.h"

#include <brantel/geometry/Vector3.h>

#include <vector>

namespace Demo {

class Phantom {
public:
  Phantom();

  /// Hounsfield-like value at a point, −1000 (air) … about 3000 (enamel).
  double Sample(const Brantel::Geometry::Vector3<double>& p) const;

  /// Full extent of the scanned volume in mm.
  Brantel::Geometry::Vector3<double> Size() const { return {160.0, 160.0, 120.0}; }

  /// The points the arch through the middle of the teeth passes, from the
  /// patient's right to the left, in the phantom's coordinates (z = 0).
  static const std::vector<Brantel::Geometry::Vector3<double>>& ArchPoints();
  /// The arch through the middle of the teeth; the panoramic curve.
  const ArchSpline& Arch() const { return arch; }
  const Teeth& Dentition() const { return teeth; }

private:
  double SoftTissue(const Brantel::Geometry::Vector3<double>& p) const;
  double Spine(const Brantel::Geometry::Vector3<double>& p) const;
  double Jaws(const Brantel::Geometry::Vector3<double>& p, const ArchCoordinates& a) const;
  double Midface(const Brantel::Geometry::Vector3<double>& p) const;

  ArchSpline arch;
  ArchField field;
  Teeth teeth;
};

}  // namespace Demo
