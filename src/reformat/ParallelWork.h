// When an image is worth the threads.
#pragma once

#include <cstdint>

namespace Quorvel {
namespace VolumeSampling {

/// Trilinear samples (or pixels of an axis slice) below which an image is
/// computed on the calling thread: about 3 ms of one core. Starting and
/// joining the workers costs microseconds on an idle machine but can cost a
/// scheduler time slice when the other cores are busy, which for a
/// cross-section was ten times its own time; above this size the second
/// core gains more than that risk loses.
constexpr std::int64_t kParallelSamples = std::int64_t{1} << 20;

}  // namespace VolumeSampling
}  // namespace Quorvel
