#include <quorvel/Volume.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace Quorvel {
namespace {

bool HasVoxels(const Volume::Vec3i& dimensions) {
  return dimensions[0] > 0 && dimensions[1] > 0 && dimensions[2] > 0;
}

// nx · ny · nz, or 0 without voxels. Throws when the count (in bytes) would
// not fit in the address range, so that every voxel offset fits in 63 bits.
std::size_t CountVoxels(const Volume::Vec3i& dimensions) {
  if (!HasVoxels(dimensions)) return 0;
  const std::size_t limit = std::numeric_limits<std::int64_t>::max() / sizeof(unsigned short);
  std::size_t count = 1;
  for (int axis = 0; axis < 3; ++axis) {
    const std::size_t n = static_cast<std::size_t>(dimensions[axis]);
    if (count > limit / n) throw std::length_error("Volume dimensions too large.");
    count *= n;
  }
  return count;
}

bool UsableGeometry(const Volume::Vec3& spacing, const Volume::Vec3& origin) {
  for (int axis = 0; axis < 3; ++axis)
    if (!(std::isfinite(spacing[axis]) && spacing[axis] > 0 && std::isfinite(origin[axis]))) return false;
  return true;
}

}  // namespace

Volume::Volume() = default;

Volume::Volume(const Vec3i& dimensions, const Vec3& spacing, const Vec3& origin)
    : dimensions(dimensions), spacing(spacing), origin(origin) {
  const std::size_t count = CountVoxels(dimensions);
  if (count == 0 || !UsableGeometry(spacing, origin)) return;
  owned.assign(count, 0);
  voxels = owned.data();
}

Volume::Volume(const unsigned short* voxels, const Vec3i& dimensions, const Vec3& spacing,
               const Vec3& origin)
    : dimensions(dimensions), spacing(spacing), origin(origin), voxels(voxels) {
  CountVoxels(dimensions);
}

Volume::Volume(const Volume& other)
    : dimensions(other.dimensions), spacing(other.spacing), origin(other.origin), owned(other.owned),
      voxels(OwnsVoxels() ? owned.data() : other.voxels) {}

Volume& Volume::operator=(const Volume& other) {
  if (this == &other) return *this;
  owned = other.owned;
  dimensions = other.dimensions;
  spacing = other.spacing;
  origin = other.origin;
  voxels = OwnsVoxels() ? owned.data() : other.voxels;
  return *this;
}

Volume::~Volume() = default;

bool Volume::IsEmpty() const {
  return voxels == nullptr || !HasVoxels(dimensions) || !UsableGeometry(spacing, origin);
}

std::size_t Volume::VoxelCount() const { return CountVoxels(dimensions); }

Volume::Vec3 Volume::VoxelCentre(int i, int j, int k) const {
  return origin + Vec3(i * spacing[0], j * spacing[1], k * spacing[2]);
}

}  // namespace Quorvel
