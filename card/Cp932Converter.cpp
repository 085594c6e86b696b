// SPDX-License-Identifier: MIT
#include "Cp932Converter.h"

#include "OperatingSystem.h"
#include "ShiftJis.h"
#include "Utf8Sequence.h"

namespace card {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// Bytes of the character at `pos` as the decoder sees it: a lead byte
// before a byte that cannot trail it stands alone, so the next character
// survives.
std::size_t decodedLength(std::string_view s, std::size_t pos)
{
    bool pair = pos + 1 < s.size() && sjis::isLeadByte(static_cast<unsigned char>(s[pos])) &&
                sjis::isTrailByte(static_cast<unsigned char>(s[pos + 1]));
    return pair ? 2 : 1;
}

// Some sequence is invalid: each character on its own, a bad one a U+FFFD.
std::string decodeCharByChar(std::string_view cp932)
{
    std::string out;
    std::string one;
    for (std::size_t pos = 0; pos < cp932.size();) {
        std::size_t length = decodedLength(cp932, pos);
        if (os::cp932ToUtf8(cp932.substr(pos, length), one))
            out += one;
        else
            out += kReplacement;
        pos += length;
    }
    return out;
}

}  // namespace

std::string Cp932Converter::toUtf8(std::string_view cp932)
{
    std::string out;
    if (!os::cp932ToUtf8(cp932, out))
        out = decodeCharByChar(cp932);
    return out;
}

std::optional<std::string> Cp932Converter::fromUtf8(std::string_view utf8)
{
    std::string out;
    if (!utf8::isValid(utf8) || !os::utf8ToCp932(utf8, out))
        return std::nullopt;
    return out;
}

bool Cp932Converter::isValidCp932(std::string_view cp932)
{
    std::string out;
    return os::cp932ToUtf8(cp932, out);
}

}  // namespace card
