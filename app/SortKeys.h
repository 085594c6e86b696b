// SPDX-License-Identifier: MIT
#pragma once

#include <Qt>

#include <cstdint>
#include <string_view>
#include <vector>

class CardListModel;

// Orders the list lines by one field: the text as shown, compared in UTF-16
// units, whose order is the code points' order for all that CP932 holds;
// for the rarity, the rank of Common, Uncommon, Vital and Rare before the
// text, so that these come first and in this order. A line's key is decoded
// eight units at a time, and only as far as it agrees with another's.
class SortKeys {
public:
    SortKeys(const CardListModel& lines, int column);

    // The rows in the order of their keys; rows of equal keys keep their
    // file order either way.
    std::vector<int> sortedRows(Qt::SortOrder order) const;

private:
    static constexpr std::uint32_t kUnitsInEntry = 8;

    struct Entry {
        std::uint64_t head;  // the first four units taken, zero-padded
        std::uint64_t next;  // the next four
        int row;
        std::uint32_t units;  // how many, kUnitsInEntry + 1 when the key goes on
    };

    std::string_view fieldOf(int row) const;
    // The key's units after the first `skip`.
    Entry entryOf(int row, std::uint32_t skip) const;
    void sortFrom(std::vector<Entry>::iterator begin, std::vector<Entry>::iterator end, std::uint32_t skip,
                  bool ascending) const;

    const CardListModel& lines_;
    int column_;
};
