// Common base of the annotation, scene and panorama render objects: a virtual
// destructor for deletion through a base pointer, and the smooth-lines switch
// their render operations use.
#pragma once

#include <quorvel/GlState.h>
#include <quorvel/QuorvelExport.h>

namespace Quorvel {

class QUORVEL_EXPORT GlObjectsBase {
public:
  GlObjectsBase() = default;
  GlObjectsBase(const GlObjectsBase&) = default;
  GlObjectsBase& operator=(const GlObjectsBase&) = default;
  virtual ~GlObjectsBase();

protected:
  GlState glState;
};

}  // namespace Quorvel
