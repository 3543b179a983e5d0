// The allocation functions of this test program: as the library's, except that a test
// may make every request of at least FailFrom bytes fail, as a machine short of memory
// refuses the large requests while small ones still succeed.
#include <atomic>
#include <cstdlib>
#include <new>

#include "processes/FailingAlloc.h"

std::atomic<size_t> FailFrom{0};

namespace {

void* Allocate(size_t Size) {
    const size_t limit = FailFrom.load(std::memory_order_relaxed);
    if (limit && Size >= limit) return nullptr;
    return std::malloc(Size ? Size : 1);
}

}  // namespace

void* operator new(size_t Size) {
    if (void* p = Allocate(Size)) return p;
    throw std::bad_alloc();
}
void* operator new[](size_t Size) { return operator new(Size); }
void* operator new(size_t Size, const std::nothrow_t&) noexcept { return Allocate(Size); }
void* operator new[](size_t Size, const std::nothrow_t&) noexcept { return Allocate(Size); }
void operator delete(void* P) noexcept { std::free(P); }
void operator delete[](void* P) noexcept { std::free(P); }
void operator delete(void* P, size_t) noexcept { std::free(P); }
void operator delete[](void* P, size_t) noexcept { std::free(P); }
void operator delete(void* P, const std::nothrow_t&) noexcept { std::free(P); }
void operator delete[](void* P, const std::nothrow_t&) noexcept { std::free(P); }
