// SPDX-License-Identifier: MIT
#include "Utf8Sequence.h"

namespace card::utf8 {

namespace {

struct ByteRange {
    unsigned char low, high;
    bool holds(unsigned char b) const { return b >= low && b <= high; }
};

// The second byte is where overlong forms (E0, F0), surrogates (ED) and code
// points beyond U+10FFFF (F4) show; every later byte is a plain continuation.
ByteRange secondByteRange(unsigned char lead)
{
    switch (lead) {
    case 0xE0: return {0xA0, 0xBF};
    case 0xED: return {0x80, 0x9F};
    case 0xF0: return {0x90, 0xBF};
    case 0xF4: return {0x80, 0x8F};
    default: return {0x80, 0xBF};
    }
}

// 0 for a byte no valid character begins with: a continuation, the
// overlong leads C0 and C1, and F5 to FF.
std::size_t validLeadLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

}  // namespace

std::size_t leadLength(unsigned char lead)
{
    return lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

std::size_t characterAt(std::string_view text, std::size_t pos, bool* cut)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    const std::size_t length = validLeadLength(lead);
    if (cut)
        *cut = false;
    for (std::size_t i = 1; i < length; ++i) {
        if (pos + i == text.size()) {
            if (cut)
                *cut = true;
            return 0;
        }
        const auto b = static_cast<unsigned char>(text[pos + i]);
        if (!(i == 1 ? secondByteRange(lead) : ByteRange{0x80, 0xBF}).holds(b))
            return 0;
    }
    return length;
}

// A card file's text is mostly ASCII and three-byte characters whose lead
// is neither E0 nor ED (kana, kanji, full-width forms): those are checked
// here, every other sequence by characterAt.
bool isValid(std::string_view text)
{
    const auto byte = [&text](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const auto isContinuation = [](unsigned char b) { return (b & 0xC0) == 0x80; };
    for (std::size_t pos = 0; pos < text.size();) {
        const unsigned char lead = byte(pos);
        if (lead < 0x80) {
            ++pos;
            continue;
        }
        if (lead > 0xE0 && lead <= 0xEF && lead != 0xED && text.size() - pos >= 3 && isContinuation(byte(pos + 1)) &&
            isContinuation(byte(pos + 2))) {
            pos += 3;
            continue;
        }
        const std::size_t length = characterAt(text, pos);
        if (length == 0)
            return false;
        pos += length;
    }
    return true;
}

}  // namespace card::utf8
