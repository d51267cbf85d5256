#include <quorvel/GlObjectsBase.h>

namespace Quorvel {

GlObjectsBase::~GlObjectsBase() = default;

}  // namespace Quorvel
