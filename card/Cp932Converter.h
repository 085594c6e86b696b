// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace card {

// Converts between the card files' code page 932 and UTF-8 with the
// system's own converter (iconv "CP932", or code page 932 on Windows). One
// converter serves the window and the command-line finder, so both show and
// accept exactly the same characters.
class Cp932Converter {
public:
    // Every character is kept; an invalid byte, an unmapped double-byte
    // pair or a lone lead byte becomes U+FFFD.
    std::string toUtf8(std::string_view cp932);

    // The CP932 bytes of `utf8`; nullopt when the text holds a character
    // that CP932 cannot hold, or is no valid UTF-8. Never a substitute.
    std::optional<std::string> fromUtf8(std::string_view utf8);

    // Whether `cp932` decodes without a single invalid sequence.
    bool isValidCp932(std::string_view cp932);
};

}  // namespace card
