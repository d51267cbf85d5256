#include "AllocationHook.h"

#include <cstdlib>
#include <new>

namespace {

thread_local long madeOnThread = 0, freedOnThread = 0;
thread_local long failCountdown = 0;  // 0: no failure armed

void* Allocate(std::size_t size) {
  if (failCountdown > 0 && --failCountdown == 0) throw std::bad_alloc();
  void* p = std::malloc(size ? size : 1);
  if (!p) throw std::bad_alloc();
  return ++madeOnThread, p;
}

void Free(void* p) noexcept {
  if (p) ++freedOnThread, std::free(p);
}

}  // namespace

namespace QuorvelTest {

AllocationHook::AllocationHook(long failNth) : made(madeOnThread), freed(freedOnThread), failing(failNth > 0) {
  if (failing) failCountdown = failNth;
}
AllocationHook::~AllocationHook() {
  if (failing) failCountdown = 0;
}
long AllocationHook::Made() const { return madeOnThread - made; }
long AllocationHook::Live() const { return Made() - (freedOnThread - freed); }

}  // namespace QuorvelTest

// Every unaligned form, so that memory always returns through the functions
// it came from (the sanitizers check that); the aligned forms are left alone.
void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p) noexcept { Free(p); }
void operator delete[](void* p) noexcept { Free(p); }
void operator delete(void* p, std::size_t) noexcept { Free(p); }
void operator delete[](void* p, std::size_t) noexcept { Free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Free(p); }
