// SPDX-License-Identifier: MIT
#pragma once

#include "CardFilter.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace card {

class CardStore;

// One pass of a filter over the listed cards, run in slices so that a window can
// answer between them: the cards of the store that pass, in store order.
// A filter that only narrows the last one runs over that one's result
// alone. With two cores each slice tests the two halves of the cards at
// once, each half with its own copy of the filter (a filter keeps the card
// it tests); both have ended when a slice returns, so the pass may be
// dropped between slices.
class FilterPass {
public:
    using Clock = std::chrono::steady_clock;

    // Filters the cards `among` (store indices, ascending), or every card of
    // `store` without it. The store must not change while the pass lasts.
    FilterPass(const CardStore& store, CardFilter filter, std::optional<std::vector<std::uint32_t>> among = {});

    // Filters cards until all are done or `deadline` has passed; true
    // when all are done.
    bool runUntil(Clock::time_point deadline);
    bool done() const { return halves_[0].done() && halves_[1].done(); }
    // How many of the cards have been tested so far.
    std::size_t tested() const { return halves_[0].tested() + halves_[1].tested(); }
    // The cards that passed, ascending, once done.
    const std::vector<std::uint32_t>& result() const { return result_; }
    std::vector<std::uint32_t> takeResult() { return std::move(result_); }
    const CardFilter& filter() const { return first_.filter; }

private:
    // The candidates [begin, end) one thread tests, and those that passed;
    // each on cache lines of its own, so that one thread's writes do not
    // keep taking the line from under the other's.
    struct alignas(64) Half {
        std::size_t begin = 0, next = 0, end = 0;
        std::vector<std::uint32_t> passed;
        bool done() const { return next == end; }
        std::size_t tested() const { return next - begin; }
    };

    std::size_t candidateCount() const;
    void runHalf(Half& half, CardFilter& filter, Clock::time_point deadline);
    void joinHalves();

    const CardStore& store_;
    // A filter writes the card it tests into itself: each on lines of its own.
    struct alignas(64) OwnFilter {
        CardFilter filter;
    };
    OwnFilter first_;
    OwnFilter second_;  // the second half's own copy
    std::optional<std::vector<std::uint32_t>> among_;
    std::size_t cardsPerLook_;  // between two looks at the clock
    std::array<Half, 2> halves_;
    std::vector<std::uint32_t> result_;
};

}  // namespace card
