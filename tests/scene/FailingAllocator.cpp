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

void* operator new(std::size_t size) {
  using QuorvelTest::countdown;
  if (countdown > 0 && --countdown == 0) throw std::bad_alloc();
  void* p = std::malloc(size ? size : 1);
  if (!p) throw std::bad_alloc();
  ++QuorvelTest::live;
  return p;
}

void operator delete(void* p) noexcept {
  if (!p) return;
  --QuorvelTest::live;
  std::free(p);
}

void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
