// SPDX-License-Identifier: MIT
#include "SortKeys.h"

#include "CardLayout.h"
#include "CardListModel.h"
#include "Cp932Text.h"
#include "SortTextSource.h"

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
// rarity, then the key of the column's text source when it has one, then
// its collation key.
struct KeyedText {
    QCollatorSortKey key;
    std::string sourceKey;
    int rarity;
    std::uint32_t text;

    bool operator<(const KeyedText& other) const
    {
        if (rarity != other.rarity)
            return rarity < other.rarity;
        if (sourceKey != other.sourceKey)
            return sourceKey < other.sourceKey;
        return key.compare(other.key) < 0;
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
    SortTextSource* source = lines.sortTextSource(column);
    if (source && !source->prepare(progress))
        return {};
    const DistinctTexts distinct(lines, column);
    const std::size_t count = distinct.texts.size();
    const bool byRarity = card::kListColumns[std::size_t(column)].field == card::Field::Rate;
    const QCollator collator = japaneseCollator();
    std::vector<KeyedText> keyed;
    keyed.reserve(count);
    QString text;
    for (std::size_t i = 0; i < count; ++i) {
        if (i % kProgressStride == 0 && i > 0 && !progress(i, count))
            return {};
        fromCp932(distinct.texts[i], text);
        keyed.push_back({collator.sortKey(text), source ? source->keyOf(distinct.texts[i]) : std::string(),
                         byRarity ? rarityRank(distinct.texts[i]) : 0, std::uint32_t(i)});
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
