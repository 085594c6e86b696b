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

// One word of a filter text: a card matches it when `text` stands in one
// of the fields of `fields`.
struct FilterWord {
    std::string text;  // Shift-JIS
    FieldMask fields = filterfields::kAll;
    bool exclude = false;  // "-": the cards it matches are left out
    bool holdable = true;  // false: Shift-JIS cannot hold the text, no card holds it

    bool operator==(const FilterWord&) const = default;
};

// The filter text as typed, cut into words: at ASCII spaces, tabs and
// ideographic spaces; "-" before a word excludes; a prefix such as "t:" or
// "種：" limits it to some fields; a word that begins with a double quote
// runs to the next one and is text only. A prefix with nothing after it,
// and an excluding word Shift-JIS cannot hold, are no words. A text past
// kMaxCharacters, or past kMaxWords words, is cut there: a pasted page
// would otherwise cost every card a test of each of its words.
class FilterText {
public:
    static constexpr std::size_t kMaxWords = 1000;
    static constexpr std::size_t kMaxCharacters = 10000;

    // `typed` is UTF-8. With `fold` the hiragana Shift-JIS lacks are taken
    // as the katakana they fold to, as the folded search takes them.
    FilterText(std::string_view typed, bool fold, Cp932Converter& converter);

    const std::vector<FilterWord>& words() const { return words_; }
    bool fold() const { return fold_; }
    // The typed characters Shift-JIS cannot hold, each once, in the order
    // typed (UTF-8; an invalid byte as U+FFFD); empty when there are none.
    const std::string& unholdable() const { return unholdable_; }
    // Whether some byte of the text is no UTF-8 (only a command line can give one).
    bool notUtf8() const { return notUtf8_; }
    // Whether the text went past kMaxCharacters or kMaxWords and was cut.
    bool cut() const { return cut_; }

private:
    std::string_view withinMaxCharacters(std::string_view typed);
    void addWord(std::string_view word, bool quoted, Cp932Converter& converter);
    void noteUnholdable(std::string_view utf8, Cp932Converter& converter);

    std::vector<FilterWord> words_;
    bool fold_;
    std::string unholdable_;
    std::set<std::string> unholdableSeen_;
    bool notUtf8_ = false;
    bool cut_ = false;
};

}  // namespace card
