// SPDX-License-Identifier: MIT
#pragma once

#include "TextFold.h"

#include <string>
#include <string_view>

// The order of the Japanese syllabary (五十音順) for folded text, as a
// key of bytes: two keys compare as their texts sort. Kana by sound, then
// voiced after unvoiced and semi-voiced after voiced, then small before
// large; the long vowel mark as the vowel before it; signs, then numbers
// by their value, then Latin letters, then kana, then kanji in the order of
// the code page (the national standard's). The window and the finder sort
// by the same keys, so they print the same order.
namespace card {
class TextReadings;
}

namespace card::readingorder {

// Appends the key of `folded` (as textfold::fold gives it) to `out`.
void appendKey(const textfold::FoldedText& folded, std::string& out);

// Appends the key a card text sorts by: its reading's key when `readings`
// is given and holds it, then the key of the text itself, for texts read
// alike. `buffer` is reused from text to text.
void appendTextKey(std::string_view cp932, const TextReadings* readings, std::string& out,
                   textfold::FoldedText& buffer);

}  // namespace card::readingorder
