# Sources of the annotation primitives.
target_sources(Quorvel PRIVATE
  src/annotations/GlCircle.cpp
  src/annotations/GlCrosshair.cpp
  src/annotations/GlRuler.cpp)
