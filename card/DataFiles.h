// SPDX-License-Identifier: MIT
#pragma once

namespace card {

// Side index: 0 Corporate, 1 Runner. It indexes the data-file table.
inline constexpr int kSideCount = 2;
inline constexpr const char* datafiles[kSideCount] = {"corp.txt", "runner.txt"};

// The data file of `side`, or nullptr for a side that has none.
inline const char* dataFileName(int side)
{
    return (side >= 0 && side < kSideCount) ? datafiles[side] : nullptr;
}

}  // namespace card
