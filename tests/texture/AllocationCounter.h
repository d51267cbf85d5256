// Test-only replacement of the global operator new/delete of the texture test
// executable (the library's allocations resolve to it too): counts
// allocations between two points, and can make an array allocation fail.
#pragma once

namespace QuorvelTest {

struct AllocationCounts {
  long allocations;       // operator new and new[]
  long arrayAllocations;  // operator new[] only
  long arrayDeletes;      // operator delete[] of a non-null pointer
};

/// Counts from its construction on.
class AllocationCounter {
public:
  AllocationCounter();
  AllocationCounts Counts() const;

private:
  AllocationCounts start;
};

/// Makes the n-th operator new[] from now (1 = the next one) throw
/// std::bad_alloc, once; 0 switches this off.
void FailArrayAllocation(long n);

}  // namespace QuorvelTest
