// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <functional>

namespace card {

// The engine's one way to use a second core: run two pieces of work at once
// and wait for both. The second runs on its own thread, the first on the
// caller's; an exception thrown by either comes back to the caller after
// both have ended (the first's when both threw). With one core available,
// both run on the caller's thread, one after the other, so one core pays
// nothing for a thread it cannot use.
class WorkPair {
public:
    // Runs `first` and `second` and returns when both have ended.
    static void runBoth(const std::function<void()>& first, const std::function<void()>& second);

    // How many cores this process may run on (at least 1): the cores the
    // system lets it use, not all the machine has.
    static std::size_t usableCores();
    // For tests: run as if the process had `cores` cores (0: as it has).
    static void pretendCores(std::size_t cores);
    // For tests: `cores` pretended while it lives, the real count after.
    class PretendedCores {
    public:
        explicit PretendedCores(std::size_t cores) { pretendCores(cores); }
        ~PretendedCores() { pretendCores(0); }
        PretendedCores(const PretendedCores&) = delete;
        PretendedCores& operator=(const PretendedCores&) = delete;
    };
};

}  // namespace card
