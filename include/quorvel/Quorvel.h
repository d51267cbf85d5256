// Umbrella header: every public class of the library.
#pragma once

#include <quorvel/Camera.h>
#include <quorvel/Gl2DTextureMapper.h>
#include <quorvel/GlCamera.h>
#include <quorvel/GlObjectsBase.h>
#include <quorvel/GlState.h>
