// Flat pixel array: the storage shared by the two-dimensional images.
//
// Header-only. The array is allocated with new[] and its elements are left
// uninitialised; the byte count must fit in 32 bits.
#pragma once

#include <cstdint>
#include <new>

namespace Brantel {
namespace NImage {

template <typename T>
class Image {
public:
  /// Allocates `size` uninitialised elements with new[].
  /// ownsData set: the destructor frees the array (delete[]).
  /// ownsData clear: the array is handed to the caller, who frees it with
  /// delete[] on GetData() when it no longer needs it.
  /// Throws std::bad_alloc when size × sizeof(T) bytes do not fit in 32 bits,
  /// or when the allocation fails; nothing is left allocated then.
  Image(std::uint32_t size, bool ownsData) : data(Allocate(size)), size(size), ownsData(ownsData) {}

  /// Wraps an array the caller owns; the image never frees it.
  Image(T* callerData, std::uint32_t size) : data(callerData), size(size), ownsData(false) {}

  /// Images are not copyable: two images would free the same array.
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  virtual ~Image() {
    if (ownsData) delete[] data;
  }

  T* GetData() { return data; }
  const T* GetData() const { return data; }
  /// Number of elements.
  std::uint32_t GetSize() const { return size; }
  bool OwnsData() const { return ownsData; }

protected:
  T* data;
  std::uint32_t size;
  bool ownsData;

private:
  static T* Allocate(std::uint32_t count) {
    const std::uint64_t bytes = std::uint64_t{count} * sizeof(T);
    if (bytes > UINT32_MAX) throw std::bad_alloc();
    return new T[count];
  }
};

}  // namespace NImage
}  // namespace Brantel
