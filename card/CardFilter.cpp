// SPDX-License-Identifier: MIT
#include "CardFilter.h"

#include "CardStore.h"
#include "SearchMode.h"
#include "ShiftJis.h"

#include <algorithm>
#include <cstring>
#include <limits>

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

}  // namespace

CardFilter::CardFilter(const FilterText& text, const CardStore* sample) : fold_(text.fold())
{
    const ByteCounts counts = sample && !sample->empty() ? sampledByteCounts(*sample) : typicalByteCounts();
    for (const FilterWord& parsed : text.words()) {
        Word word;
        word.word = parsed;
        if (fold_)
            textfold::fold(parsed.text, word.folded);
        int field = 0;
        while (!(parsed.fields >> field & 1))
            ++field;
        word.firstField = field;
        for (; field < kFieldCount; ++field) {
            if (parsed.fields >> field & 1)
                word.lastField = field;
        }
        chooseAnchors(word, counts);
        word.typedAt = words_.size();
        words_.push_back(std::move(word));
    }
    // The rarest of the words that keep cards first: most cards fail at the
    // first word, and cheaply.
    std::stable_sort(words_.begin(), words_.end(), [](const Word& a, const Word& b) {
        return a.word.exclude != b.word.exclude ? !a.word.exclude : a.cost < b.cost;
    });
    typedOrder_.resize(words_.size());
    for (std::size_t i = 0; i < words_.size(); ++i)
        typedOrder_[words_[i].typedAt] = i;
}

// The character whose spellings' rarest bytes are the rarest together, as
// long as they are few enough to look for one after another.
void CardFilter::chooseAnchors(Word& word, const ByteCounts& counts) const
{
    word.cost = std::numeric_limits<std::uint64_t>::max();
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
        std::uint64_t cost = 0;
        for (const Anchor& anchor : anchors)
            cost += counts[anchor.byte] + 1;
        if (cost < word.cost) {
            word.cost = cost;
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

bool CardFilter::accepts(const CardView& card)
{
    if (words_.empty())
        return true;
    readFields(card, fields_);
    for (const Word& word : words_) {
        if (matches(word, fields_) == word.word.exclude)
            return false;
    }
    return true;
}

// The offsets come from the addresses, each on its own: a running sum
// would make every card wait for ten additions in a row.
void CardFilter::readFields(const CardView& card, Fields& out)
{
    const auto base = reinterpret_cast<std::uintptr_t>(card.name.data());
    for (int i = 0; i < kFieldCount; ++i) {
        out.text[i] = card.field(Field(i));
        out.offsets[i] = reinterpret_cast<std::uintptr_t>(out.text[i].data()) - base;
    }
    out.offsets[kFieldCount] = out.offsets[kFieldCount - 1] + out.text[kFieldCount - 1].size();
    bool contiguous = true;
    for (std::size_t i = 1; i < out.text.size(); ++i)
        contiguous = contiguous && out.offsets[i] == out.offsets[i - 1] + out.text[i - 1].size();
    out.contiguous = contiguous;
}

bool CardFilter::matches(const Word& word, const Fields& fields)
{
    if (!word.word.holdable)
        return false;
    if (!word.anchors.empty() && fields.contiguous)
        return matchesFrom(word, fields);
    for (int field = word.firstField; field <= word.lastField; ++field) {
        if ((word.word.fields >> field & 1) && fieldMatches(word, fields.text[field]))
            return true;
    }
    return false;
}

// Looks for the word's anchor bytes in the bytes of its fields, and
// compares only a field where one stands with its partner, then goes on
// after that field.
bool CardFilter::matchesFrom(const Word& word, const Fields& fields)
{
    constexpr std::size_t kNotYet = std::numeric_limits<std::size_t>::max();
    const char* base = fields.text[0].data();
    const std::size_t end = fields.offsets[word.lastField + 1];
    auto find = [base, end](unsigned char byte, std::size_t from) {
        const void* found = std::memchr(base + from, byte, end - from);
        return found ? static_cast<std::size_t>(static_cast<const char*>(found) - base) : end;
    };
    std::size_t pos = fields.offsets[word.firstField];
    std::array<std::size_t, kMaxAnchors> next;
    next.fill(kNotYet);
    int field = word.firstField;
    while (pos < end) {
        std::size_t hit = end;
        std::size_t which = 0;
        for (std::size_t k = 0; k < word.anchors.size(); ++k) {
            if (next[k] == kNotYet || next[k] < pos)
                next[k] = find(word.anchors[k].byte, pos);
            if (next[k] < hit)
                hit = next[k], which = k;
        }
        if (hit >= end)
            return false;
        const Anchor& anchor = word.anchors[which];
        const std::size_t partnerAt = hit + anchor.partnerAt;
        if (anchor.partnerAt != 0 && (hit + anchor.partnerAt >= end || (hit == 0 && anchor.partnerAt < 0) ||
                                      static_cast<unsigned char>(base[partnerAt]) != anchor.partner)) {
            next[which] = find(anchor.byte, hit + 1);
            continue;
        }
        while (fields.offsets[field + 1] <= hit)
            ++field;
        if ((word.word.fields >> field & 1) && fieldMatches(word, fields.text[field]))
            return true;
        pos = fields.offsets[field + 1];
    }
    return false;
}

bool CardFilter::fieldMatches(const Word& word, std::string_view field)
{
    if (!fold_)
        return sjis::find(field, word.word.text) != std::string_view::npos;
    textfold::fold(field, buffer_);
    return textfold::matches(buffer_, word.folded, search_mode::Partial);
}

bool CardFilter::narrows(const CardFilter& previous) const
{
    if (fold_ != previous.fold_ || words_.size() < previous.words_.size())
        return false;
    for (std::size_t i = 0; i < previous.typedOrder_.size(); ++i) {
        if (!implies(words_[typedOrder_[i]], previous.words_[previous.typedOrder_[i]]))
            return false;
    }
    return true;
}

// Whether every card that passes `later` passes `earlier`: a word that
// keeps the cards holding a longer text in fewer fields, or one that
// excludes a shorter text from more fields.
bool CardFilter::implies(const Word& later, const Word& earlier) const
{
    const FilterWord& l = later.word;
    const FilterWord& e = earlier.word;
    if (!l.exclude && !l.holdable)
        return true;  // it passes no card
    if (l.exclude != e.exclude || !e.holdable)
        return false;
    const Word& longer = l.exclude ? earlier : later;
    const Word& shorter = l.exclude ? later : earlier;
    if ((longer.word.fields & ~shorter.word.fields) != 0)
        return false;
    return fold_ ? textfold::matches(longer.folded, shorter.folded, search_mode::Partial)
                 : sjis::find(longer.word.text, shorter.word.text) != std::string_view::npos;
}

}  // namespace card
