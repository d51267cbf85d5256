#include "FailingAllocator.h"

#include <cstdlib>
#include <new>

namespace QuorvelTest {
namespace {

thread_local long countdown = 0;  // 0: nothing armed
thread_local long live = 0;

}  // namespace

FailNthAllocation::FailNthAllocation(long n) { countdown = n; }
FailNthAllocation::~FailNthAllocation() { countdown = 0; }

long LiveAllocations() { return live; }

}  // namespace QuorvelTest

// Every unaligned form is replaced, so that memory always returns through the
// same pair of functions it came from (the sanitizers check that).
void* operator new(std::size_t size) {
  using QuorvelTest::countdown;
  if (countdown > 0 && --countdown == 0) throw std::bad_alloc();
  void* p = std::malloc(size ? size : 1);
  if (!p) throw std::bad_alloc();
  ++QuorvelTest::live;
  return p;
}

void* operator new[](std::size_t size) { return operator new(size); }

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return operator new(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }

void operator delete(void* p) noexcept {
  if (!p) return;
  --QuorvelTest::live;
  std::free(p);
}

void operator delete[](void* p) noexcept { operator delete(p); }
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
void operator delete[](void* p, std::size_t) noexcept { operator delete(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { operator delete(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { operator delete(p); }
