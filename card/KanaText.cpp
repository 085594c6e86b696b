// SPDX-License-Identifier: MIT
#include "KanaText.h"

#include "Utf8Sequence.h"

#include <algorithm>

namespace card::kana {

namespace {

// The code point of the three-byte character at `at`, or 0: every kana is
// one.
char32_t threeByteAt(std::string_view text, std::size_t at)
{
    if (utf8::characterAt(text, at) != 3)
        return 0;
    return char32_t(text[at] & 0x0F) << 12 | char32_t(text[at + 1] & 0x3F) << 6 | char32_t(text[at + 2] & 0x3F);
}

bool isHiragana(char32_t c)
{
    return c >= U'\u3041' && c <= U'\u3096';
}

bool isKana(char32_t c)
{
    return isHiragana(c) || (c >= U'\u30A1' && c <= U'\u30FA') || c == U'\u30FC' || (c >= U'\uFF66' && c <= U'\uFF9F');
}

}  // namespace

bool isAllKana(std::string_view utf8)
{
    for (std::size_t at = 0; at < utf8.size(); at += 3) {
        if (!isKana(threeByteAt(utf8, at)))
            return false;
    }
    return !utf8.empty();
}

std::string toKatakana(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const char32_t c = threeByteAt(utf8, at);
        const std::size_t length = c ? 3 : std::max<std::size_t>(1, utf8::characterAt(utf8, at));
        if (isHiragana(c)) {
            const char32_t k = c + (U'\u30A1' - U'\u3041');
            out += char(0xE0 | k >> 12);
            out += char(0x80 | (k >> 6 & 0x3F));
            out += char(0x80 | (k & 0x3F));
        } else {
            out.append(utf8.substr(at, length));
        }
        at += length;
    }
    return out;
}

}  // namespace card::kana
