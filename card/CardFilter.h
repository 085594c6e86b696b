// SPDX-License-Identifier: MIT
#pragma once

#include "CardStore.h"
#include "CardView.h"
#include "FilterText.h"
#include "TextFold.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace card {

class TextReadings;

// A piece of a card's field that a word of the filter matched: bytes
// [begin, end) of the field.
struct MatchedText {
    Field field;
    std::size_t begin, end;

    bool operator==(const MatchedText&) const = default;
};

// The test of a card against a filter text's words and groups. A word
// matches as the partial search does, character by character on Shift-JIS
// with A-Z matching a-z, within one field, and with kana and width folded
// as the folded search folds them when the text says so; "=" compares
// whole fields, the rarity comparisons the order of kRarityNames.
//
// Most cards hold none of a word's characters, so the test first looks
// for one chosen byte of the word's rarest character (of each of its
// spellings, when folded, all in one pass) in the card's bytes, and
// compares only a field where it stands as a whole character.
//
// A word of kana alone (hiragana or katakana, either width) also matches a
// name, type or illustrator whose reading holds it, folded or not, once
// `readings` is given: "こくよう" finds 黒曜の城門.
class CardFilter {
public:
    // The bytes to look for are chosen by how often they stand in `sample`'s
    // cards when it is given, otherwise by how often they stand in Japanese
    // card text.
    explicit CardFilter(const FilterText& text, const CardStore* sample = nullptr,
                        const TextReadings* readings = nullptr);

    // Whether every card passes: no word.
    bool acceptsAll() const { return root_.parts.empty(); }
    bool accepts(const CardView& card);
    // The same for a card as the store holds it, without a view of it.
    bool accepts(const CardStore::Packed& card);
    // Whether each card this filter accepts is one that `previous` accepts
    // too, so that it need only look at the cards `previous` left. Words
    // side by side are compared in the order typed, as a text grows while
    // it is typed: a word put in between is taken for a new text.
    bool narrows(const CardFilter& previous) const;
    // Whether a word is kana that the readings of names, types and
    // illustrators may hold.
    bool readsKana() const { return readsKana_; }
    // How many words each card may be tested against.
    std::size_t wordCount() const { return wordCount_; }

    // Where the words that keep cards (none inside an excluding part)
    // stand in `card`, by field and then by byte, overlaps joined. For a
    // card on the screen, not for filtering: it looks at every field.
    std::vector<MatchedText> matchedTexts(const CardView& card) const;

private:
    static constexpr std::size_t kMaxAnchors = 4;
    static constexpr int kRateField = int(Field::Rate);
    // A byte to look for, and the other byte of the spelling it belongs to,
    // just before or after it, which a hit must have to be worth comparing.
    struct Anchor {
        unsigned char byte = 0;
        signed char partnerAt = 0;  // -1, +1, or 0: a spelling of one byte
        unsigned char partner = 0;
        auto operator<=>(const Anchor&) const = default;
        // Whether the spelling stands in `field` as a whole character, this
        // byte of it at `at`.
        bool standsIn(std::string_view field, std::size_t at) const;
    };
    struct Word {
        FilterWord word;
        textfold::FoldedText folded;  // the text folded, when folding
        // One of them stands wherever the word does; none: every field is compared.
        std::vector<Anchor> anchors;
        // Their bytes, the first repeated after the last, looked for together.
        std::array<unsigned char, kMaxAnchors> anchorBytes{};
        int firstField = 0, lastField = 0;  // the first and last field of word.fields
        textfold::FoldedText kana;  // folded, when the word is kana that a reading may hold
        FieldMask readFields = 0;   // of word.fields, those with a reading
        std::uint8_t rarityHits = 0;  // the rarities of kRarityNames it matches, a bit each
    };
    // A word or a group, as in FilterNode, its parts in the order typed.
    struct Node {
        FilterNode::Kind kind = FilterNode::Kind::All;
        bool exclude = false;
        Word word;
        std::vector<Node> parts;
        std::vector<std::uint32_t> testOrder;  // of the parts: the order that decides most cards soonest
        std::uint64_t cost = 0;  // how often its anchors stand in text
    };
    // The card's fields in record order, and where each begins when they
    // stand in one run of bytes: back to back, as in the store, or a line
    // break apart, as in the finder's read buffer. The bytes between two
    // fields are never part of a match. The rarity may stand apart, as the
    // store keeps the four the game knows: the run then ends with the
    // illustrator, and the rarity takes none of its bytes.
    struct Fields {
        std::array<std::string_view, kFieldCount> text;
        std::array<std::size_t, kFieldCount + 1> offsets{};
        bool contiguous = true;  // in one run
        bool rateApart = false;
        int rarity = -1;  // its index in kRarityNames when apart and one of them
    };
    using ByteCounts = std::array<std::uint32_t, 256>;

    Node build(const FilterNode& parsed, const ByteCounts& counts);
    void chooseAnchors(Word& word, std::uint64_t& cost, const ByteCounts& counts) const;
    bool passes(const Node& node);
    bool implies(const Node& later, bool laterTurned, const Node& earlier, bool earlierTurned) const;
    bool impliesWord(const Word& later, bool laterExcludes, const Word& earlier, bool earlierExcludes) const;
    bool matches(const Word& word, const Fields& fields);
    bool matchesFrom(const Word& word, const Fields& fields);
    static bool anchorStandsAt(const Word& word, std::string_view field, std::size_t at);
    bool fieldMatches(const Word& word, int field);
    std::uint8_t rarityHitsOf(const Word& word);
    bool readingMatches(const Word& word, std::string_view text, textfold::FoldedText& reading) const;
    void addReadingMatches(const Word& word, Field field, std::string_view text, std::vector<MatchedText>& out) const;
    std::span<const textfold::FoldedChar> foldedField(int field);
    void collectMatches(const Node& node, const CardView& card, std::vector<MatchedText>& out) const;
    void addMatches(const Word& word, Field field, std::string_view text, std::vector<MatchedText>& out) const;
    static void readFields(const CardView& card, Fields& out);
    static void readFields(const CardStore::Packed& card, Fields& out);
    // A card's fields read from a view or from the store, then tested.
    template <typename CardFields>
    bool acceptsFields(const CardFields& card);

    Node root_;
    std::size_t wordCount_ = 0;
    bool fold_;
    const TextReadings* readings_;
    std::size_t readingCount_;  // how many readings were made when the filter was
    bool readsKana_ = false;
    Fields fields_;                // the card being tested
    textfold::FoldedText buffer_;  // a field folded
    // The card's fields folded so far, while a card is tested: each buffer
    // only grows, and holds its field's characters up to its length.
    std::array<textfold::FoldedText, kFieldCount> folded_;
    std::array<std::size_t, kFieldCount> foldedLengths_{};
    FieldMask foldedFields_ = 0;
};

}  // namespace card
