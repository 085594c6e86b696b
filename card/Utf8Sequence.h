// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string_view>

namespace card::utf8 {

// What counts as UTF-8, said once for typed text and for a file's bytes:
// no stray continuation byte, no overlong form, no surrogate, nothing beyond
// U+10FFFF.

// The bytes of the sequence that `lead` begins by its shape alone (1 for a
// byte no sequence begins with), to cut text into characters.
std::size_t leadLength(unsigned char lead);

// The length of the valid character at `pos`, or 0. `cut`, when given, is
// set when the text ends inside a character that was valid so far.
std::size_t characterAt(std::string_view text, std::size_t pos, bool* cut = nullptr);

bool isValid(std::string_view text);

}  // namespace card::utf8
