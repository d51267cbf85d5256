#include "RegionSetup.h"

#include "Style.h"

namespace Demo {

void SetUpRegion(Quorvel::GlPanoramaRegionBase& region, const Scene& scene) {
  const RegionSettings& r = scene.Region();
  if (scene.HasArch()) region.SetSpline(&scene.Arch());
  region.SetWidth(r.bandWidth);
  region.SetTransversalSlices(r.sliceCount, r.sliceSpacing);
  region.SetInspectionWindow(r.windowLength, r.windowHeight);
  region.SetBorderColor(Style::kBand);
  region.SetTSAColor(Style::kTransversal);
  region.SetIWColor(Style::kInspection);
}

}  // namespace Demo
