// SPDX-License-Identifier: MIT
#include "SortKeys.h"

#include "CardLayout.h"
#include "CardListModel.h"
#include "Cp932Text.h"
#include "ShiftJis.h"

#include <QCollator>
#include <QCoreApplication>
#include <QLocale>
#include <QString>
#include <QTimer>

#include <algorithm>
#include <array>
#include <memory>
#include <numeric>
#include <string>
#include <string_view>
#include <unordered_map>

namespace {

constexpr std::size_t kProgressStride = 4096;

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

    // The text as the converter reads it (a lead byte pairs only with a
    // byte that can trail it), into `out`.
    void decode(std::string_view bytes, QString& out) const
    {
        out.resize(qsizetype(bytes.size()));
        QChar* unit = out.data();
        qsizetype length = 0;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const auto b = static_cast<unsigned char>(bytes[i]);
            const auto trail = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
            if (card::sjis::isLeadByte(b) && card::sjis::isTrailByte(trail))
                unit[length++] = QChar(pairs[std::size_t(b << 8 | trail)]), ++i;
            else
                unit[length++] = QChar(singles[b]);
        }
        out.truncate(length);
    }
};

QCollator japaneseCollator()
{
    QCollator collator(QLocale(QLocale::Japanese, QLocale::Japan));
    collator.setNumericMode(true);  // "カード2" before "カード10"
    return collator;
}

// A rarity's place among those the search offers; the others after them.
int rarityRank(std::string_view text)
{
    return int(std::find(card::kRarityNames.begin(), card::kRarityNames.end(), text) - card::kRarityNames.begin());
}

// The column's texts, each once, and for each row which of them it shows:
// a column such as the rarity holds a handful of texts in a million rows.
// Once a column turns out to hold more than kDistinctLimit texts, such as
// the names, the rest are taken as they come: looking each up in a large
// table would cost more than its key.
struct DistinctTexts {
    static constexpr std::size_t kDistinctLimit = 4096;
    std::vector<std::string_view> texts;
    std::vector<std::uint32_t> ofRow;

    DistinctTexts(const CardListModel& lines, int column)
    {
        const int rows = lines.rowCount();
        std::unordered_map<std::string_view, std::uint32_t> seen;
        ofRow.reserve(std::size_t(rows));
        for (int row = 0; row < rows; ++row) {
            const std::string_view text = lines.field(row, column);
            if (seen.size() > kDistinctLimit) {
                ofRow.push_back(std::uint32_t(texts.size()));
                texts.push_back(text);
                continue;
            }
            const auto [at, added] = seen.try_emplace(text, std::uint32_t(texts.size()));
            if (added)
                texts.push_back(text);
            ofRow.push_back(at->second);
        }
    }
};

// A text's place in the order: its rarity's rank, when the column is the
// rarity, then its collation key.
struct KeyedText {
    QCollatorSortKey key;
    int rarity;
    std::uint32_t text;

    bool operator<(const KeyedText& other) const
    {
        return rarity != other.rarity ? rarity < other.rarity : key.compare(other.key) < 0;
    }
};

// Gives the keys' memory back from the event loop, a slice at a time: a
// million small blocks freed at once would hold up the sorted list's first
// paint by a third of a second, and nothing waits for them.
void releaseInSlices(std::vector<KeyedText> keyed)
{
    static constexpr std::size_t kReleaseStride = 1 << 16;
    auto held = std::make_shared<std::vector<KeyedText>>(std::move(keyed));
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, timer, [timer, held] {
        held->erase(held->end() - std::ptrdiff_t(std::min(kReleaseStride, held->size())), held->end());
        if (held->empty())
            timer->deleteLater();
    });
    timer->start(0);
}

}  // namespace

SortKeys::Ranks SortKeys::ranksOf(const CardListModel& lines, int column, const Progress& progress)
{
    const DistinctTexts distinct(lines, column);
    const std::size_t count = distinct.texts.size();
    const bool byRarity = card::kListColumns[std::size_t(column)].field == card::Field::Rate;
    const QCollator collator = japaneseCollator();
    const DecodeTable& table = DecodeTable::instance();
    std::vector<KeyedText> keyed;
    keyed.reserve(count);
    QString text;
    for (std::size_t i = 0; i < count; ++i) {
        if (i % kProgressStride == 0 && i > 0 && !progress(i, count))
            return {};
        table.decode(distinct.texts[i], text);
        keyed.push_back({collator.sortKey(text), byRarity ? rarityRank(distinct.texts[i]) : 0, std::uint32_t(i)});
    }
    std::sort(keyed.begin(), keyed.end());
    Ranks rankOfText(count, 0);
    for (std::size_t i = 1; i < count; ++i)
        rankOfText[keyed[i].text] = rankOfText[keyed[i - 1].text] + (keyed[i - 1] < keyed[i] ? 1 : 0);
    Ranks ranks;
    ranks.reserve(distinct.ofRow.size());
    for (std::uint32_t text : distinct.ofRow)
        ranks.push_back(rankOfText[text]);
    releaseInSlices(std::move(keyed));
    return ranks;
}

// A counting sort: the rows go into their rank's place in file order.
std::vector<int> SortKeys::sortedRows(const Ranks& ranks, Qt::SortOrder order)
{
    const std::uint32_t highest = ranks.empty() ? 0 : *std::max_element(ranks.begin(), ranks.end());
    std::vector<std::size_t> start(std::size_t(highest) + 2, 0);
    const auto slot = [&](std::uint32_t rank) {
        return std::size_t(order == Qt::AscendingOrder ? rank : highest - rank);
    };
    for (std::uint32_t rank : ranks)
        ++start[slot(rank) + 1];
    std::partial_sum(start.begin(), start.end(), start.begin());
    std::vector<int> rows(ranks.size());
    for (std::size_t row = 0; row < ranks.size(); ++row)
        rows[start[slot(ranks[row])]++] = int(row);
    return rows;
}
