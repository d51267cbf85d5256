# Volume reformatting: the 16-bit volume, the panoramic image and
# cross-sections along the arch, and axis slices. CPU only, no GL.
target_sources(Quorvel PRIVATE
  src/reformat/AxisSlicer.cpp
  src/reformat/ColumnSampling.cpp
  src/reformat/PanoramicReformatter.cpp
  src/reformat/Volume.cpp)
