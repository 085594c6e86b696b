// SPDX-License-Identifier: MIT
#include "SystemBlocks.h"

#include "OperatingSystem.h"

#include <new>

void* allocateLarge(std::size_t bytes)
{
    if (char* block = card::os::allocateBlock(bytes))
        return block;
    throw std::bad_alloc();
}

void freeLarge(void* block, std::size_t bytes)
{
    card::os::freeBlock(static_cast<char*>(block), bytes);
}
