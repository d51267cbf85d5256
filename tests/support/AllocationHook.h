// Counts the C++ allocations of the calling thread and can make one of them
// fail. Every test executable replaces the global operator new and delete
// with the counting ones of AllocationHook.cpp, so the library's allocations
// are counted too; allocations on other threads are not.
#pragma once

namespace QuorvelTest {

class AllocationHook {
public:
  /// Counts from here on. With failNth > 0, the failNth-th allocation from
  /// here (1 = the next one) throws std::bad_alloc, once. One failing hook
  /// at a time; counting hooks may enclose it.
  explicit AllocationHook(long failNth = 0);
  ~AllocationHook();
  AllocationHook(const AllocationHook&) = delete;
  AllocationHook& operator=(const AllocationHook&) = delete;

  /// Allocations made since construction.
  long Made() const;
  /// Allocations made minus allocations freed since construction.
  long Live() const;

private:
  long made;
  long freed;
  bool failing;
};

}  // namespace QuorvelTest
