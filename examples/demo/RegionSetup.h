// The settings both panoramic regions of the demo share: the arch, the band,
// the slices, the inspection window and the colours of their marks. Called
// before each draw, as the arch may have changed since (SetSpline measures
// it again).
#pragma once

#include "Scene.h"

#include <quorvel/GlPanoramaRegionBase.h>

namespace Demo {

void SetUpRegion(Quorvel::GlPanoramaRegionBase& region, const Scene& scene);

}  // namespace Demo
