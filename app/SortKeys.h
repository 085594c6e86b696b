// SPDX-License-Identifier: MIT
#pragma once

#include "SystemBlocks.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

class CardListModel;

// Orders the list's rows by one column the way a Japanese reader expects:
// by the collation of the Japanese locale (hiragana and katakana, full and
// half width together, voiced after unvoiced), numbers inside a text by
// their value; for the rarity, Common, Uncommon, Vital and Rare first and in
// this order, then the others by their text. Each row gets its text's
// rank, from which a counting sort gives the order. The keys are made on
// two threads, one for each half of the column's distinct texts, and only
// a fixed window of each is held: texts whose windows tie have theirs made
// again, a window further. A column with a SortTextSource in the model (the readings) sorts
// by that source's keys first, its collation breaking ties.
class SortKeys {
public:
    // Told every few thousand texts with how many are done of how many;
    // false stops the work.
    using Progress = std::function<bool(std::size_t done, std::size_t total)>;

    using Ranks = LargeVector<std::uint32_t>;
    using Rows = LargeVector<int>;

    // The rank of every row's text in column `column`, equal for texts the
    // order holds equal; empty when `progress` stopped it.
    static Ranks ranksOf(const CardListModel& lines, int column, const Progress& progress);
    // The rows by rank, ascending, rows of equal rank in file order; and for
    // each place whether its rank differs from the place's before.
    static Rows sortedRows(const Ranks& ranks, std::vector<bool>& groupStarts);
    // The order of sortedRows reversed, rows of equal rank kept in file order.
    static void reverse(Rows& rows, std::vector<bool>& groupStarts);

    // Texts whose first windows tie, at most `texts` of them, have their
    // whole keys made at once; a larger tie is ranked after all others, on
    // both threads a stride at a time with progress reports, by whole keys
    // held for it when they take at most `keyBytes`, else a window further.
    struct TieLimits {
        std::size_t texts = std::size_t(1) << 13;
        std::size_t keyBytes = std::size_t(32) << 20;
    };
    // Tests: other limits while one lives.
    class PretendedTieLimits {
    public:
        explicit PretendedTieLimits(TieLimits limits);
        ~PretendedTieLimits();
        PretendedTieLimits(const PretendedTieLimits&) = delete;
        PretendedTieLimits& operator=(const PretendedTieLimits&) = delete;

    private:
        TieLimits before_;
    };
};
