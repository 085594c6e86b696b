// SPDX-License-Identifier: MIT
#pragma once

#include "CardView.h"
#include "FilterText.h"
#include "TextFold.h"

#include <array>
#include <cstdint>
#include <vector>

namespace card {

class CardStore;

// The test of a card against the words of a filter text: every word that
// does not exclude stands in one of its fields, no excluding word does. A
// word matches as the partial search does, character by character on
// Shift-JIS with A-Z matching a-z, within one field, and with kana and
// width folded as the folded search folds them when the text says so.
//
// Most cards hold none of a word's characters, so the test first looks
// for one chosen byte of the word's rarest character (of any of its
// spellings, when folded) in the card's bytes with memchr, and compares
// only a field where it stands.
class CardFilter {
public:
    // The bytes to look for are chosen by how often they stand in `sample`'s
    // cards when it is given, otherwise by how often they stand in Japanese
    // card text.
    explicit CardFilter(const FilterText& text, const CardStore* sample = nullptr);

    // Whether every card passes: no word.
    bool acceptsAll() const { return words_.empty(); }
    bool accepts(const CardView& card);
    // Whether each card this filter accepts is one that `previous` accepts
    // too, so that it need only look at the cards `previous` left. Word by
    // word in the order typed, as a text grows while it is typed: a word
    // put in between is taken for a new text.
    bool narrows(const CardFilter& previous) const;
    // How many words each card may be tested against.
    std::size_t wordCount() const { return words_.size(); }

private:
    static constexpr std::size_t kMaxAnchors = 4;
    // A byte to look for, and the other byte of the spelling it belongs to,
    // just before or after it, which a hit must have to be worth comparing.
    struct Anchor {
        unsigned char byte = 0;
        signed char partnerAt = 0;  // -1, +1, or 0: a spelling of one byte
        unsigned char partner = 0;
        auto operator<=>(const Anchor&) const = default;
    };
    struct Word {
        FilterWord word;
        textfold::FoldedText folded;  // the text folded, when folding
        // One of them stands wherever the word does; none: every field is compared.
        std::vector<Anchor> anchors;
        std::uint64_t cost = 0;             // how often the anchors stand in text
        int firstField = 0, lastField = 0;  // the first and last field of word.fields
        std::size_t typedAt = 0;            // its place among the words typed
    };
    // The card's fields in record order, and where each begins when they
    // stand back to back, as in the store.
    struct Fields {
        std::array<std::string_view, kFieldCount> text;
        std::array<std::size_t, kFieldCount + 1> offsets{};
        bool contiguous = true;
    };
    using ByteCounts = std::array<std::uint32_t, 256>;

    void chooseAnchors(Word& word, const ByteCounts& counts) const;
    bool implies(const Word& later, const Word& earlier) const;
    bool matches(const Word& word, const Fields& fields);
    bool matchesFrom(const Word& word, const Fields& fields);
    bool fieldMatches(const Word& word, std::string_view field);
    static void readFields(const CardView& card, Fields& out);

    std::vector<Word> words_;
    std::vector<std::size_t> typedOrder_;  // indices into words_, in the order typed
    bool fold_;
    Fields fields_;                // the card being tested
    textfold::FoldedText buffer_;  // a field folded
};

}  // namespace card
