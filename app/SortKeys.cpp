// SPDX-License-Identifier: MIT
#include "SortKeys.h"

#include "CardLayout.h"
#include "CardListModel.h"
#include "SortTextSource.h"
#include "WindowLog.h"
#include "WorkPair.h"

#include "CollationKeys.h"
#include "Cp932DecodeTable.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <numeric>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <tuple>

namespace {

// Texts keyed by each thread between two progress reports: a few milliseconds.
constexpr std::size_t kProgressStride = 4096;

// A rarity's place among those the search offers; the others after them.
int rarityRank(std::string_view text)
{
    return int(std::find(card::kRarityNames.begin(), card::kRarityNames.end(), text) - card::kRarityNames.begin());
}

// Rows [begin, end) of a column: its texts, each once, and for each row
// which of them it shows. A text is looked up by its hash in a table of
// ids, so that equal texts, which many columns hold in plenty, get one key.
// Each text is a view into the card store while the table is built, and
// after it the first row that shows it: four bytes a text where a view
// takes sixteen, while the keys are made.
class TextTable {
public:
    static constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();

    // Room for `reserve` rows' ids, so that the second half's can follow.
    TextTable(const CardListModel& lines, int column, int begin, int end, int reserve)
        : slots_(std::bit_ceil(std::max<std::size_t>(16, 2 * std::size_t(end - begin))), kNone)
    {
        ofRow.reserve(std::size_t(reserve));
        for (int row = begin; row < end; ++row)
            ofRow.push_back(idOf(lines.field(row, column), std::uint32_t(row)));
    }

    // The id of `text` here, or kNone.
    std::uint32_t find(std::string_view text) const
    {
        for (std::size_t at = hashOf(text) & (slots_.size() - 1);; at = (at + 1) & (slots_.size() - 1)) {
            if (slots_[at] == kNone || texts[slots_[at]] == text)
                return slots_[at];
        }
    }
    void forgetLookups()
    {
        std::vector<std::uint32_t>().swap(slots_);
        std::vector<std::string_view>().swap(texts);
    }

    std::vector<std::string_view> texts;  // until forgetLookups
    std::vector<std::uint32_t> firstRow;  // of each text
    std::vector<std::uint32_t> ofRow;     // the id of each row's text

private:
    static std::size_t hashOf(std::string_view text) { return std::hash<std::string_view>{}(text); }

    std::uint32_t idOf(std::string_view text, std::uint32_t row)
    {
        std::size_t at = hashOf(text) & (slots_.size() - 1);
        for (; slots_[at] != kNone; at = (at + 1) & (slots_.size() - 1)) {
            if (texts[slots_[at]] == text)
                return slots_[at];
        }
        slots_[at] = std::uint32_t(texts.size());
        texts.push_back(text);
        firstRow.push_back(row);
        return slots_[at];
    }

    std::vector<std::uint32_t> slots_;  // ids by hash; kNone where free
};

// The column's distinct texts and each row's, from both halves of the rows
// read at once: the second half's texts that the first holds take the
// first's ids, the others follow them.
struct DistinctTexts {
    const CardListModel& lines;
    const int column;
    std::vector<std::uint32_t> firstRow;
    std::vector<std::uint32_t> ofRow;

    DistinctTexts(const CardListModel& lines, int column) : lines(lines), column(column)
    {
        const int rows = lines.rowCount();
        const int half = card::WorkPair::usableCores() >= 2 ? rows / 2 : rows;  // one core: one table
        std::optional<TextTable> first, second;
        card::WorkPair::runBoth([&] { first.emplace(lines, column, 0, half, rows); },
                                [&] { second.emplace(lines, column, half, rows, rows - half); });
        std::vector<std::uint32_t> idInFirst(second->firstRow.size());
        for (std::size_t id = 0; id < second->firstRow.size(); ++id) {
            idInFirst[id] = first->find(second->texts[id]);
            if (idInFirst[id] == TextTable::kNone) {
                idInFirst[id] = std::uint32_t(first->firstRow.size());
                first->firstRow.push_back(second->firstRow[id]);
            }
        }
        first->forgetLookups();
        second->forgetLookups();
        second->firstRow = {};
        firstRow = std::move(first->firstRow);
        firstRow.shrink_to_fit();
        ofRow = std::move(first->ofRow);
        ofRow.resize(std::size_t(rows));
        std::transform(second->ofRow.begin(), second->ofRow.end(), ofRow.begin() + half,
                       [&](std::uint32_t id) { return idInFirst[id]; });
    }

    std::size_t size() const { return firstRow.size(); }
    std::string_view text(std::uint32_t id) const { return lines.field(int(firstRow[id]), column); }
};

// Bytes of a text's whole key held for it at a time: enough for most
// names' readings to differ in, 40 bytes a text with its id.
constexpr std::size_t kWindow = 32;

// What a window of a text's whole key shows of its place in the order: the
// key's bytes [offset, offset + 32), zeros past its end, as big-endian
// words, and how many of them the key has (33: more follow). Slots compare
// as their texts' keys do, but for those whose windows are equal and whose
// keys go on: only more of their keys tells them apart.
struct KeySlot {
    std::array<std::uint64_t, kWindow / 8> words{};
    std::uint32_t text = 0;
    std::uint8_t length = 0;

    auto window() const { return std::tie(words, length); }
    bool operator<(const KeySlot& other) const { return window() < other.window(); }
    bool sameWindow(const KeySlot& other) const { return window() == other.window(); }
    bool keyGoesOn() const { return length > kWindow; }
};

std::uint64_t bigEndianWord(const unsigned char* bytes)
{
    std::uint64_t word = 0;
    for (int i = 0; i < 8; ++i)
        word = word << 8 | bytes[i];
    return word;
}

// Makes the whole keys of the column's distinct texts and cuts windows out
// of them; one for each thread, with its own collator. A whole key is the
// rarity's rank (the rarity column), the source's key with its zero and one
// bytes escaped and a zero after it (a column with a source), then the
// collation key: its bytes compare as the texts sort. A part of the key
// past the window asked for is not made.
class SlotMaker {
public:
    SlotMaker(const DistinctTexts& distinct, bool byRarity, const SortTextSource* source)
        : distinct_(distinct), byRarity_(byRarity), source_(source)
    {
    }

    KeySlot slotOf(std::uint32_t text, std::size_t offset)
    {
        makeKey(distinct_.text(text), offset + kWindow);
        KeySlot slot;
        slot.text = text;
        if (key_.size() <= offset)
            return slot;
        const std::size_t length = std::min(key_.size() - offset, kWindow + 1);
        slot.length = std::uint8_t(length);
        std::array<unsigned char, kWindow> window{};
        std::memcpy(window.data(), key_.data() + offset, std::min(length, kWindow));
        for (std::size_t i = 0; i < slot.words.size(); ++i)
            slot.words[i] = bigEndianWord(window.data() + 8 * i);
        return slot;
    }

    // The key of text `text`, which stays valid until the next call: whole,
    // or without its collation when a source's key comes before it (a tie
    // of such keys is rare: that key holds the text's own folded key).
    std::string_view keyOf(std::uint32_t text, bool whole)
    {
        makeKey(distinct_.text(text), whole ? std::string::npos : 0);
        return key_;
    }
    bool keysBeforeCollation() const { return source_ != nullptr; }
    const std::string& collationProblem() const { return collation_.problem(); }
    void useCodePoints(const std::string& why) { collation_.useCodePoints(why); }

private:
    // The key of `text`, whole or at least its first `needed` bytes and one.
    void makeKey(std::string_view text, std::size_t needed)
    {
        key_.clear();
        if (byRarity_)
            key_.push_back(char(rarityRank(text)));
        if (source_) {
            appendEscaped(source_->keyOf(text));
            key_.push_back('\0');
            if (key_.size() > needed)
                return;  // the collation only breaks ties among equal keys
        }
        decoded_.resize(text.size());
        decoded_.resize(card::Cp932DecodeTable::instance().decode(text, decoded_.data()));
        collation_.appendKey(std::u16string_view(decoded_.data(), decoded_.size()), key_);
    }

    // Zero and one bytes as one and two after a one: the zero after the
    // source's key comes before any byte of a longer one.
    void appendEscaped(const std::string& sourceKey)
    {
        for (std::size_t at = 0, clean; at < sourceKey.size(); at = clean + 1) {
            clean = std::min(sourceKey.find_first_of(std::string_view("\0\1", 2), at), sourceKey.size());
            key_.append(sourceKey, at, clean - at);
            if (clean < sourceKey.size())
                key_ += {'\1', char(sourceKey[clean] + 1)};
        }
    }

    const DistinctTexts& distinct_;
    const bool byRarity_;
    const SortTextSource* const source_;
    CollationKeys collation_;
    std::vector<char16_t> decoded_;  // reused
    std::string key_;  // reused
};

// The first windows of texts [next, end) of the distinct ones, made by one
// thread a stride at a time.
struct SlotPart {
    std::size_t next, end;
    SlotMaker maker;

    void makeAStride(std::vector<KeySlot>& keyed)
    {
        for (const std::size_t strideEnd = std::min(end, next + kProgressStride); next < strideEnd; ++next)
            keyed[next] = maker.slotOf(std::uint32_t(next), 0);
    }
    bool done() const { return next == end; }
};

// Sorted on two threads: split around the median of a sample, each side
// sorted by one.
void sortOnTwoThreads(std::vector<KeySlot>& keyed)
{
    static constexpr std::size_t kSample = 255;
    if (card::WorkPair::usableCores() < 2 || keyed.size() < 16 * kSample) {
        std::sort(keyed.begin(), keyed.end());
        return;
    }
    std::vector<KeySlot> sample;
    for (std::size_t i = 0; i < kSample; ++i)
        sample.push_back(keyed[i * keyed.size() / kSample]);
    std::nth_element(sample.begin(), sample.begin() + kSample / 2, sample.end());
    const KeySlot pivot = sample[kSample / 2];
    const auto middle = std::partition(keyed.begin(), keyed.end(), [&](const KeySlot& slot) { return slot < pivot; });
    card::WorkPair::runBoth([&] { std::sort(keyed.begin(), middle); }, [&] { std::sort(middle, keyed.end()); });
}

SortKeys::TieLimits tieLimits{};

// A tie too large to rank where it was found, on either thread: ranked after
// all others, a stride of its texts at a time on both threads, with
// progress reports and a stop between strides.
struct LargeTie {
    std::span<KeySlot> keyed;
    std::size_t offset;  // of the windows its slots hold
    std::uint32_t first;
};
using LargeTies = std::vector<LargeTie>;

void rankSorted(std::span<KeySlot> keyed, std::size_t offset, std::uint32_t first, SlotMaker& maker,
                SortKeys::Ranks& rankOfText, LargeTies& large);

// The keys of a tie's texts, made again for the tie alone, back to back,
// and where each ends.
struct TieKeys {
    std::string bytes;
    std::vector<std::size_t> ends;

    void append(std::string_view key)
    {
        bytes += key;
        ends.push_back(bytes.size());
    }
    std::string_view operator[](std::size_t i) const
    {
        const std::size_t begin = i == 0 ? 0 : ends[i - 1];
        return std::string_view(bytes).substr(begin, ends[i] - begin);
    }
};

// The tie's places in the order of their keys, and for each run of equal
// keys, the call eachRun(order, at, end).
template <typename EachRun>
void forEachRunOfEqualKeys(const TieKeys& keys, EachRun&& eachRun)
{
    std::vector<std::uint32_t> order(keys.ends.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
    for (std::size_t at = 0, end; at < order.size(); at = end) {
        for (end = at + 1; end < order.size() && keys[order[end]] == keys[order[at]];)
            ++end;
        eachRun(order, at, end);
    }
}

// Ranks the texts of a tie, which begins at place `first`, by their keys,
// made once more and held only for the tie: first without the collation
// when they can be, then whole for the texts those keys tie.
void rankByKeys(std::span<const KeySlot> tie, std::uint32_t first, bool whole, SlotMaker& maker,
                SortKeys::Ranks& rankOfText)
{
    TieKeys keys;
    const bool collated = maker.collationProblem().empty();
    for (const KeySlot& slot : tie)
        keys.append(maker.keyOf(slot.text, whole));
    if (collated && !maker.collationProblem().empty()) {
        rankByKeys(tie, first, whole, maker, rankOfText);  // a key failed: the tie's keys all of one kind
        return;
    }
    forEachRunOfEqualKeys(keys, [&](const std::vector<std::uint32_t>& order, std::size_t at, std::size_t end) {
        if (end - at > 1 && !whole) {
            std::vector<KeySlot> equal;
            for (std::size_t i = at; i < end; ++i)
                equal.push_back(tie[order[i]]);
            return rankByKeys(equal, first + std::uint32_t(at), true, maker, rankOfText);
        }
        for (std::size_t i = at; i < end; ++i)
            rankOfText[tie[order[i]].text] = first + std::uint32_t(at);
    });
}

// Ranks a tie of sorted windows at `offset`, which begins at place `first`,
// or leaves it for later when it is large.
void rankTie(std::span<KeySlot> tie, std::size_t offset, std::uint32_t first, SlotMaker& maker,
             SortKeys::Ranks& rankOfText, LargeTies& large)
{
    if (tie.size() <= tieLimits.texts)
        rankByKeys(tie, first, !maker.keysBeforeCollation(), maker, rankOfText);
    else
        large.push_back({tie, offset, first});
}

// Ranks the texts of the sorted `keyed`, which begin at place `first` of
// all: each group of equal windows takes the place of its first slot, but
// for a group whose keys go on past the window: only the texts of such a
// tie have their keys made again.
void rankSorted(std::span<KeySlot> keyed, std::size_t offset, std::uint32_t first, SlotMaker& maker,
                SortKeys::Ranks& rankOfText, LargeTies& large)
{
    for (std::size_t at = 0, end; at < keyed.size(); at = end) {
        for (end = at + 1; end < keyed.size() && keyed[end].sameWindow(keyed[at]);)
            ++end;
        if (end - at > 1 && keyed[at].keyGoesOn()) {
            rankTie(keyed.subspan(at, end - at), offset, first + std::uint32_t(at), maker, rankOfText, large);
            continue;
        }
        for (std::size_t i = at; i < end; ++i)
            rankOfText[keyed[i].text] = first + std::uint32_t(at);
    }
}

// Why either collator makes code-point keys; empty while both collate.
const std::string& collationProblemOf(const SlotMaker& first, const SlotMaker& second)
{
    return first.collationProblem().empty() ? second.collationProblem() : first.collationProblem();
}

// Once either collator has made a code-point key, both make only those:
// keys of two kinds do not compare. False when the keys so far were mixed.
bool bothMakeOneKindOfKey(SlotMaker& first, SlotMaker& second)
{
    const std::string problem = collationProblemOf(first, second);
    if (problem.empty())
        return true;
    const bool oneKind = !first.collationProblem().empty() && !second.collationProblem().empty();
    first.useCodePoints(problem);
    second.useCodePoints(problem);
    return oneKind;
}

// Texts of a large tie keyed by each thread between two progress reports.
constexpr std::size_t kTieStride = 1024;

// What a stride of a large tie's texts gives: made by one thread into its own
// part, taken by the caller's thread after both strides; false there ends
// the work early.
struct TieStride {
    std::function<void(std::size_t begin, std::size_t end, SlotMaker& maker, int part)> make;
    std::function<bool()> take = [] { return true; };
};

enum class StrideEnd { Done, Stopped, Ended };

// Runs `stride` over the texts [0, count) of a large tie, two strides at a
// time, one on each thread with its own maker; progress is told between
// them, when no thread runs.
StrideEnd inStrides(std::size_t count, SlotMaker& first, SlotMaker& second, const SortKeys::Progress& progress,
                    const TieStride& stride)
{
    for (std::size_t done = 0; done < count;) {
        const std::size_t middle = std::min(count, done + kTieStride), end = std::min(count, middle + kTieStride);
        card::WorkPair::runBoth([&] { stride.make(done, middle, first, 0); },
                                [&] { stride.make(middle, end, second, 1); });
        if (!stride.take())
            return StrideEnd::Ended;
        done = end;
        if (done < count && !progress(done, count))
            return StrideEnd::Stopped;
    }
    return StrideEnd::Done;
}

// The whole keys of the tie's texts, made once each, unless they would take
// more than the limit: then none.
StrideEnd wholeKeysOf(const LargeTie& tie, SlotMaker& first, SlotMaker& second, const SortKeys::Progress& progress,
                      TieKeys& keys)
{
    std::array<std::string, 2> made;
    std::array<std::vector<std::size_t>, 2> lengths;
    const TieStride stride{
        [&](std::size_t begin, std::size_t end, SlotMaker& maker, int part) {
            made[std::size_t(part)].clear();
            lengths[std::size_t(part)].clear();
            for (std::size_t i = begin; i < end; ++i) {
                const std::string_view key = maker.keyOf(tie.keyed[i].text, true);
                made[std::size_t(part)] += key;
                lengths[std::size_t(part)].push_back(key.size());
            }
        },
        [&] {
            for (std::size_t part : {0, 1}) {
                if (keys.bytes.size() + made[part].size() > tieLimits.keyBytes)
                    return false;
                keys.bytes += made[part];
                for (std::size_t length : lengths[part])
                    keys.ends.push_back((keys.ends.empty() ? 0 : keys.ends.back()) + length);
            }
            return true;
        }};
    const StrideEnd end = inStrides(tie.keyed.size(), first, second, progress, stride);
    if (end != StrideEnd::Done)
        keys = {};
    return end;
}

// A large tie ranked by the whole keys of its texts, held for the tie alone
// when they fit the limit, or else by its next windows, which may leave
// large ties again. False when `progress` stopped it.
bool rankLargeTie(const LargeTie& tie, SlotMaker& first, SlotMaker& second, SortKeys::Ranks& rankOfText,
                  LargeTies& large, const SortKeys::Progress& progress)
{
    TieKeys keys;
    const StrideEnd whole = wholeKeysOf(tie, first, second, progress, keys);
    if (whole == StrideEnd::Stopped)
        return false;
    if (!bothMakeOneKindOfKey(first, second)) {
        large.push_back(tie);  // a key failed on the way: all again, in code points
        return true;
    }
    if (whole == StrideEnd::Done) {
        forEachRunOfEqualKeys(keys, [&](const std::vector<std::uint32_t>& order, std::size_t at, std::size_t end) {
            for (std::size_t i = at; i < end; ++i)
                rankOfText[tie.keyed[order[i]].text] = tie.first + std::uint32_t(at);
        });
        return true;
    }
    const std::size_t offset = tie.offset + kWindow;
    const TieStride nextWindows{[&](std::size_t begin, std::size_t end, SlotMaker& maker, int) {
        for (std::size_t i = begin; i < end; ++i)
            tie.keyed[i] = maker.slotOf(tie.keyed[i].text, offset);
    }};
    if (inStrides(tie.keyed.size(), first, second, progress, nextWindows) == StrideEnd::Stopped)
        return false;
    if (!bothMakeOneKindOfKey(first, second)) {
        large.push_back(tie);
        return true;
    }
    std::sort(tie.keyed.begin(), tie.keyed.end());
    rankSorted(tie.keyed, offset, tie.first, first, rankOfText, large);
    return true;
}

void logCollationProblem(const SlotMaker& first, const SlotMaker& second)
{
    const std::string& problem = collationProblemOf(first, second);
    if (!problem.empty())
        qCWarning(lcWindow, "the list is sorted by the texts' code points, without the Japanese collation: %s",
                  problem.c_str());
}

}  // namespace

SortKeys::PretendedTieLimits::PretendedTieLimits(TieLimits limits) : before_(tieLimits)
{
    tieLimits = limits;
}

SortKeys::PretendedTieLimits::~PretendedTieLimits()
{
    tieLimits = before_;
}

// Each distinct text gets a slot with the first window of its key, made by
// one of two threads over half of the texts; the slots are sorted on both,
// and each thread ranks half of them, from a boundary between groups of
// equal windows. Progress is told between strides, on the caller's thread.
SortKeys::Ranks SortKeys::ranksOf(const CardListModel& lines, int column, const Progress& progress)
{
    // The source makes what its keys need here, on this thread: the two
    // threads below only read it.
    SortTextSource* source = lines.sortTextSource(column);
    if (source && !source->prepare(progress))
        return {};
    DistinctTexts distinct(lines, column);
    const std::size_t count = distinct.size();
    const bool byRarity = card::kListColumns[std::size_t(column)].field == card::Field::Rate;
    const std::size_t half = card::WorkPair::usableCores() >= 2 ? count / 2 : count;  // one core: one part
    SlotPart first{0, half, SlotMaker(distinct, byRarity, source)};
    SlotPart second{half, count, SlotMaker(distinct, byRarity, source)};
    std::vector<KeySlot> keyed(count);
    bool oneKind = bothMakeOneKindOfKey(first.maker, second.maker);
    for (;;) {
        while (!first.done() || !second.done()) {
            if (second.done())
                first.makeAStride(keyed);
            else
                card::WorkPair::runBoth([&] { first.makeAStride(keyed); }, [&] { second.makeAStride(keyed); });
            const std::size_t done = first.next + (second.next - half);
            if (done < count && !progress(done, count))
                return {};
        }
        if (oneKind || bothMakeOneKindOfKey(first.maker, second.maker))
            break;
        oneKind = true;  // a key failed on the way: every window again, in code points
        first.next = 0;
        second.next = half;
    }
    sortOnTwoThreads(keyed);

    Ranks rankOfText(count);
    std::size_t split = count / 2;
    while (split > 0 && split < count && keyed[split].sameWindow(keyed[split - 1]))
        ++split;
    const std::span<KeySlot> all(keyed);
    LargeTies large, largeOfSecond;
    card::WorkPair::runBoth([&] { rankSorted(all.first(split), 0, 0, first.maker, rankOfText, large); },
                            [&] { rankSorted(all.subspan(split), 0, std::uint32_t(split), second.maker, rankOfText, largeOfSecond); });
    large.insert(large.end(), largeOfSecond.begin(), largeOfSecond.end());
    while (!large.empty()) {
        const LargeTie tie = large.back();
        large.pop_back();
        if (!rankLargeTie(tie, first.maker, second.maker, rankOfText, large, progress))
            return {};
    }
    std::vector<KeySlot>().swap(keyed);
    logCollationProblem(first.maker, second.maker);
    // Each row's text id becomes its text's rank, in place.
    Ranks ranks = std::move(distinct.ofRow);
    for (std::uint32_t& rank : ranks)
        rank = rankOfText[rank];
    return ranks;
}

// A counting sort: the rows go into their rank's place in file order.
std::vector<int> SortKeys::sortedRows(const Ranks& ranks, std::vector<bool>& groupStarts)
{
    const std::uint32_t highest = ranks.empty() ? 0 : *std::max_element(ranks.begin(), ranks.end());
    std::vector<std::uint32_t> start(std::size_t(highest) + 2, 0);
    for (std::uint32_t rank : ranks)
        ++start[std::size_t(rank) + 1];
    std::partial_sum(start.begin(), start.end(), start.begin());
    groupStarts.assign(ranks.size(), false);
    for (std::size_t rank = 0; rank + 1 < start.size(); ++rank) {
        if (start[rank] < start[rank + 1])
            groupStarts[start[rank]] = true;
    }
    std::vector<int> rows(ranks.size());
    for (std::size_t row = 0; row < ranks.size(); ++row)
        rows[start[ranks[row]]++] = int(row);
    return rows;
}

// Reversed whole, each run of one rank comes in reverse file order: each is
// turned back. A run starts at place i of the reversal where the place after
// its row in the order before started one.
void SortKeys::reverse(std::vector<int>& rows, std::vector<bool>& groupStarts)
{
    const std::size_t count = rows.size();
    std::reverse(rows.begin(), rows.end());
    std::vector<bool> starts(count, true);
    for (std::size_t i = 1; i < count; ++i)
        starts[i] = groupStarts[count - i];
    for (std::size_t at = 0, end; at < count; at = end) {
        for (end = at + 1; end < count && !starts[end];)
            ++end;
        std::reverse(rows.begin() + std::ptrdiff_t(at), rows.begin() + std::ptrdiff_t(end));
    }
    groupStarts = std::move(starts);
}
