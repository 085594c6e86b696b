// SPDX-License-Identifier: MIT
#include "ShiftJis.h"

namespace card::sjis {

bool matchesAt(std::string_view field, std::size_t start, std::string_view text, bool whole)
{
    std::size_t i = start;
    std::size_t j = 0;
    while (j < text.size()) {
        if (i >= field.size())
            return false;
        std::size_t fieldLen = charLength(field, i);
        std::size_t textLen = charLength(text, j);
        if (fieldLen != textLen)
            return false;
        if (fieldLen == 1) {
            if (foldAscii(static_cast<unsigned char>(field[i])) != foldAscii(static_cast<unsigned char>(text[j])))
                return false;
        } else if (field[i] != text[j] || field[i + 1] != text[j + 1]) {
            return false;  // a double-byte character is compared unfolded
        }
        i += fieldLen;
        j += textLen;
    }
    return !whole || i == field.size();
}

std::size_t find(std::string_view field, std::string_view text)
{
    if (text.empty())
        return 0;
    // Most boundaries fail on their first character: test it in line before
    // comparing the rest.
    const std::size_t firstLength = charLength(text, 0);
    const auto first = static_cast<unsigned char>(text[0]);
    const unsigned char firstFolded = firstLength == 1 ? foldAscii(first) : first;
    for (std::size_t i = 0; field.size() - i >= text.size(); i += charLength(field, i)) {
        const auto b = static_cast<unsigned char>(field[i]);
        const std::size_t length = charLength(field, i);
        if (length == firstLength && (length == 1 ? foldAscii(b) : b) == firstFolded &&
            matchesAt(field, i, text, false))
            return i;
    }
    return std::string_view::npos;
}

std::string_view truncateToBytes(std::string_view s, std::size_t limit)
{
    std::size_t end = 0;
    while (end < s.size()) {
        std::size_t len = charLength(s, end);
        if (end + len > limit)
            break;
        end += len;
    }
    return s.substr(0, end);
}

}  // namespace card::sjis
