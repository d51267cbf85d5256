/// @file
/// Umbrella header: every public class of the library.
#pragma once

#include <quorvel/Camera.h>
#include <quorvel/ColoredVector.h>
#include <quorvel/Gl2DTextureMapper.h>
#include <quorvel/GlCamera.h>
#include <quorvel/GlCircle.h>
#include <quorvel/GlCoordAxes.h>
#include <quorvel/GlCrosshair.h>
#include <quorvel/GlObjectsBase.h>
#include <quorvel/GlPanoramaRegion3D.h>
#include <quorvel/GlPanoramaRegionAxial.h>
#include <quorvel/GlPanoramaRegionBase.h>
#include <quorvel/GlRuler.h>
#include <quorvel/GlState.h>
#include <quorvel/GlText.h>
#include <quorvel/GlWiredVolume.h>

/// @namespace Quorvel
/// The library's render objects and GL camera. Each draws with immediate-mode,
/// fixed-function GL into the context current on the calling thread; none
/// owns a window or a context, keeps global state or logs.
