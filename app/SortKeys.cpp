// SPDX-License-Identifier: MIT
#include "SortKeys.h"

#include "CardLayout.h"
#include "CardListModel.h"
#include "Cp932Text.h"
#include "ShiftJis.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace {

// The converter's own decoding of every single- and double-byte character,
// taken once: a million fields cannot each afford a trip through it.
struct DecodeTable {
    std::array<char16_t, 0x100> singles{};
    std::vector<char16_t> pairs = std::vector<char16_t>(0x10000, u'\uFFFD');

    DecodeTable()
    {
        for (int b = 0; b < 0x100; ++b)
            singles[std::size_t(b)] = unitOf(std::string(1, char(b)));
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            for (int trail = 0x40; trail <= 0xFC && card::sjis::isLeadByte(lead); ++trail) {
                if (card::sjis::isTrailByte(trail))
                    pairs[std::size_t(lead << 8 | trail)] = unitOf(std::string{char(lead), char(trail)});
            }
        }
    }

    static char16_t unitOf(std::string_view bytes)
    {
        const QString text = fromCp932(bytes);
        return text.size() == 1 ? text.at(0).unicode() : u'\uFFFD';
    }

    static const DecodeTable& instance()
    {
        static const DecodeTable table;
        return table;
    }
};

// A key's units one by one, straight from the field's bytes: the rank
// first when there is one, then the characters as the converter reads them
// (a lead byte pairs only with a byte that can trail it).
struct UnitReader {
    std::string_view bytes;
    int rank = -1;
    const DecodeTable& table = DecodeTable::instance();

    bool atEnd() const { return rank < 0 && bytes.empty(); }

    char16_t next()
    {
        if (rank >= 0)
            return static_cast<char16_t>(std::exchange(rank, -1));
        const auto b = static_cast<unsigned char>(bytes[0]);
        const auto trail = bytes.size() > 1 ? static_cast<unsigned char>(bytes[1]) : 0;
        if (card::sjis::isLeadByte(b) && card::sjis::isTrailByte(trail)) {
            bytes.remove_prefix(2);
            return table.pairs[std::size_t(b << 8 | trail)];
        }
        bytes.remove_prefix(1);
        return table.singles[b];
    }
};

// The key of a field: for the rarity its rank comes first.
UnitReader keyReader(std::string_view text, bool ranked)
{
    UnitReader reader{text};
    if (ranked)
        reader.rank =
            int(std::find(card::kRarityNames.begin(), card::kRarityNames.end(), text) - card::kRarityNames.begin());
    return reader;
}

}  // namespace

SortKeys::SortKeys(const CardListModel& lines, int column) : lines_(lines), column_(column) {}

std::string_view SortKeys::fieldOf(int row) const
{
    return lines_.field(row, column_);
}

// A key shorter than the units taken is padded with zeros: the units never
// order two keys otherwise than the whole keys do, and equal ones leave it to
// the lengths.
SortKeys::Entry SortKeys::entryOf(int row, std::uint32_t skip) const
{
    UnitReader key = keyReader(fieldOf(row), card::kListColumns[std::size_t(column_)].field == card::Field::Rate);
    for (std::uint32_t i = 0; i < skip && !key.atEnd(); ++i)
        key.next();
    std::array<std::uint64_t, 2> units{};
    std::uint32_t length = 0;
    for (; length < kUnitsInEntry && !key.atEnd(); ++length)
        units[length / 4] |= std::uint64_t(key.next()) << (16 * (3 - length % 4));
    if (!key.atEnd())
        length = kUnitsInEntry + 1;
    return {units[0], units[1], row, length};
}

// Sorts by the units taken; the lines that agree in all of them and go on
// are sorted by their next units in turn, each line read once per round
// instead of once per comparison.
void SortKeys::sortFrom(std::vector<Entry>::iterator begin, std::vector<Entry>::iterator end, std::uint32_t skip,
                        bool ascending) const
{
    std::sort(begin, end, [ascending](const Entry& a, const Entry& b) {
        if (a.head != b.head)
            return ascending == (a.head < b.head);
        if (a.next != b.next)
            return ascending == (a.next < b.next);
        if (a.units != b.units)
            return ascending == (a.units < b.units);
        return a.row < b.row;  // the file order among equals
    });
    for (auto run = begin; run != end;) {
        const auto runEnd = std::find_if(run, end, [run](const Entry& e) {
            return e.head != run->head || e.next != run->next || e.units != run->units;
        });
        if (run->units > kUnitsInEntry && runEnd - run > 1) {
            for (auto entry = run; entry != runEnd; ++entry)
                *entry = entryOf(entry->row, skip + kUnitsInEntry);
            sortFrom(run, runEnd, skip + kUnitsInEntry, ascending);
        }
        run = runEnd;
    }
}

std::vector<int> SortKeys::sortedRows(Qt::SortOrder order) const
{
    std::vector<Entry> entries;
    entries.reserve(std::size_t(lines_.rowCount()));
    for (int row = 0; row < lines_.rowCount(); ++row)
        entries.push_back(entryOf(row, 0));
    sortFrom(entries.begin(), entries.end(), 0, order == Qt::AscendingOrder);
    std::vector<int> rows;
    rows.reserve(entries.size());
    for (const Entry& entry : entries)
        rows.push_back(entry.row);
    return rows;
}
