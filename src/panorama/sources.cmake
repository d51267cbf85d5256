# Panoramic curve regions: the region base and its 3D and axial views.
target_sources(Quorvel PRIVATE
  src/panorama/BandOutline.cpp
  src/panorama/GlPanoramaRegionBase.cpp
  src/panorama/GlPanoramaRegion3D.cpp
  src/panorama/GlPanoramaRegionAxial.cpp)
