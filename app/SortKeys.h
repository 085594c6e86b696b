#pragma once

#include <Qt>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CardListModel;

// One field of every list line as a sort key: the text as shown, in UTF-16,
// whose order is the code points' order for all that CP932 holds; for the
// rarity, the rank of Common, Uncommon, Vital and Rare before the text, so
// that these come first and in this order. Made once per sort.
class SortKeys {
public:
    static constexpr int kRarityColumn = 0;

    SortKeys(const CardListModel& lines, int column);

    // The rows in the order of their keys; rows of equal keys keep their
    // file order either way.
    std::vector<int> sortedRows(Qt::SortOrder order) const;

private:
    // A key's first eight UTF-16 units, zero-padded, and its length decide
    // most comparisons without a look at the keys' buffer.
    struct Entry {
        std::uint64_t head;
        std::uint64_t next;
        int row;
        std::uint32_t length;
    };
    static constexpr std::size_t kUnitsInEntry = 8;

    std::u16string_view key(int row) const;
    Entry entryOf(int row) const;
    // Below, at or above 0 as a's key orders before, with or after b's.
    int compare(const Entry& a, const Entry& b) const;

    // Every key back to back: a million strings of their own would cost a
    // million allocations.
    std::u16string keys_;
    std::vector<std::size_t> ends_;
};
