// SPDX-License-Identifier: MIT
#pragma once

#include "CardFilter.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace card {

class CardStore;

// One pass of a filter over the listed cards, run in slices so that a window can
// answer between them: the cards of the store that pass, in store order.
// A filter that only narrows the last one runs over that one's result
// alone.
class FilterPass {
public:
    using Clock = std::chrono::steady_clock;

    // Filters the cards `among` (store indices, ascending), or every card of
    // `store` without it. The store must not change while the run lasts.
    FilterPass(const CardStore& store, CardFilter filter, std::optional<std::vector<std::uint32_t>> among = {});

    // Filters cards until all are done or `deadline` has passed; true
    // when all are done.
    bool runUntil(Clock::time_point deadline);
    bool done() const { return next_ == candidateCount(); }
    // How many of the cards have been tested so far.
    std::size_t tested() const { return next_; }
    // The cards passed so far; all of them once done.
    const std::vector<std::uint32_t>& result() const { return result_; }
    std::vector<std::uint32_t> takeResult() { return std::move(result_); }
    const CardFilter& filter() const { return filter_; }

private:
    std::size_t candidateCount() const;

    const CardStore& store_;
    CardFilter filter_;
    std::optional<std::vector<std::uint32_t>> among_;
    std::size_t cardsPerLook_;  // between two looks at the clock
    std::size_t next_ = 0;      // the next candidate to test
    std::vector<std::uint32_t> result_;
};

}  // namespace card
