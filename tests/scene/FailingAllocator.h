// Replaces the global operator new of the executable that links it, so a test
// can make the n-th allocation on its own thread throw std::bad_alloc and can
// count the allocations that are still alive.
#pragma once

namespace QuorvelTest {

/// While alive, the n-th operator new on this thread (counting from 1) throws
/// std::bad_alloc; the ones before and after it succeed.
class FailNthAllocation {
public:
  explicit FailNthAllocation(long n);
  ~FailNthAllocation();
  FailNthAllocation(const FailNthAllocation&) = delete;
  FailNthAllocation& operator=(const FailNthAllocation&) = delete;
};

/// Allocations made minus allocations freed on this thread so far.
long LiveAllocations();

}  // namespace QuorvelTest
