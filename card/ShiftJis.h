// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string_view>

// Shift-JIS (code page 932) character structure. A byte 0x81-0x9F or
// 0xE0-0xFC followed by any byte is one double-byte character; any other
// byte, and a lead byte that ends the string, is a single-byte character.
namespace card::sjis {

inline bool isLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Whether `b` can be the second byte of a double-byte character in the
// code page's tables: the converters decode a lead byte followed by any
// other byte as two characters.
inline bool isTrailByte(unsigned char b)
{
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// Byte length (1 or 2) of the character that starts at `pos`.
inline std::size_t charLength(std::string_view s, std::size_t pos)
{
    return isLeadByte(static_cast<unsigned char>(s[pos])) && pos + 1 < s.size() ? 2 : 1;
}

// Folds the letters A-Z of a single-byte character to a-z; nothing else.
inline unsigned char foldAscii(unsigned char b)
{
    return (b >= 0x41 && b <= 0x5A) ? static_cast<unsigned char>(b + 0x20) : b;
}

// Whether the characters of `field` from `start` on begin with all the
// characters of `text`, ignoring the case of A-Z; with `whole`, the field
// must also end there. `start` must be a character boundary.
bool matchesAt(std::string_view field, std::size_t start, std::string_view text, bool whole);

// 0-based byte offset of the first character boundary of `field` where
// `text` occurs ignoring the case of A-Z, or npos.
std::size_t find(std::string_view field, std::string_view text);

// The longest prefix of `s` of at most `limit` bytes that does not split a
// double-byte character.
std::string_view truncateToBytes(std::string_view s, std::size_t limit);

}  // namespace card::sjis
