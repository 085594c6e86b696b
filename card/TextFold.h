// SPDX-License-Identifier: MIT
#pragma once

#include "SearchMode.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The folding of the search that ignores kana and character width. A
// CP932 text folds to one 16-bit value per character; two characters are
// the same after folding when they are:
// - hiragana and the katakana of the same sound (あ = ア, ぁ = ァ; ァ and ア
//   stay different);
// - a half-width katakana and its full-width form, a half-width letter with
//   the voiced or semi-voiced mark after it counting as one character
//   (ｶﾞ = ガ = が, ﾊﾟ = パ, ｰ = ー, ｡ = 。);
// - a full-width ASCII character and the ASCII one (Ａ = A, ０ = 0), the
//   ideographic space and the ASCII space, and A-Z and a-z;
// - two codes of CP932 for the same Unicode character.
// Everything else stays itself: kanji, カ and ガ, ヶ and ケ, ー and －.
namespace card::textfold {

// A folded character: the CP932 code (one byte, or lead byte * 256 + trail
// byte) of the character that stands for all the characters folded to it.
// A byte that is no character of CP932 stands for itself.
using FoldedChar = std::uint16_t;
using FoldedText = std::vector<FoldedChar>;

// Every kana folds to a katakana: CP932 holds ァ to ヶ in Unicode's order
// from 0x8340, skipping 0x837F. With the long vowel mark they are what a
// reading is written in.
inline constexpr FoldedChar kLongVowelMark = 0x815B;
constexpr bool isKatakana(FoldedChar c)
{
    return c >= 0x8340 && c <= 0x8396 && c != 0x837F;
}
// The Unicode katakana of a folded one (isKatakana(c) holds).
constexpr char32_t katakanaOf(FoldedChar c)
{
    return U'ァ' + (c - 0x8340) - (c > 0x837F ? 1 : 0);
}

// Replaces `out` with the folded characters of the CP932 text `cp932`,
// keeping its capacity so that a search reuses one buffer for every card.
void fold(std::string_view cp932, FoldedText& out);
// The same, and in `starts` the byte where each folded character begins,
// then the text's size.
void fold(std::string_view cp932, FoldedText& out, std::vector<std::size_t>& starts);
// Writes the folded characters of `cp932` to `out`, which has room for
// cp932.size() of them, and returns how many it wrote: a buffer kept for
// every card is written over, never cleared first.
std::size_t foldTo(std::string_view cp932, FoldedChar* out);

// Whether the folded `field` matches the folded `text` by `mode`: the
// whole field, its beginning, or from any of its characters on. A value
// outside the three matches nothing.
bool matches(std::span<const FoldedChar> field, std::span<const FoldedChar> text, search_mode mode);

// A UTF-8 text typed for a folded search, with the hiragana that CP932
// lacks (ゔ, ゕ, ゖ) taken as the katakana they fold to, so that the text
// converts to CP932 instead of being refused.
std::string withKatakanaForMissingHiragana(std::string_view utf8);

}  // namespace card::textfold
