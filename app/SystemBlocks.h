// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

// A block straight from the system; allocateLarge throws std::bad_alloc
// when the system has no more.
void* allocateLarge(std::size_t bytes);
void freeLarge(void* block, std::size_t bytes);

// An allocator for a sort's large arrays: from glibc's first threshold for
// mapping on, they come straight from the system and go back to it when
// freed, on whichever thread. The heap, whose threshold grows with the
// blocks freed, would keep them resident for nothing until the next sort.
// Smaller ones come from the heap.
template <typename T>
struct SystemBlocks {
    using value_type = T;
    static constexpr std::size_t kLarge = std::size_t(128) << 10;

    SystemBlocks() = default;
    template <typename U>
    SystemBlocks(const SystemBlocks<U>&)
    {
    }

    T* allocate(std::size_t n)
    {
        return n * sizeof(T) < kLarge ? std::allocator<T>().allocate(n) : static_cast<T*>(allocateLarge(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n)
    {
        if (n * sizeof(T) < kLarge)
            std::allocator<T>().deallocate(p, n);
        else
            freeLarge(p, n * sizeof(T));
    }
    friend bool operator==(const SystemBlocks&, const SystemBlocks&) { return true; }
};

// An array of a sort's, given back to the system when it goes.
template <typename T>
using LargeVector = std::vector<T, SystemBlocks<T>>;
