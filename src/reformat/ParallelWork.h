// When an image is worth the threads.
#pragma once

#include <cstdint>

namespace Quorvel {
namespace VolumeSampling {

/// Work, in trilinear samples of a panoramic band (about 2 ns each), below
/// which an image is computed on the calling thread: about 4 ms of one core.
/// Starting and joining the workers costs microseconds on an idle machine
/// but a scheduler time slice or more when the other cores are busy: there a
/// 601 x 480 oblique plane, about 4.4 ms of one core, took 6 ms on one
/// thread and 14 to 23 ms on two. Above this size the second core gains
/// more than that risk loses.
constexpr std::int64_t kParallelWork = std::int64_t{1} << 21;

/// The work of an image of `pixels` pixels with `samples` samples each. A
/// pixel costs about four band samples beyond its own samples: a plane with
/// one sample a pixel waits on memory for most of its voxels, which a band
/// finds in cache.
inline std::int64_t Work(std::int64_t pixels, std::int64_t samples) { return pixels * (samples + 4); }

}  // namespace VolumeSampling
}  // namespace Quorvel
