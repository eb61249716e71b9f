#pragma once
// Replaces the global operator new and delete of a test executable so that one
// chosen allocation of the current thread fails with std::bad_alloc, and counts
// the live allocations so that a test can see what a failed copy left behind.
// Include it in exactly one source file of an executable.

#include <cstdlib>
#include <new>

namespace failingallocator {

inline thread_local long failingAllocation = -1; // index of the allocation to fail; -1: none
inline thread_local long allocationsSeen = 0;
inline thread_local bool allocationFailed = false;
inline thread_local long liveAllocations = 0;

// Plans the failure of allocation n (0 is the next one) from now on.
inline void failAllocation(long n)
{
    allocationsSeen = 0;
    allocationFailed = false;
    failingAllocation = n;
}

inline void stopFailing()
{
    failingAllocation = -1;
}

inline void* allocate(std::size_t size, std::size_t alignment = 0)
{
    if (failingAllocation >= 0 && allocationsSeen++ == failingAllocation) {
        allocationFailed = true;
        throw std::bad_alloc();
    }
    if (size == 0)
        size = 1;
    void* p
        = alignment ? std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment) : std::malloc(size);
    if (!p)
        throw std::bad_alloc();
    ++liveAllocations;
    return p;
}

inline void* allocateNoThrow(std::size_t size, std::size_t alignment = 0) noexcept
{
    try {
        return allocate(size, alignment);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

inline void release(void* p) noexcept
{
    if (!p)
        return;
    --liveAllocations;
    std::free(p);
}

} // namespace failingallocator

void* operator new(std::size_t size)
{
    return failingallocator::allocate(size);
}
void* operator new[](std::size_t size)
{
    return failingallocator::allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return failingallocator::allocateNoThrow(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return failingallocator::allocateNoThrow(size);
}
void* operator new(std::size_t size, std::align_val_t al)
{
    return failingallocator::allocate(size, std::size_t(al));
}
void* operator new[](std::size_t size, std::align_val_t al)
{
    return failingallocator::allocate(size, std::size_t(al));
}
void* operator new(std::size_t size, std::align_val_t al, const std::nothrow_t&) noexcept
{
    return failingallocator::allocateNoThrow(size, std::size_t(al));
}
void* operator new[](std::size_t size, std::align_val_t al, const std::nothrow_t&) noexcept
{
    return failingallocator::allocateNoThrow(size, std::size_t(al));
}
void operator delete(void* p) noexcept
{
    failingallocator::release(p);
}
void operator delete[](void* p) noexcept
{
    failingallocator::release(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    failingallocator::release(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    failingallocator::release(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept
{
    failingallocator::release(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept
{
    failingallocator::release(p);
}
void operator delete(void* p, std::align_val_t) noexcept
{
    failingallocator::release(p);
}
void operator delete[](void* p, std::align_val_t) noexcept
{
    failingallocator::release(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept
{
    failingallocator::release(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept
{
    failingallocator::release(p);
}
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept
{
    failingallocator::release(p);
}
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept
{
    failingallocator::release(p);
}
