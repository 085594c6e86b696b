// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace card {

class Cp932Converter;

// The fields a filter word looks at, one bit per field in record order:
// name, type, the five rules-text lines, note, illust, rate.
using FieldMask = std::uint16_t;
namespace filterfields {
constexpr FieldMask kName = 1u << 0;
constexpr FieldMask kType = 1u << 1;
constexpr FieldMask kText = 0x3Fu << 2;  // the five rules-text lines and the note
constexpr FieldMask kIllust = 1u << 8;
constexpr FieldMask kRate = 1u << 9;
constexpr FieldMask kAll = 0x3FF;
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
// and an excluding word Shift-JIS cannot hold, are no words.
class FilterText {
public:
    // `typed` is UTF-8. With `fold` the hiragana Shift-JIS lacks are taken
    // as the katakana they fold to, as the folded search takes them.
    FilterText(std::string_view typed, bool fold, Cp932Converter& converter);

    const std::vector<FilterWord>& words() const { return words_; }
    bool fold() const { return fold_; }
    // The typed characters Shift-JIS cannot hold, each once, in the order
    // typed (UTF-8; an invalid byte as U+FFFD); empty when there are none.
    const std::string& unholdable() const { return unholdable_; }

private:
    void addWord(std::string_view word, bool quoted, Cp932Converter& converter);
    void noteUnholdable(std::string_view utf8, Cp932Converter& converter);

    std::vector<FilterWord> words_;
    bool fold_;
    std::string unholdable_;
};

}  // namespace card
