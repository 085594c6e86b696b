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
#include <memory>
#include <numeric>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace {

// Texts keyed by each thread between two progress reports: a few milliseconds.
constexpr std::size_t kProgressStride = 4096;

// A rarity's place among those the search offers; the others after them.
int rarityRank(std::string_view text)
{
    return int(std::find(card::kRarityNames.begin(), card::kRarityNames.end(), text) - card::kRarityNames.begin());
}

// Rows [begin, end) of a column: each row's text as the first row that
// shows it, written into `firstRowOf`; a first row points to itself. A text
// is looked up by its hash in a table of first rows, so that equal texts,
// which many columns hold in plenty, get one key. A slot holds the row and
// the text's hash, which passes over most other texts without reading them
// from the card store and grows the table without hashing them again. The
// table grows with the texts found: a column of few texts takes little.
class TextTable {
public:
    static constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();

    TextTable(const CardListModel& lines, int column, std::span<std::uint32_t> firstRowOf, int begin, int end)
        : lines_(lines), column_(column)
    {
        for (int row = begin; row < end; ++row)
            firstRowOf[std::size_t(row)] = firstRowOf_(lines.field(row, column), std::uint32_t(row));
    }

    // The first row here of `text`, or kNone.
    std::uint32_t find(std::string_view text) const
    {
        const std::uint32_t hash = hashOf(text);
        for (std::size_t at = hash & mask(); slots_[at].row != kNone; at = (at + 1) & mask()) {
            if (slots_[at].hash == hash && lines_.field(int(slots_[at].row), column_) == text)
                return slots_[at].row;
        }
        return kNone;
    }

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t row = kNone;
    };

    static std::uint32_t hashOf(std::string_view text)
    {
        const std::size_t hash = std::hash<std::string_view>{}(text);
        return std::uint32_t(hash ^ (hash >> 32));
    }
    std::size_t mask() const { return slots_.size() - 1; }

    std::uint32_t firstRowOf_(std::string_view text, std::uint32_t row)
    {
        if (4 * (count_ + 1) > 3 * slots_.size())
            grow();
        const std::uint32_t hash = hashOf(text);
        std::size_t at = hash & mask();
        for (; slots_[at].row != kNone; at = (at + 1) & mask()) {
            if (slots_[at].hash == hash && lines_.field(int(slots_[at].row), column_) == text)
                return slots_[at].row;
        }
        slots_[at] = {hash, row};
        ++count_;
        return row;
    }
    // Three quarters full at most: a probe past a slot of another hash reads
    // no text, so a fuller table costs little.
    void grow()
    {
        LargeVector<Slot> before(std::max<std::size_t>(1024, 2 * slots_.size()));
        before.swap(slots_);
        for (const Slot& slot : before) {
            if (slot.row == kNone)
                continue;
            std::size_t at = slot.hash & mask();
            while (slots_[at].row != kNone)
                at = (at + 1) & mask();
            slots_[at] = slot;
        }
    }

    const CardListModel& lines_;
    const int column_;
    LargeVector<Slot> slots_;
    std::size_t count_ = 0;
};

// Marks a first row's entry once it holds its text's rank: rows are ints,
// so the top bit is free.
constexpr std::uint32_t kRanked = std::uint32_t(1) << 31;

// The column's texts, each known by the first row that shows it, and each
// row's: read from both halves of the rows at once, after which the second
// half's texts that the first holds point into it. No list of the texts is
// kept: the first rows are those that point to themselves. Rows point only
// to earlier rows.
struct DistinctTexts {
    const CardListModel& lines;
    const int column;
    SortKeys::Ranks firstRowOf;  // of each row's text; then the ranks
    std::size_t count = 0;

    DistinctTexts(const CardListModel& lines, int column)
        : lines(lines), column(column), firstRowOf(std::size_t(lines.rowCount()))
    {
        const int rows = lines.rowCount();
        const int half = card::WorkPair::usableCores() >= 2 ? rows / 2 : rows;  // one core: one table
        std::optional<TextTable> first;
        // The second half's table goes at once: only the first's is looked up.
        card::WorkPair::runBoth([&] { first.emplace(lines, column, firstRowOf, 0, half); },
                                [&] { const TextTable second(lines, column, firstRowOf, half, rows); });
        for (std::size_t row = std::size_t(half); row < firstRowOf.size(); ++row) {
            if (isFirst(row)) {
                if (const std::uint32_t inFirst = first->find(text(std::uint32_t(row))); inFirst != TextTable::kNone)
                    firstRowOf[row] = inFirst;  // the rows that point here follow it there
            }
        }
        for (std::size_t row = 0; row < firstRowOf.size(); ++row)
            count += firstRowOf[row] == row;
    }

    std::string_view text(std::uint32_t firstRow) const { return lines.field(int(firstRow), column); }
    bool isFirst(std::size_t row) const { return firstRowOf[row] == row; }
    // The row after which `texts` of the texts have their first rows.
    std::size_t rowAfter(std::size_t texts) const
    {
        std::size_t row = 0;
        for (std::size_t seen = 0; seen < texts; ++row)
            seen += isFirst(row);
        return row;
    }
    void setRank(std::uint32_t text, std::uint32_t rank) { firstRowOf[text] = rank | kRanked; }
    // Each row's text's rank, in place: a first row holds its own, and any
    // other row points to an earlier one, whose entry holds it by then.
    SortKeys::Ranks ranks() &&
    {
        for (std::uint32_t& of : firstRowOf) {
            if (!(of & kRanked))
                of = firstRowOf[of];
        }
        for (std::uint32_t& rank : firstRowOf)
            rank &= ~kRanked;
        return std::move(firstRowOf);
    }
};

// Eight or four bytes of a key as a number that compares as they do.
template <typename Word>
Word bigEndian(const unsigned char* bytes)
{
    Word word;
    std::memcpy(&word, bytes, sizeof word);
    if constexpr (std::endian::native == std::endian::big)
        return word;
    else if constexpr (sizeof word == 8)
        return __builtin_bswap64(word);
    else
        return __builtin_bswap32(word);
}

// What a window of a text's whole key shows of its place in the order: the
// key's bytes [offset, offset + kWindow), zeros past its end, then how many
// of them the key has (one more: more follow). Slots compare as their texts'
// keys do, eight bytes at a time, but for those whose windows are equal and
// whose keys go on: only more of their keys tells them apart. Bytes, not
// words: a slot takes no padding after its first row.
template <std::size_t Bytes>
struct KeySlot {
    static_assert(Bytes % 4 == 0);
    static constexpr std::size_t kWindow = Bytes - 1;

    std::array<unsigned char, Bytes> window{};
    std::uint32_t text = 0;  // its first row

    bool operator<(const KeySlot& other) const
    {
        std::size_t at = 0;
        for (; at + 8 <= Bytes; at += 8) {
            const auto mine = bigEndian<std::uint64_t>(&window[at]), theirs = bigEndian<std::uint64_t>(&other.window[at]);
            if (mine != theirs)
                return mine < theirs;
        }
        if constexpr (Bytes % 8 != 0)
            return bigEndian<std::uint32_t>(&window[at]) < bigEndian<std::uint32_t>(&other.window[at]);
        return false;
    }
    bool sameWindow(const KeySlot& other) const { return std::memcmp(window.data(), other.window.data(), Bytes) == 0; }
    bool keyGoesOn() const { return window.back() > kWindow; }
};
// A collation key tells nearly all names apart in its first 23 bytes, and
// so does a key by reading, a byte a syllable: 28 bytes a text.
using Slot = KeySlot<24>;
static_assert(sizeof(Slot) == 28);

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

    template <typename Slot>
    Slot slotOf(std::uint32_t text, std::size_t offset)
    {
        constexpr std::size_t kWindow = Slot::kWindow;
        makeKey(distinct_.text(text), offset + kWindow);
        Slot slot;
        slot.text = text;
        if (key_.size() <= offset)
            return slot;
        const std::size_t length = std::min(key_.size() - offset, kWindow + 1);
        std::memcpy(slot.window.data(), key_.data() + offset, std::min(length, kWindow));
        slot.window.back() = static_cast<unsigned char>(length);
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

// The first windows of the texts whose first rows are among rows
// [row, end), made by one thread a stride of texts at a time into their
// places from `next` on.
struct SlotPart {
    std::size_t row, end, next;
    SlotMaker maker;

    template <typename Slot>
    void makeAStride(const DistinctTexts& distinct, LargeVector<Slot>& keyed)
    {
        for (const std::size_t strideEnd = next + kProgressStride; row < end && next < strideEnd; ++row) {
            if (distinct.isFirst(row))
                keyed[next++] = maker.slotOf<Slot>(std::uint32_t(row), 0);
        }
    }
    bool done() const { return row == end; }
};

// Sorted on two threads: split around the median of a sample, each side
// sorted by one.
template <typename Slot>
void sortOnTwoThreads(LargeVector<Slot>& keyed)
{
    static constexpr std::size_t kSample = 255;
    if (card::WorkPair::usableCores() < 2 || keyed.size() < 16 * kSample) {
        std::sort(keyed.begin(), keyed.end());
        return;
    }
    std::vector<Slot> sample;
    for (std::size_t i = 0; i < kSample; ++i)
        sample.push_back(keyed[i * keyed.size() / kSample]);
    std::nth_element(sample.begin(), sample.begin() + kSample / 2, sample.end());
    const Slot pivot = sample[kSample / 2];
    const auto middle = std::partition(keyed.begin(), keyed.end(), [&](const Slot& slot) { return slot < pivot; });
    card::WorkPair::runBoth([&] { std::sort(keyed.begin(), middle); }, [&] { std::sort(middle, keyed.end()); });
}

SortKeys::TieLimits tieLimits{};

// A tie too large to rank where it was found, on either thread: ranked after
// all others, a stride of its texts at a time on both threads, with
// progress reports and a stop between strides.
template <typename Slot>
struct LargeTie {
    std::span<Slot> keyed;
    std::size_t offset;  // of the windows its slots hold
    std::uint32_t first;
};
template <typename Slot>
using LargeTies = std::vector<LargeTie<Slot>>;

template <typename Slot>
void rankSorted(std::span<Slot> keyed, std::size_t offset, std::uint32_t first, SlotMaker& maker,
                DistinctTexts& rankOfText, LargeTies<Slot>& large);

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
template <typename Slot>
void rankByKeys(std::span<const Slot> tie, std::uint32_t first, bool whole, SlotMaker& maker,
                DistinctTexts& rankOfText)
{
    TieKeys keys;
    const bool collated = maker.collationProblem().empty();
    for (const Slot& slot : tie)
        keys.append(maker.keyOf(slot.text, whole));
    if (collated && !maker.collationProblem().empty()) {
        rankByKeys<Slot>(tie, first, whole, maker, rankOfText);  // a key failed: the tie's keys all of one kind
        return;
    }
    forEachRunOfEqualKeys(keys, [&](const std::vector<std::uint32_t>& order, std::size_t at, std::size_t end) {
        if (end - at > 1 && !whole) {
            std::vector<Slot> equal;
            for (std::size_t i = at; i < end; ++i)
                equal.push_back(tie[order[i]]);
            return rankByKeys<Slot>(equal, first + std::uint32_t(at), true, maker, rankOfText);
        }
        for (std::size_t i = at; i < end; ++i)
            rankOfText.setRank(tie[order[i]].text, first + std::uint32_t(at));
    });
}

// Ranks a tie of sorted windows at `offset`, which begins at place `first`,
// or leaves it for later when it is large.
template <typename Slot>
void rankTie(std::span<Slot> tie, std::size_t offset, std::uint32_t first, SlotMaker& maker,
             DistinctTexts& rankOfText, LargeTies<Slot>& large)
{
    if (tie.size() <= tieLimits.texts)
        rankByKeys<Slot>(tie, first, !maker.keysBeforeCollation(), maker, rankOfText);
    else
        large.push_back({tie, offset, first});
}

// Ranks the texts of the sorted `keyed`, which begin at place `first` of
// all: each group of equal windows takes the place of its first slot, but
// for a group whose keys go on past the window: only the texts of such a
// tie have their keys made again.
template <typename Slot>
void rankSorted(std::span<Slot> keyed, std::size_t offset, std::uint32_t first, SlotMaker& maker,
                DistinctTexts& rankOfText, LargeTies<Slot>& large)
{
    for (std::size_t at = 0, end; at < keyed.size(); at = end) {
        for (end = at + 1; end < keyed.size() && keyed[end].sameWindow(keyed[at]);)
            ++end;
        if (end - at > 1 && keyed[at].keyGoesOn()) {
            rankTie(keyed.subspan(at, end - at), offset, first + std::uint32_t(at), maker, rankOfText, large);
            continue;
        }
        for (std::size_t i = at; i < end; ++i)
            rankOfText.setRank(keyed[i].text, first + std::uint32_t(at));
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
template <typename Slot>
StrideEnd wholeKeysOf(const LargeTie<Slot>& tie, SlotMaker& first, SlotMaker& second, const SortKeys::Progress& progress,
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
template <typename Slot>
bool rankLargeTie(const LargeTie<Slot>& tie, SlotMaker& first, SlotMaker& second, DistinctTexts& rankOfText,
                  LargeTies<Slot>& large, const SortKeys::Progress& progress)
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
                rankOfText.setRank(tie.keyed[order[i]].text, tie.first + std::uint32_t(at));
        });
        return true;
    }
    const std::size_t offset = tie.offset + Slot::kWindow;
    const TieStride nextWindows{[&](std::size_t begin, std::size_t end, SlotMaker& maker, int) {
        for (std::size_t i = begin; i < end; ++i)
            tie.keyed[i] = maker.template slotOf<Slot>(tie.keyed[i].text, offset);
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

namespace {

// Each distinct text gets a slot with the first window of its key, made by
// one of two threads over the texts of a part of the rows; the slots are
// sorted on both, and each thread ranks half of them, from a boundary
// between groups of equal windows. Progress is told between strides, on
// the caller's thread. False when `progress` stopped it.
template <typename Slot>
bool rankTexts(DistinctTexts& distinct, SlotPart& first, SlotPart& second, const SortKeys::Progress& progress)
{
    const std::size_t count = distinct.count, half = second.next, middleRow = second.row;
    LargeVector<Slot> keyed(count);
    bool oneKind = bothMakeOneKindOfKey(first.maker, second.maker);
    for (;;) {
        while (!first.done() || !second.done()) {
            if (second.done())
                first.makeAStride(distinct, keyed);
            else if (first.done())
                second.makeAStride(distinct, keyed);
            else
                card::WorkPair::runBoth([&] { first.makeAStride(distinct, keyed); },
                                        [&] { second.makeAStride(distinct, keyed); });
            const std::size_t done = first.next + (second.next - half);
            if (done < count && !progress(done, count))
                return false;
        }
        if (oneKind || bothMakeOneKindOfKey(first.maker, second.maker))
            break;
        oneKind = true;  // a key failed on the way: every window again, in code points
        first.row = first.next = 0;
        second.row = middleRow;
        second.next = half;
    }
    sortOnTwoThreads(keyed);

    std::size_t split = count / 2;
    while (split > 0 && split < count && keyed[split].sameWindow(keyed[split - 1]))
        ++split;
    const std::span<Slot> all(keyed);
    LargeTies<Slot> large, largeOfSecond;
    card::WorkPair::runBoth([&] { rankSorted(all.first(split), 0, 0, first.maker, distinct, large); },
                            [&] { rankSorted(all.subspan(split), 0, std::uint32_t(split), second.maker, distinct, largeOfSecond); });
    large.insert(large.end(), largeOfSecond.begin(), largeOfSecond.end());
    while (!large.empty()) {
        const LargeTie<Slot> tie = large.back();
        large.pop_back();
        if (!rankLargeTie(tie, first.maker, second.maker, distinct, large, progress))
            return false;
    }
    return true;
}

}  // namespace

SortKeys::Ranks SortKeys::ranksOf(const CardListModel& lines, int column, const Progress& progress)
{
    // The source makes what its keys need here, on this thread: the two
    // threads below only read it.
    SortTextSource* source = lines.sortTextSource(column);
    if (source && !source->prepare(progress))
        return {};
    DistinctTexts distinct(lines, column);
    const std::size_t count = distinct.count;
    const bool byRarity = card::kListColumns[std::size_t(column)].field == card::Field::Rate;
    const std::size_t half = card::WorkPair::usableCores() >= 2 ? count / 2 : count;  // one core: one part
    const std::size_t rows = distinct.firstRowOf.size(), middleRow = half == count ? rows : distinct.rowAfter(half);
    SlotPart first{0, middleRow, 0, SlotMaker(distinct, byRarity, source)};
    SlotPart second{middleRow, rows, half, SlotMaker(distinct, byRarity, source)};
    if (!rankTexts<Slot>(distinct, first, second, progress))
        return {};
    logCollationProblem(first.maker, second.maker);
    return std::move(distinct).ranks();
}

// A counting sort: the rows go into their rank's place in file order.
SortKeys::Rows SortKeys::sortedRows(const Ranks& ranks, std::vector<bool>& groupStarts)
{
    const std::uint32_t highest = ranks.empty() ? 0 : *std::max_element(ranks.begin(), ranks.end());
    LargeVector<std::uint32_t> start(std::size_t(highest) + 2, 0);
    for (std::uint32_t rank : ranks)
        ++start[std::size_t(rank) + 1];
    std::partial_sum(start.begin(), start.end(), start.begin());
    groupStarts.assign(ranks.size(), false);
    for (std::size_t rank = 0; rank + 1 < start.size(); ++rank) {
        if (start[rank] < start[rank + 1])
            groupStarts[start[rank]] = true;
    }
    Rows rows(ranks.size());
    for (std::size_t row = 0; row < ranks.size(); ++row)
        rows[start[ranks[row]]++] = int(row);
    return rows;
}

// Reversed whole, each run of one rank comes in reverse file order: each is
// turned back. A run starts at place i of the reversal where the place after
// its row in the order before started one.
void SortKeys::reverse(Rows& rows, std::vector<bool>& groupStarts)
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
