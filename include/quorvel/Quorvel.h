// Umbrella header: every public class of the library.
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
