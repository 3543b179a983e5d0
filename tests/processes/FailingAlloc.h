// Requests of at least this many bytes fail (0: none fail); see FailingAlloc.cpp.
#pragma once
#include <atomic>
#include <cstddef>

extern std::atomic<size_t> FailFrom;

// Large requests fail while it lives.
struct TFailLarge {
    explicit TFailLarge(size_t From) { FailFrom = From; }
    ~TFailLarge() { FailFrom = 0; }
};
