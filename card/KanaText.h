// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

// Kana in UTF-8 text: what readings are written in.
namespace card::kana {

// Whether every character is a full-width hiragana or katakana, the long
// vowel mark or a half-width katakana (voiced marks too); false when empty.
bool isAllKana(std::string_view utf8);
// The text with its hiragana turned into katakana; the rest as it was.
std::string toKatakana(std::string_view utf8);

}  // namespace card::kana
