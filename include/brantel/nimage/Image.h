#pragma once

#include <cstdint>
#include <new>

namespace Brantel {
/// Pixel arrays and two-dimensional images.
namespace NImage {

/// A flat pixel array: the storage shared by the two-dimensional images.
///
/// Either allocates its array with new[] (elements left uninitialised; the
/// byte count must fit in 32 bits) or wraps an array the caller owns. Frees
/// the array in its destructor only when it owns it. Not copyable. Header-only;
/// no GL state. Thread rule: no locking; one writer at a time.
template <typename T>
class Image {
public:
  /// Allocates `size` uninitialised elements with new[].
  /// ownsData set: the destructor frees the array (delete[]).
  /// ownsData clear: the array is handed to the caller, who frees it with
  /// delete[] on GetData() when it no longer needs it.
  /// @throws std::bad_alloc when size × sizeof(T) bytes do not fit in 32
  /// bits, or when the allocation fails; nothing is left allocated then.
  Image(std::uint32_t size, bool ownsData) : data(Allocate(size)), size(size), ownsData(ownsData) {}

  /// Wraps an array the caller owns; the image never frees it.
  Image(T* callerData, std::uint32_t size) : data(callerData), size(size), ownsData(false) {}

  ///@{
  /// Images are not copyable: two images would free the same array.
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;
  ///@}

  /// Frees the array (delete[]) when the image owns it.
  virtual ~Image() {
    if (ownsData) delete[] data;
  }

  ///@{
  /// The first element of the array.
  T* GetData() { return data; }
  const T* GetData() const { return data; }
  ///@}
  /// Number of elements.
  std::uint32_t GetSize() const { return size; }
  /// Whether the destructor frees the array.
  bool OwnsData() const { return ownsData; }

protected:
  T* data;            ///< first element of the array
  std::uint32_t size; ///< number of elements
  bool ownsData;      ///< whether the destructor frees the array

private:
  static T* Allocate(std::uint32_t count) {
    const std::uint64_t bytes = std::uint64_t{count} * sizeof(T);
    if (bytes > UINT32_MAX) throw std::bad_alloc();
    return new T[count];
  }
};

}  // namespace NImage
}  // namespace Brantel
