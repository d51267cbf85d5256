target_sources(Quorvel PRIVATE
  src/frame/Camera.cpp
  src/frame/GlCamera.cpp
  src/frame/GlObjectsBase.cpp
  src/frame/GlState.cpp)
