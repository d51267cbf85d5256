#pragma once

#include <quorvel/GlState.h>
#include <quorvel/QuorvelExport.h>

namespace Quorvel {

/// Common base of the annotation, scene and panorama render objects.
///
/// Gives them a virtual destructor, so that they can be deleted through a base
/// pointer, and the smooth-lines switch their render operations use. The render
/// operations themselves are ordinary members of each class; there is no common
/// virtual one. Keeps no pointers and no GL objects.
///
/// Thread rule: as each derived class, no locking.
class QUORVEL_EXPORT GlObjectsBase {
public:
  ///@{
  /// Nothing to construct, copy or release.
  GlObjectsBase() = default;
  GlObjectsBase(const GlObjectsBase&) = default;
  GlObjectsBase& operator=(const GlObjectsBase&) = default;
  virtual ~GlObjectsBase();
  ///@}

protected:
  /// The smooth-lines switch of the render operations.
  GlState glState;
};

}  // namespace Quorvel
