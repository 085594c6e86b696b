// SPDX-License-Identifier: MIT
#pragma once

#include "CardLayout.h"

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace card {

class Cp932Converter;

// The fields a filter word looks at, one bit per Field.
using FieldMask = std::uint16_t;
namespace filterfields {
constexpr FieldMask bit(Field field)
{
    return static_cast<FieldMask>(1u << int(field));
}
constexpr FieldMask kName = bit(Field::Name);
constexpr FieldMask kType = bit(Field::Type);
// The rules text and the note: the fields from Text1 to Note.
constexpr FieldMask kText = static_cast<FieldMask>((bit(Field::Note) << 1) - bit(Field::Text1));
constexpr FieldMask kIllust = bit(Field::Illust);
constexpr FieldMask kRate = bit(Field::Rate);
constexpr FieldMask kAll = static_cast<FieldMask>((1u << kFieldCount) - 1);
}  // namespace filterfields

// How a word is compared with a field: standing anywhere in it, as the
// whole field, or (the rarity alone) by the order of kRarityNames.
enum class WordTest : std::uint8_t { Contains, Equals, RarityBelow, RarityAtMost, RarityAtLeast, RarityAbove };

// One word of a filter text: a card matches it when `text` stands in one
// of the fields of `fields` as `test` says.
struct FilterWord {
    std::string text;  // Shift-JIS
    FieldMask fields = filterfields::kAll;
    WordTest test = WordTest::Contains;
    int rarity = 0;        // a comparison's rarity: its index in kRarityNames
    bool holdable = true;  // false: Shift-JIS cannot hold the text, no card holds it

    bool operator==(const FilterWord&) const = default;
};

// A word, or a group whose parts must all match (words side by side) or
// any one of them (parts joined by OR); `exclude` turns it round ("-").
struct FilterNode {
    enum class Kind : std::uint8_t { Word, All, Any };
    Kind kind = Kind::All;
    bool exclude = false;
    FilterWord word;  // of a Word
    std::vector<FilterNode> parts;
};

// A piece of the text that means nothing yet and was left out: a ")"
// without "(", an OR with nothing on one side, an empty "()", a rarity
// comparison with an unknown rarity.
struct IgnoredPiece {
    std::size_t character;  // where it begins, counted in characters from 1
    std::string text;       // UTF-8, as typed

    bool operator==(const IgnoredPiece&) const = default;
};

// The filter text as typed, read leniently, since it is read at every
// keystroke: words at ASCII spaces, tabs and ideographic spaces; "-"
// before a word or "(" excludes; a prefix such as "t:" or "種：" limits a
// word to some fields, "t=" to whole fields, "r>=" and the like compare
// rarities; a double quote after them, or at a word's start, runs to the
// next one and is text only. Words side by side must all match; "|" or
// " OR " between them lets either match, and binds looser than the space;
// parentheses group. An unclosed quote or group ends with the text. A
// prefix with nothing after it, and an excluding word Shift-JIS cannot
// hold, are no words. A text past kMaxCharacters, or past kMaxWords words,
// is cut there: a pasted page would otherwise cost every card a test of
// each of its words.
class FilterText {
public:
    static constexpr std::size_t kMaxWords = 1000;
    static constexpr std::size_t kMaxCharacters = 10000;

    // `typed` is UTF-8. With `fold` the hiragana Shift-JIS lacks are taken
    // as the katakana they fold to, as the folded search takes them.
    FilterText(std::string_view typed, bool fold, Cp932Converter& converter);

    // An All holding the text's parts; without parts every card matches.
    const FilterNode& root() const { return root_; }
    bool fold() const { return fold_; }
    // The typed characters Shift-JIS cannot hold, each once, in the order
    // typed (UTF-8; an invalid byte as U+FFFD); empty when there are none.
    const std::string& unholdable() const { return unholdable_; }
    // Whether some byte of the text is no UTF-8 (only a command line can give one).
    bool notUtf8() const { return notUtf8_; }
    // Whether the text went past kMaxCharacters or kMaxWords and was cut.
    bool cut() const { return cut_; }
    // What was left out, in the order typed.
    const std::vector<IgnoredPiece>& ignored() const { return ignored_; }
    // The same as the window and the finder say it: "7文字目の )、9文字目の |".
    std::string ignoredText() const;

private:
    class Reader;

    FilterNode root_;
    bool fold_;
    std::string unholdable_;
    std::set<std::string> unholdableSeen_;
    bool notUtf8_ = false;
    bool cut_ = false;
    std::vector<IgnoredPiece> ignored_;
};

}  // namespace card
