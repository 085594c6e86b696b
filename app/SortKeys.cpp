// SPDX-License-Identifier: MIT
#include "SortKeys.h"

#include "CardLayout.h"
#include "CardListModel.h"
#include "Cp932Text.h"
#include "SortTextSource.h"
#include "WorkPair.h"

#include <QCollator>
#include <QCoreApplication>
#include <QLocale>
#include <QString>
#include <QTimer>

#include <algorithm>
#include <bit>
#include <limits>
#include <memory>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>

namespace {

// Texts keyed by each thread between two progress reports: a few milliseconds.
constexpr std::size_t kProgressStride = 4096;

// A collator is reentrant, not thread-safe: each thread makes its own.
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

// Rows [begin, end) of a column: its texts, each once, and for each row
// which of them it shows. A text is looked up by its hash in a table of
// ids, so that equal texts, which many columns hold in plenty, get one key;
// the texts themselves stay in the card store.
class TextTable {
public:
    static constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();

    TextTable(const CardListModel& lines, int column, int begin, int end)
        : slots_(std::bit_ceil(std::max<std::size_t>(16, 2 * std::size_t(end - begin))), kNone)
    {
        ofRow.reserve(std::size_t(end - begin));
        for (int row = begin; row < end; ++row)
            ofRow.push_back(idOf(lines.field(row, column)));
    }

    // The id of `text` here, or kNone.
    std::uint32_t find(std::string_view text) const
    {
        for (std::size_t at = std::hash<std::string_view>{}(text) & (slots_.size() - 1);; at = (at + 1) & (slots_.size() - 1)) {
            if (slots_[at] == kNone || texts[slots_[at]] == text)
                return slots_[at];
        }
    }
    void forgetLookups() { std::vector<std::uint32_t>().swap(slots_); }

    std::vector<std::string_view> texts;
    std::vector<std::uint32_t> ofRow;  // the id of each row's text

private:
    std::uint32_t idOf(std::string_view text)
    {
        std::size_t at = std::hash<std::string_view>{}(text) & (slots_.size() - 1);
        for (; slots_[at] != kNone; at = (at + 1) & (slots_.size() - 1)) {
            if (texts[slots_[at]] == text)
                return slots_[at];
        }
        slots_[at] = std::uint32_t(texts.size());
        texts.push_back(text);
        return slots_[at];
    }

    std::vector<std::uint32_t> slots_;  // ids by hash; kNone where free
};

// The column's distinct texts and each row's, from both halves of the rows
// read at once: the second half's texts that the first holds take the
// first's ids, the others follow them.
struct DistinctTexts {
    std::vector<std::string_view> texts;
    std::vector<std::uint32_t> ofRow;

    DistinctTexts(const CardListModel& lines, int column)
    {
        const int rows = lines.rowCount();
        const int half = card::WorkPair::usableCores() >= 2 ? rows / 2 : rows;  // one core: one table
        std::optional<TextTable> first, second;
        card::WorkPair::runBoth([&] { first.emplace(lines, column, 0, half); },
                                [&] { second.emplace(lines, column, half, rows); });
        second->forgetLookups();
        std::vector<std::uint32_t> idInFirst(second->texts.size());
        for (std::size_t id = 0; id < second->texts.size(); ++id) {
            idInFirst[id] = first->find(second->texts[id]);
            if (idInFirst[id] == TextTable::kNone) {
                idInFirst[id] = std::uint32_t(first->texts.size());
                first->texts.push_back(second->texts[id]);
            }
        }
        first->forgetLookups();
        texts = std::move(first->texts);
        ofRow = std::move(first->ofRow);
        ofRow.reserve(std::size_t(rows));
        for (std::uint32_t id : second->ofRow)
            ofRow.push_back(idInFirst[id]);
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

// The keys of texts [next, end) of the distinct ones, made by one thread
// with its own collator, a stride at a time, then sorted.
struct KeyedPart {
    std::size_t next, end;
    QCollator collator = japaneseCollator();
    QString text;  // decoded, reused
    std::vector<KeyedText> keyed;

    KeyedPart(std::size_t begin, std::size_t end) : next(begin), end(end) { keyed.reserve(end - begin); }

    void keyAStride(const DistinctTexts& distinct, bool byRarity, const SortTextSource* source)
    {
        for (const std::size_t strideEnd = std::min(end, next + kProgressStride); next < strideEnd; ++next) {
            fromCp932(distinct.texts[next], text);
            keyed.push_back({collator.sortKey(text), source ? source->keyOf(distinct.texts[next]) : std::string(),
                             byRarity ? rarityRank(distinct.texts[next]) : 0, std::uint32_t(next)});
        }
    }
    bool done() const { return next == end; }
};

// The rank of every distinct text from the two sorted parts, merged: equal
// texts, in either part, share one rank.
SortKeys::Ranks ranksOfTexts(const std::vector<KeyedText>& first, const std::vector<KeyedText>& second)
{
    SortKeys::Ranks rankOfText(first.size() + second.size(), 0);
    std::uint32_t rank = 0;
    const KeyedText* previous = nullptr;
    for (std::size_t i = 0, j = 0; i < first.size() || j < second.size();) {
        const bool fromFirst = j == second.size() || (i < first.size() && !(second[j] < first[i]));
        const KeyedText& next = fromFirst ? first[i++] : second[j++];
        if (previous && *previous < next)
            ++rank;
        rankOfText[next.text] = rank;
        previous = &next;
    }
    return rankOfText;
}

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

// Each text is keyed once, by one of two threads, each over half of the
// distinct texts; each thread sorts its half, and the halves are merged
// into ranks. Progress is told between strides, on the caller's thread.
SortKeys::Ranks SortKeys::ranksOf(const CardListModel& lines, int column, const Progress& progress)
{
    // The source makes what its keys need here, on this thread: the two
    // threads below only read it.
    SortTextSource* source = lines.sortTextSource(column);
    if (source && !source->prepare(progress))
        return {};
    DistinctTexts distinct(lines, column);
    const std::size_t count = distinct.texts.size();
    const bool byRarity = card::kListColumns[std::size_t(column)].field == card::Field::Rate;
    const std::size_t half = card::WorkPair::usableCores() >= 2 ? count / 2 : count;  // one core: one part
    KeyedPart first(0, half), second(half, count);
    while (!first.done() || !second.done()) {
        if (second.done())
            first.keyAStride(distinct, byRarity, source);
        else
            card::WorkPair::runBoth([&] { first.keyAStride(distinct, byRarity, source); },
                                    [&] { second.keyAStride(distinct, byRarity, source); });
        const std::size_t done = first.next + (second.next - half);
        if (done < count && !progress(done, count))
            return {};
    }
    card::WorkPair::runBoth([&] { std::sort(first.keyed.begin(), first.keyed.end()); },
                            [&] { std::sort(second.keyed.begin(), second.keyed.end()); });
    const Ranks rankOfText = ranksOfTexts(first.keyed, second.keyed);
    releaseInSlices(std::move(first.keyed));
    releaseInSlices(std::move(second.keyed));
    // Each row's text id becomes its text's rank, in place.
    Ranks ranks = std::move(distinct.ofRow);
    for (std::uint32_t& rank : ranks)
        rank = rankOfText[rank];
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
