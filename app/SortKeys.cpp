#include "SortKeys.h"

#include "CardListModel.h"
#include "Cp932Text.h"
#include "ShiftJis.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<std::string_view, 4> kRarityOrder = {"Common", "Uncommon", "Vital", "Rare"};

bool isTrailByte(unsigned char b)
{
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// The converter's own decoding of every single- and double-byte character,
// taken once: a million fields cannot each afford a trip through it.
struct DecodeTable {
    std::array<char16_t, 256> singles{};
    std::vector<char16_t> pairs = std::vector<char16_t>(0x10000, u'\uFFFD');

    DecodeTable()
    {
        for (int b = 0; b < 0x100; ++b)
            singles[std::size_t(b)] = unitOf(std::string(1, char(b)));
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            for (int trail = 0x40; trail <= 0xFC && card::sjis::isLeadByte(lead); ++trail) {
                if (isTrailByte(trail))
                    pairs[std::size_t(lead << 8 | trail)] = unitOf(std::string{char(lead), char(trail)});
            }
        }
    }

    static char16_t unitOf(std::string_view bytes)
    {
        const QString text = fromCp932(bytes);
        return text.size() == 1 ? text.at(0).unicode() : u'\uFFFD';
    }

    // As the converter reads it: a lead byte pairs only with a byte that can trail it.
    void append(std::u16string& out, std::string_view bytes) const
    {
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const auto b = static_cast<unsigned char>(bytes[i]);
            const auto next = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
            if (card::sjis::isLeadByte(b) && isTrailByte(next)) {
                out += pairs[std::size_t(b << 8 | next)];
                ++i;
            } else {
                out += singles[b];
            }
        }
    }
};

// Field `column` of a list line; in CP932 a tab byte never trails a lead byte.
std::string_view field(std::string_view line, int column)
{
    for (int i = 0; i < column; ++i) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos)
            return {};
        line.remove_prefix(tab + 1);
    }
    return line.substr(0, line.find('\t'));
}

char16_t rarityRank(std::string_view rate)
{
    return static_cast<char16_t>(std::find(kRarityOrder.begin(), kRarityOrder.end(), rate) - kRarityOrder.begin());
}

}  // namespace

SortKeys::SortKeys(const CardListModel& lines, int column)
{
    static const DecodeTable table;
    const int rows = lines.rowCount();
    // A key has no more units than its field has bytes, and the rank: one
    // allocation of the right size instead of a growing copy.
    std::size_t units = 0;
    for (int row = 0; row < rows; ++row)
        units += field(lines.line(row), column).size() + 1;
    keys_.reserve(units);
    ends_.reserve(static_cast<std::size_t>(rows) + 1);
    ends_.push_back(0);
    for (int row = 0; row < rows; ++row) {
        const std::string_view text = field(lines.line(row), column);
        if (column == kRarityColumn)
            keys_ += rarityRank(text);
        table.append(keys_, text);
        ends_.push_back(keys_.size());
    }
}

std::u16string_view SortKeys::key(int row) const
{
    const auto at = static_cast<std::size_t>(row);
    return std::u16string_view(keys_).substr(ends_[at], ends_[at + 1] - ends_[at]);
}

// A shorter key is padded with zeros, so the first units never order two
// keys otherwise than the whole keys do; when they are equal the keys decide.
SortKeys::Entry SortKeys::entryOf(int row) const
{
    const std::u16string_view text = key(row);
    std::array<std::uint64_t, 2> units{};
    for (std::size_t i = 0; i < kUnitsInEntry; ++i)
        units[i / 4] = units[i / 4] << 16 | (i < text.size() ? text[i] : 0);
    return {units[0], units[1], row, static_cast<std::uint32_t>(text.size())};  // a field's few hundred at most
}

int SortKeys::compare(const Entry& a, const Entry& b) const
{
    if (a.head != b.head)
        return a.head < b.head ? -1 : 1;
    if (a.next != b.next)
        return a.next < b.next ? -1 : 1;
    if (a.length > kUnitsInEntry || b.length > kUnitsInEntry)
        return key(a.row).compare(key(b.row));
    return int(a.length) - int(b.length);
}

std::vector<int> SortKeys::sortedRows(Qt::SortOrder order) const
{
    std::vector<Entry> entries;
    entries.reserve(ends_.size() - 1);
    for (int row = 0; row + 1 < static_cast<int>(ends_.size()); ++row)
        entries.push_back(entryOf(row));
    const bool ascending = order == Qt::AscendingOrder;
    std::sort(entries.begin(), entries.end(), [this, ascending](const Entry& a, const Entry& b) {
        const int difference = compare(a, b);
        if (difference == 0)
            return a.row < b.row;  // the file order among equals
        return ascending ? difference < 0 : difference > 0;
    });
    std::vector<int> rows;
    rows.reserve(entries.size());
    for (const Entry& entry : entries)
        rows.push_back(entry.row);
    return rows;
}
