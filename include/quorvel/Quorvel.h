/// @file
/// Umbrella header: every public class of the library.
#pragma once

#include <quorvel/AxisSlicer.h>
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
#include <quorvel/PanoramicReformatter.h>
#include <quorvel/Volume.h>

/// @namespace Quorvel
/// The library's render objects and GL camera, and the volume reformatters
/// that compute the images they show. Each render object draws with
/// immediate-mode, fixed-function GL into the context current on the calling
/// thread; the reformatters issue no GL at all. None owns a window or a
/// context, keeps global state or logs.
