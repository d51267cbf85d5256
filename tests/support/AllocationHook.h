// Counts the calling thread's C++ allocations and can make one of them fail.
// Every test executable replaces the global operator new and delete with the
// counting ones of AllocationHook.cpp, so the library's allocations count too.
#pragma once

namespace QuorvelTest {

class AllocationHook {
public:
  /// Counts from here on. With failNth > 0 the failNth-th allocation from here
  /// (1: the next) throws std::bad_alloc; one failing hook at a time.
  explicit AllocationHook(long failNth = 0);
  ~AllocationHook();
  AllocationHook(const AllocationHook&) = delete;
  AllocationHook& operator=(const AllocationHook&) = delete;

  long Made() const;  // allocations made since construction
  long Live() const;  // allocations made minus allocations freed since construction

private:
  long made, freed;
  bool failing;
};

}  // namespace QuorvelTest
