// The settings both panoramic regions of the demo share: the arch, the band,
// the slices, the inspection window and the colours of their marks.
#pragma once

#include "Scene.h"

#include <quorvel/GlPanoramaRegionBase.h>

namespace Demo {

void SetUpRegion(Quorvel::GlPanoramaRegionBase& region, const Scene& scene);

}  // namespace Demo
