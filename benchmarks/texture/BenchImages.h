// The images and lookup tables the texture benchmarks convert, made once per
// process and shared between the benchmarks.
#pragma once

#include <quorvel/Gl2DTextureMapper.h>

#include <cstdint>
#include <vector>

namespace QuorvelBench {

enum ImageKind { CtLike = 0, Random = 1 };

/// A square 16-bit image: CT-like (smooth regions of 0…4095 with noise) or
/// uniformly random values over the whole 16-bit range.
const Quorvel::Gl2DTextureMapper::GreyImage& Image(int size, ImageKind kind);

/// A lookup table of opaque random colours.
const std::vector<std::uint32_t>& Table(int entries);

}  // namespace QuorvelBench
