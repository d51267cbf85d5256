#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace QuorvelTest {
namespace {

std::atomic<long> allocations{0};
std::atomic<long> arrayAllocations{0};
std::atomic<long> arrayDeletes{0};
std::atomic<long> failCountdown{0};

AllocationCounts Now() { return {allocations.load(), arrayAllocations.load(), arrayDeletes.load()}; }

void* Allocate(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}

void* AllocateArray(std::size_t size) {
  ++arrayAllocations;
  if (failCountdown.load() > 0 && --failCountdown == 0) throw std::bad_alloc();
  return Allocate(size);
}

}  // namespace

AllocationCounter::AllocationCounter() : start(Now()) {}

AllocationCounts AllocationCounter::Counts() const {
  const AllocationCounts now = Now();
  return {now.allocations - start.allocations, now.arrayAllocations - start.arrayAllocations,
          now.arrayDeletes - start.arrayDeletes};
}

void FailArrayAllocation(long n) { failCountdown = n; }

}  // namespace QuorvelTest

void* operator new(std::size_t size) { return QuorvelTest::Allocate(size); }
void* operator new[](std::size_t size) { return QuorvelTest::AllocateArray(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return QuorvelTest::Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return QuorvelTest::AllocateArray(size);
  } catch (...) {
    return nullptr;
  }
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p) noexcept {
  if (p) ++QuorvelTest::arrayDeletes;
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept { operator delete[](p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { operator delete[](p); }
