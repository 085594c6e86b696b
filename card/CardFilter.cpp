// SPDX-License-Identifier: MIT
#include "CardFilter.h"

#include "CardStore.h"
#include "SearchMode.h"
#include "ShiftJis.h"
#include "TextReadings.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <tuple>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace card {

namespace {

// A spelling of a folded character: the one or two bytes of a card's text
// that fold to it.
struct Spelling {
    textfold::FoldedChar folded;
    std::uint8_t size;
    std::array<unsigned char, 2> bytes;
};

// Every spelling of every folded character, sorted by the character; built
// once, from the folding itself, so that it cannot disagree with it.
const std::vector<Spelling>& spellings()
{
    static const std::vector<Spelling> all = [] {
        std::vector<Spelling> out;
        textfold::FoldedText folded;
        auto add = [&](unsigned char first, int second) {
            const char bytes[2] = {static_cast<char>(first), static_cast<char>(second)};
            textfold::fold(std::string_view(bytes, second < 0 ? 1 : 2), folded);
            if (folded.size() == 1)
                out.push_back({folded[0],
                               static_cast<std::uint8_t>(second < 0 ? 1 : 2),
                               {first, static_cast<unsigned char>(second < 0 ? 0 : second)}});
        };
        for (unsigned b = 0; b < 256; ++b) {
            add(static_cast<unsigned char>(b), -1);
            // A lead byte with any byte after it, and a half-width letter
            // with a voiced mark that joins it.
            for (int after = 0; after < 256; ++after)
                add(static_cast<unsigned char>(b), after);
        }
        std::sort(out.begin(), out.end(), [](const Spelling& a, const Spelling& b) { return a.folded < b.folded; });
        return out;
    }();
    return all;
}

// How often each byte stands in Japanese card text, roughly: the lead
// bytes of kana and punctuation most, then those of kanji, then ASCII
// letters, digits and the space.
std::array<std::uint32_t, 256> typicalByteCounts()
{
    std::array<std::uint32_t, 256> counts;
    for (unsigned b = 0; b < 256; ++b) {
        const bool letter = (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b == ' ';
        counts[b] = (b >= 0x81 && b <= 0x83)                          ? 100
                    : sjis::isLeadByte(static_cast<unsigned char>(b)) ? 20
                    : letter                                          ? 10
                                                                      : 5;
    }
    return counts;
}

// Cards spread over the whole store, enough to tell common bytes from rare.
std::array<std::uint32_t, 256> sampledByteCounts(const CardStore& store)
{
    constexpr std::size_t kSampleCards = 2048;
    std::array<std::uint32_t, 256> counts{};
    const std::size_t step = std::max<std::size_t>(1, store.size() / kSampleCards);
    for (std::size_t i = 0; i < store.size(); i += step) {
        const CardView card = store[i];
        for (int field = 0; field < kFieldCount; ++field) {
            for (char c : card.field(Field(field)))
                ++counts[static_cast<unsigned char>(c)];
        }
    }
    return counts;
}


bool comparesRarity(WordTest test)
{
    return test != WordTest::Contains && test != WordTest::Equals;
}

// What a reading is written in.
bool isFoldedKana(textfold::FoldedChar c)
{
    return textfold::isKatakana(c) || c == textfold::kLongVowelMark;
}

constexpr FieldMask kReadFields = filterfields::kName | filterfields::kType | filterfields::kIllust;

// The word folded, when it is all kana: a reading may hold it.
textfold::FoldedText kanaOf(const FilterWord& word)
{
    textfold::FoldedText folded;
    if (comparesRarity(word.test) || !word.holdable || (word.fields & kReadFields) == 0)
        return folded;
    textfold::fold(word.text, folded);
    if (!std::all_of(folded.begin(), folded.end(), isFoldedKana))
        folded.clear();
    return folded;
}

// The index in kRarityNames of the rarity `rate` names, in any case of A-Z;
// -1 for any other.
int rarityRank(std::string_view rate)
{
    for (std::size_t i = 0; i < kRarityNames.size(); ++i) {
        if (rate.size() == kRarityNames[i].size() && sjis::matchesAt(rate, 0, kRarityNames[i], true))
            return int(i);
    }
    return -1;
}

bool rarityHolds(WordTest test, int rank, int wanted)
{
    switch (test) {
    case WordTest::RarityBelow: return rank < wanted;
    case WordTest::RarityAtMost: return rank <= wanted;
    case WordTest::RarityAtLeast: return rank >= wanted;
    case WordTest::RarityAbove: return rank > wanted;
    default: return false;
    }
}

std::uint64_t saturatingSum(std::uint64_t a, std::uint64_t b)
{
    return a > std::numeric_limits<std::uint64_t>::max() - b ? std::numeric_limits<std::uint64_t>::max() : a + b;
}

// The pieces of `text` (a field) where the word's text stands, each once.
void findEach(std::string_view field, std::string_view text, std::vector<std::pair<std::size_t, std::size_t>>& out)
{
    for (std::size_t from = 0; from < field.size();) {
        const std::size_t found = sjis::find(field.substr(from), text);
        if (found == std::string_view::npos)
            return;
        out.emplace_back(from + found, from + found + text.size());
        from += found + text.size();
    }
}

void findEachFolded(std::string_view field, const textfold::FoldedText& text,
                    std::vector<std::pair<std::size_t, std::size_t>>& out)
{
    if (text.empty())
        return;
    textfold::FoldedText folded;
    std::vector<std::size_t> starts;
    textfold::fold(field, folded, starts);
    for (auto from = folded.begin(); from != folded.end();) {
        const auto found = std::search(from, folded.end(), text.begin(), text.end());
        if (found == folded.end())
            return;
        const auto at = static_cast<std::size_t>(found - folded.begin());
        out.emplace_back(starts[at], starts[at + text.size()]);
        from = found + std::ptrdiff_t(text.size());
    }
}

// The first byte of [from, end) that is one of `bytes`, or end. A folded
// word's rarest character has up to four spellings, each with a byte of
// its own: one pass over a card for all of them costs less than a memchr
// for each, which starts again after each stray hit.
const char* findAnyOf(const char* from, const char* end, const std::array<unsigned char, 4>& bytes)
{
#if defined(__SSE2__)
    constexpr std::ptrdiff_t kStep = 16;
    if (end - from >= kStep) {
        const __m128i a = _mm_set1_epi8(static_cast<char>(bytes[0])), b = _mm_set1_epi8(static_cast<char>(bytes[1]));
        const __m128i c = _mm_set1_epi8(static_cast<char>(bytes[2])), d = _mm_set1_epi8(static_cast<char>(bytes[3]));
        auto hitsAt = [&](const char* at) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
            const __m128i hits = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(chunk, a), _mm_cmpeq_epi8(chunk, b)),
                                              _mm_or_si128(_mm_cmpeq_epi8(chunk, c), _mm_cmpeq_epi8(chunk, d)));
            return static_cast<unsigned>(_mm_movemask_epi8(hits));
        };
        for (; end - from >= kStep; from += kStep) {
            if (const unsigned hits = hitsAt(from))
                return from + std::countr_zero(hits);
        }
        // The last bytes in a step that ends at `end`, those before `from` masked off.
        const unsigned hits = hitsAt(end - kStep) & (0xFFFFu << (kStep - (end - from))) & 0xFFFFu;
        return hits ? end - kStep + std::countr_zero(hits) : end;
    }
#endif
    for (; from != end; ++from) {
        const auto byte = static_cast<unsigned char>(*from);
        if (byte == bytes[0] || byte == bytes[1] || byte == bytes[2] || byte == bytes[3])
            return from;
    }
    return end;
}

// Whether the whole field, or its rarity, passes the word.
bool wholeFieldMatches(const FilterWord& word, const textfold::FoldedText& folded, std::string_view field, bool fold,
                       textfold::FoldedText& buffer)
{
    if (comparesRarity(word.test)) {
        const int rank = rarityRank(field);
        return rank >= 0 && rarityHolds(word.test, rank, word.rarity);
    }
    if (!fold)
        return field.size() == word.text.size() && sjis::matchesAt(field, 0, word.text, true);
    textfold::fold(field, buffer);
    return textfold::matches(buffer, folded, search_mode::Exact);
}

}  // namespace

CardFilter::CardFilter(const FilterText& text, const CardStore* sample, const TextReadings* readings)
    : fold_(text.fold()), readings_(readings), readingCount_(readings ? readings->size() : 0)
{
    const ByteCounts counts = sample && !sample->empty() ? sampledByteCounts(*sample) : typicalByteCounts();
    root_ = build(text.root(), counts);
}

// The parts that keep cards first, the rarest first: most cards fail at
// the first, and cheaply. Of alternatives the commonest first, which
// passes most cards soonest.
CardFilter::Node CardFilter::build(const FilterNode& parsed, const ByteCounts& counts)
{
    Node node;
    node.kind = parsed.kind;
    node.exclude = parsed.exclude;
    if (parsed.kind == FilterNode::Kind::Word) {
        ++wordCount_;
        Word& word = node.word;
        word.word = parsed.word;
        if (fold_)
            textfold::fold(parsed.word.text, word.folded);
        word.kana = kanaOf(parsed.word);
        word.readFields = word.kana.empty() ? 0 : FieldMask(parsed.word.fields & kReadFields);
        readsKana_ = readsKana_ || word.readFields != 0;
        int field = 0;
        while (!(parsed.word.fields >> field & 1))
            ++field;
        word.firstField = field;
        for (; field < kFieldCount; ++field) {
            if (parsed.word.fields >> field & 1)
                word.lastField = field;
        }
        chooseAnchors(word, node.cost, counts);
        for (std::size_t k = 0; k < kMaxAnchors; ++k)
            word.anchorBytes[k] = word.anchors.empty() ? 0 : word.anchors[k < word.anchors.size() ? k : 0].byte;
        if (word.readFields && readings_)
            word.anchors.clear(), node.cost = std::numeric_limits<std::uint64_t>::max();  // a reading holds no byte of the card
        word.rarityHits = rarityHitsOf(word);
        return node;
    }
    for (const FilterNode& part : parsed.parts) {
        node.testOrder.push_back(std::uint32_t(node.parts.size()));
        node.parts.push_back(build(part, counts));
    }
    const bool all = parsed.kind == FilterNode::Kind::All;
    const std::vector<Node>& parts = node.parts;
    std::stable_sort(node.testOrder.begin(), node.testOrder.end(), [all, &parts](std::uint32_t i, std::uint32_t j) {
        const Node& a = parts[i];
        const Node& b = parts[j];
        if (a.exclude != b.exclude)
            return !a.exclude;
        return all ? a.cost < b.cost : a.cost > b.cost;
    });
    node.cost = all ? std::numeric_limits<std::uint64_t>::max() : 0;
    for (const Node& part : node.parts)
        node.cost = all ? std::min(node.cost, part.cost) : saturatingSum(node.cost, part.cost);
    return node;
}

// The character whose spellings' rarest bytes are the rarest together, as
// long as they are few enough to look for one after another.
void CardFilter::chooseAnchors(Word& word, std::uint64_t& cost, const ByteCounts& counts) const
{
    cost = std::numeric_limits<std::uint64_t>::max();
    if (comparesRarity(word.word.test))
        return;
    auto anchorOf = [&counts](unsigned char first, int size, unsigned char second) {
        if (size == 1)
            return Anchor{first, 0, 0};
        return counts[second] < counts[first] ? Anchor{second, -1, first} : Anchor{first, +1, second};
    };
    auto consider = [&](std::vector<Anchor> anchors) {
        std::sort(anchors.begin(), anchors.end());
        anchors.erase(std::unique(anchors.begin(), anchors.end()), anchors.end());
        if (anchors.size() > kMaxAnchors)
            return;
        std::uint64_t sum = 0;
        for (const Anchor& anchor : anchors)
            sum += counts[anchor.byte] + 1;
        if (sum < cost) {
            cost = sum;
            word.anchors = std::move(anchors);
        }
    };
    if (fold_) {
        for (textfold::FoldedChar c : word.folded) {
            auto [from, to] =
                std::equal_range(spellings().begin(), spellings().end(), Spelling{c, 0, {}},
                                 [](const Spelling& a, const Spelling& b) { return a.folded < b.folded; });
            std::vector<Anchor> anchors;
            for (auto it = from; it != to; ++it)
                anchors.push_back(anchorOf(it->bytes[0], it->size, it->bytes[1]));
            consider(std::move(anchors));
        }
        return;
    }
    const std::string& text = word.word.text;
    for (std::size_t i = 0; i < text.size(); i += sjis::charLength(text, i)) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (sjis::charLength(text, i) == 2)
            consider({anchorOf(b, 2, static_cast<unsigned char>(text[i + 1]))});
        else if (sjis::foldAscii(b) != b || sjis::foldAscii(b ^ 0x20) != (b ^ 0x20))
            consider({anchorOf(b, 1, 0), anchorOf(b ^ 0x20, 1, 0)});
        else
            consider({anchorOf(b, 1, 0)});
    }
}

// Decided once by the test a card's rarity gets, so that a card whose
// rarity the store names costs a look at a bit.
std::uint8_t CardFilter::rarityHitsOf(const Word& word)
{
    fields_.rarity = -1;
    std::uint8_t hits = 0;
    for (std::size_t i = 0; i < kRarityNames.size(); ++i) {
        fields_.text[kRateField] = kRarityNames[i];
        foldedFields_ = 0;
        hits = std::uint8_t(hits | (fieldMatches(word, kRateField) ? 1u : 0u) << i);
    }
    return hits;
}

template <typename CardFields>
bool CardFilter::acceptsFields(const CardFields& card)
{
    if (root_.parts.empty())
        return true;
    readFields(card, fields_);
    foldedFields_ = 0;
    return passes(root_);
}

bool CardFilter::accepts(const CardView& card)
{
    return acceptsFields(card);
}

bool CardFilter::accepts(const CardStore::Packed& card)
{
    return acceptsFields(card);
}

bool CardFilter::passes(const Node& node)
{
    bool passed;
    switch (node.kind) {
    case FilterNode::Kind::Word: passed = matches(node.word, fields_); break;
    case FilterNode::Kind::All:
        passed = std::all_of(node.testOrder.begin(), node.testOrder.end(),
                             [this, &node](std::uint32_t part) { return passes(node.parts[part]); });
        break;
    default:
        passed = std::any_of(node.testOrder.begin(), node.testOrder.end(),
                             [this, &node](std::uint32_t part) { return passes(node.parts[part]); });
        break;
    }
    return passed != node.exclude;
}
// The offsets come from the addresses, each on its own: a running sum
// would make every card wait for ten additions in a row.
void CardFilter::readFields(const CardView& card, Fields& out)
{
    // Between two lines read in place: a line break, and the empty line
    // that ends a short rules text; CR LF each at most.
    constexpr std::uintptr_t kBetweenLines = 4;
    const auto base = reinterpret_cast<std::uintptr_t>(card.name.data());
    std::uintptr_t end = base;  // of the fields so far
    bool oneRun = base != 0;
    auto follows = [&end](std::uintptr_t at) { return at >= end && at - end <= kBetweenLines; };
    out.rateApart = false;
    out.rarity = -1;
    for (int i = 0; i < kFieldCount; ++i) {
        std::string_view text = card.field(Field(i));
        const auto at = reinterpret_cast<std::uintptr_t>(text.data());
        if (i == kRateField && !text.empty() && !follows(at)) {
            // A store's card names a known rarity from elsewhere: the others stay one run.
            out.rateApart = true;
            out.rarity = CardStore::knownRarity(text);
            out.offsets[std::size_t(i)] = end - base;
        } else if (text.empty()) {
            // An absent line has no place of its own: it stands where the run is.
            text = oneRun ? std::string_view(reinterpret_cast<const char*>(end), 0) : text;
            out.offsets[std::size_t(i)] = end - base;
        } else {
            oneRun = oneRun && follows(at);
            end = at + text.size();
            out.offsets[std::size_t(i)] = at - base;
        }
        out.text[std::size_t(i)] = text;
    }
    out.offsets[kFieldCount] = end - base;
    out.contiguous = oneRun;
}

// The store keeps a card's fields back to back, the rarity apart when it
// names one of kRarityNames.
void CardFilter::readFields(const CardStore::Packed& card, Fields& out)
{
    std::size_t at = 0;
    for (int i = 0; i < kRateField; ++i) {
        const std::uint8_t length = (*card.lengths)[std::size_t(i)];
        out.text[std::size_t(i)] = std::string_view(card.bytes + at, length);
        out.offsets[std::size_t(i)] = at;
        at += length;
    }
    out.offsets[kRateField] = at;
    out.rateApart = card.rarity >= 0;
    out.rarity = card.rarity;
    const std::size_t rateLength = out.rateApart ? 0 : (*card.lengths)[kRateField];
    out.text[kRateField] = out.rateApart ? kRarityNames[std::size_t(card.rarity)] : std::string_view(card.bytes + at, rateLength);
    out.offsets[kFieldCount] = at + rateLength;
    out.contiguous = true;
}

bool CardFilter::matches(const Word& word, const Fields& fields)
{
    if (!word.word.holdable)
        return false;
    if (word.readFields && readings_) {
        for (int field = word.firstField; field <= word.lastField; ++field) {
            if ((word.word.fields >> field & 1) && fieldMatches(word, field))
                return true;
            if ((word.readFields >> field & 1) && readingMatches(word, fields.text[std::size_t(field)], buffer_))
                return true;
        }
        return false;
    }
    if (!word.anchors.empty() && fields.contiguous)
        return matchesFrom(word, fields);
    for (int field = word.firstField; field <= word.lastField; ++field) {
        if ((word.word.fields >> field & 1) && fieldMatches(word, field))
            return true;
    }
    return false;
}

// Looks for the word's anchor bytes in the bytes of its fields, and
// compares only a field where one stands as a whole character with its
// partner, then goes on after that field. A single byte is looked for
// with memchr, the fastest for one.
bool CardFilter::matchesFrom(const Word& word, const Fields& fields)
{
    const char* base = fields.text[0].data();
    const std::size_t end = fields.offsets[word.lastField + 1];
    const bool single = word.anchors.size() == 1;
    auto find = [&word, base, end, single](std::size_t from) {
        if (!single)
            return static_cast<std::size_t>(findAnyOf(base + from, base + end, word.anchorBytes) - base);
        const void* found = std::memchr(base + from, word.anchorBytes[0], end - from);
        return found ? static_cast<std::size_t>(static_cast<const char*>(found) - base) : end;
    };
    int field = word.firstField;
    for (std::size_t hit = find(fields.offsets[field]); hit < end;) {
        while (fields.offsets[field + 1] <= hit)
            ++field;
        const std::size_t fieldEnd = fields.offsets[field + 1];
        if (!(word.word.fields >> field & 1)) {
            hit = find(fieldEnd);
            continue;
        }
        if (!anchorStandsAt(word, fields.text[std::size_t(field)], hit - fields.offsets[field])) {
            hit = find(hit + 1);
            continue;
        }
        if (fieldMatches(word, field))
            return true;
        hit = find(fieldEnd);
    }
    return fields.rateApart && (word.word.fields >> kRateField & 1) && fieldMatches(word, kRateField);
}

bool CardFilter::anchorStandsAt(const Word& word, std::string_view field, std::size_t at)
{
    const auto byte = static_cast<unsigned char>(field[at]);
    return std::any_of(word.anchors.begin(), word.anchors.end(),
                       [&](const Anchor& anchor) { return anchor.byte == byte && anchor.standsIn(field, at); });
}

// Most stray anchors are the second byte of a kanji or kana: 'u' (0x75)
// ends ブ, 'I' (0x49) ends オ. A field is read from its first byte, so
// an odd run of lead bytes just before a byte makes it a second byte; a
// byte that is no lead byte always ends a character.
bool CardFilter::Anchor::standsIn(std::string_view field, std::size_t at) const
{
    const std::size_t first = partnerAt < 0 ? at - 1 : at;
    if ((partnerAt < 0 && at == 0) || first + (partnerAt == 0 ? 1 : 2) > field.size())
        return false;
    if (partnerAt != 0 && static_cast<unsigned char>(field[at + std::size_t(std::ptrdiff_t(partnerAt))]) != partner)
        return false;
    std::size_t leads = 0;
    while (leads < first && sjis::isLeadByte(static_cast<unsigned char>(field[first - leads - 1])))
        ++leads;
    return leads % 2 == 0;
}

bool CardFilter::fieldMatches(const Word& word, int index)
{
    if (index == kRateField && fields_.rarity >= 0)
        return word.rarityHits >> fields_.rarity & 1;
    const std::string_view field = fields_.text[std::size_t(index)];
    if (comparesRarity(word.word.test))
        return wholeFieldMatches(word.word, word.folded, field, fold_, buffer_);
    if (!fold_) {
        return word.word.test == WordTest::Equals ? wholeFieldMatches(word.word, word.folded, field, false, buffer_)
                                                  : sjis::find(field, word.word.text) != std::string_view::npos;
    }
    return textfold::matches(foldedField(index), word.folded,
                             word.word.test == WordTest::Equals ? search_mode::Exact : search_mode::Partial);
}

bool CardFilter::readingMatches(const Word& word, std::string_view text, textfold::FoldedText& reading) const
{
    return readings_->readingOf(text, reading) &&
           textfold::matches(reading, word.kana,
                             word.word.test == WordTest::Equals ? search_mode::Exact : search_mode::Partial);
}

// Folded once a card, however many words look at the field.
std::span<const textfold::FoldedChar> CardFilter::foldedField(int index)
{
    const auto i = std::size_t(index);
    if (!(foldedFields_ >> index & 1)) {
        const std::string_view field = fields_.text[i];
        if (folded_[i].size() < field.size())
            folded_[i].resize(field.size());
        foldedLengths_[i] = textfold::foldTo(field, folded_[i].data());
        foldedFields_ = static_cast<FieldMask>(foldedFields_ | 1u << index);
    }
    return {folded_[i].data(), foldedLengths_[i]};
}

bool CardFilter::narrows(const CardFilter& previous) const
{
    // Readings made since let a kana word match more cards.
    return fold_ == previous.fold_ && readings_ == previous.readings_ && readingCount_ == previous.readingCount_ &&
           implies(root_, false, previous.root_, false);
}

// Whether every card that passes `later` passes `earlier`, each turned
// round when its flag says so. Sure answers only: false when unsure.
bool CardFilter::implies(const Node& later, bool laterTurned, const Node& earlier, bool earlierTurned) const
{
    using Kind = FilterNode::Kind;
    const bool laterExcludes = later.exclude != laterTurned;
    const bool earlierExcludes = earlier.exclude != earlierTurned;
    if (later.kind == Kind::Word && earlier.kind == Kind::Word)
        return impliesWord(later.word, laterExcludes, earlier.word, earlierExcludes);
    auto laterImplies = [&](const Node& part) { return implies(later, laterTurned, part, false); };
    auto impliesEarlier = [&](const Node& part) { return implies(part, false, earlier, earlierTurned); };
    // Parts side by side, part by part in the order typed: a thousand words
    // cost a thousand comparisons, not a million.
    if (!earlierExcludes && earlier.kind == Kind::All && !laterExcludes && later.kind == Kind::All) {
        return later.parts.size() >= earlier.parts.size() &&
               std::equal(earlier.parts.begin(), earlier.parts.end(), later.parts.begin(),
                          [this](const Node& e, const Node& l) { return implies(l, false, e, false); });
    }
    if (!earlierExcludes && earlier.kind == Kind::All)
        return std::all_of(earlier.parts.begin(), earlier.parts.end(), laterImplies);
    if (!laterExcludes && later.kind == Kind::Any)
        return std::all_of(later.parts.begin(), later.parts.end(), impliesEarlier);
    if (!laterExcludes && later.kind == Kind::All && std::any_of(later.parts.begin(), later.parts.end(), impliesEarlier))
        return true;
    if (!earlierExcludes && earlier.kind == Kind::Any && std::any_of(earlier.parts.begin(), earlier.parts.end(), laterImplies))
        return true;
    // Both turned round: the other way round without.
    return laterExcludes && earlierExcludes && implies(earlier, !earlierTurned, later, !laterTurned);
}

// A word that keeps the cards holding a longer text in fewer fields, or one
// that excludes a shorter text from more fields; other tests only the same.
bool CardFilter::impliesWord(const Word& later, bool laterExcludes, const Word& earlier, bool earlierExcludes) const
{
    const FilterWord& l = later.word;
    const FilterWord& e = earlier.word;
    if (!laterExcludes && !l.holdable)
        return true;  // it passes no card
    if (laterExcludes != earlierExcludes || !e.holdable || l.test != e.test)
        return false;
    if (l.test != WordTest::Contains)
        return l == e;
    const Word& longer = laterExcludes ? earlier : later;
    const Word& shorter = laterExcludes ? later : earlier;
    if ((longer.word.fields & ~shorter.word.fields) != 0)
        return false;
    return fold_ ? textfold::matches(longer.folded, shorter.folded, search_mode::Partial)
                 : sjis::find(longer.word.text, shorter.word.text) != std::string_view::npos;
}

std::vector<MatchedText> CardFilter::matchedTexts(const CardView& card) const
{
    std::vector<MatchedText> found;
    collectMatches(root_, card, found);
    std::sort(found.begin(), found.end(), [](const MatchedText& a, const MatchedText& b) {
        return std::tie(a.field, a.begin, a.end) < std::tie(b.field, b.begin, b.end);
    });
    std::vector<MatchedText> joined;
    for (const MatchedText& piece : found) {
        if (!joined.empty() && joined.back().field == piece.field && piece.begin <= joined.back().end)
            joined.back().end = std::max(joined.back().end, piece.end);
        else
            joined.push_back(piece);
    }
    return joined;
}

// An excluding part keeps no card by what it matches: nothing of it shows.
void CardFilter::collectMatches(const Node& node, const CardView& card, std::vector<MatchedText>& out) const
{
    if (node.exclude)
        return;
    if (node.kind != FilterNode::Kind::Word) {
        for (const Node& part : node.parts)
            collectMatches(part, card, out);
        return;
    }
    if (!node.word.word.holdable)
        return;
    for (int field = node.word.firstField; field <= node.word.lastField; ++field) {
        if (node.word.word.fields >> field & 1)
            addMatches(node.word, Field(field), card.field(Field(field)), out);
        if (readings_ && (node.word.readFields >> field & 1))
            addReadingMatches(node.word, Field(field), card.field(Field(field)), out);
    }
}

// The characters whose reading the word matched.
void CardFilter::addReadingMatches(const Word& word, Field field, std::string_view text, std::vector<MatchedText>& out) const
{
    textfold::FoldedText reading;
    if (!readingMatches(word, text, reading))
        return;
    for (auto from = reading.begin(); from != reading.end();) {
        const auto found = std::search(from, reading.end(), word.kana.begin(), word.kana.end());
        if (found == reading.end())
            return;
        const auto begin = static_cast<std::size_t>(found - reading.begin());
        for (const auto& [first, last] : readings_->sourceOf(text, begin, begin + word.kana.size()))
            out.push_back({field, first, last});
        from = found + std::ptrdiff_t(word.kana.size());
        if (word.word.test == WordTest::Equals)
            return;
    }
}

void CardFilter::addMatches(const Word& word, Field field, std::string_view text, std::vector<MatchedText>& out) const
{
    std::vector<std::pair<std::size_t, std::size_t>> pieces;
    textfold::FoldedText buffer;
    if (word.word.test != WordTest::Contains) {
        if (!text.empty() && wholeFieldMatches(word.word, word.folded, text, fold_, buffer))
            pieces.emplace_back(0, text.size());
    } else if (fold_) {
        findEachFolded(text, word.folded, pieces);
    } else {
        findEach(text, word.word.text, pieces);
    }
    for (const auto& [begin, end] : pieces)
        out.push_back({field, begin, end});
}

}  // namespace card
