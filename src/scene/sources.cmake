target_sources(Quorvel PRIVATE
  src/scene/Arrow.cpp
  src/scene/ArrowTurn.cpp
  src/scene/ClipPolygonByPlane.cpp
  src/scene/ColoredVector.cpp
  src/scene/GlCoordAxes.cpp
  src/scene/GlWiredVolume.cpp)
