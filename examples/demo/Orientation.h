// A series' slices in the patient's terms: the name of their plane and the
// patient direction that a direction of the grid points to, for the labels
// of the views.
#pragma once

#include "DicomSeries.h"

#include <string>

namespace Demo {

/// "Axial", "Coronal" or "Sagittal" when the slice normal is within 10° of
/// the patient's z, y or x axis; "Oblique" otherwise; "Projection" for a
/// series that gives no orientation (a radiograph, say).
std::string PlaneName(const DicomSeries& series);

/// The patient direction a direction points to most: "L" or "R" (x), "P" or
/// "A" (y), "S" or "I" (z); empty for the zero vector.
std::string DirectionLetter(const Vec3& patientDirection);

}  // namespace Demo
