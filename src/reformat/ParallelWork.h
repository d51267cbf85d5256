// When an image is worth the threads.
#pragma once

#include <cstdint>

namespace Quorvel {
namespace VolumeSampling {

/// Work, in trilinear samples of a panoramic band (about 2 ns each), below
/// which an image is computed on the calling thread: about 2 ms of one core.
/// Starting and joining the workers costs microseconds on an idle machine
/// but can cost a scheduler time slice when the other cores are busy, which
/// for a cross-section was ten times its own time; above this size the
/// second core gains more than that risk loses.
constexpr std::int64_t kParallelWork = std::int64_t{1} << 20;

/// The work of an image of `pixels` pixels with `samples` samples each. A
/// pixel costs about four band samples beyond its own samples: a plane with
/// one sample a pixel waits on memory for most of its voxels, which a band
/// finds in cache.
inline std::int64_t Work(std::int64_t pixels, std::int64_t samples) { return pixels * (samples + 4); }

}  // namespace VolumeSampling
}  // namespace Quorvel
