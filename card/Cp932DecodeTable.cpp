// SPDX-License-Identifier: MIT
#include "Cp932DecodeTable.h"

#include "Cp932Converter.h"
#include "ShiftJis.h"

#include <string>

namespace card {

namespace {

// The one UTF-16 unit of a character the converter gave as UTF-8; U+FFFD
// for anything else (CP932 holds no character beyond the BMP).
char16_t unitOf(const std::string& utf8)
{
    const auto b = [&utf8](std::size_t i) { return char16_t(static_cast<unsigned char>(utf8[i])); };
    switch (utf8.size()) {
    case 1: return b(0);
    case 2: return char16_t((b(0) & 0x1F) << 6 | (b(1) & 0x3F));
    case 3: return char16_t((b(0) & 0x0F) << 12 | (b(1) & 0x3F) << 6 | (b(2) & 0x3F));
    default: return u'\uFFFD';
    }
}

}  // namespace

const Cp932DecodeTable& Cp932DecodeTable::instance()
{
    static const Cp932DecodeTable table;
    return table;
}

Cp932DecodeTable::Cp932DecodeTable() : pairs_(0x10000, u'\uFFFD')
{
    Cp932Converter converter;
    for (int b = 0; b < 0x100; ++b)
        singles_[std::size_t(b)] = unitOf(converter.toUtf8(std::string(1, char(b))));
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC && sjis::isLeadByte(lead); ++trail) {
            if (sjis::isTrailByte(trail))
                pairs_[std::size_t(lead << 8 | trail)] = unitOf(converter.toUtf8(std::string{char(lead), char(trail)}));
        }
    }
}

std::size_t Cp932DecodeTable::decode(std::string_view bytes, char16_t* out) const
{
    std::size_t length = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        const auto trail = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
        if (sjis::isLeadByte(b) && sjis::isTrailByte(trail))
            out[length++] = pairs_[std::size_t(b << 8 | trail)], ++i;
        else
            out[length++] = singles_[b];
    }
    return length;
}

}  // namespace card
