// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

namespace card {

// The converter's own decoding of every single- and double-byte CP932
// character, taken once: whatever shows card text (list cells, sort keys,
// the status bar, the dialogs) decodes through it, and a million fields
// cannot each afford a trip through the converter.
class Cp932DecodeTable {
public:
    static const Cp932DecodeTable& instance();

    // Decodes `bytes` as the converter would (a lead byte pairs only with a
    // byte that can trail it; anything it cannot read is U+FFFD) into `out`,
    // which has room for bytes.size() units; returns the units written.
    std::size_t decode(std::string_view bytes, char16_t* out) const;

private:
    Cp932DecodeTable();

    std::array<char16_t, 0x100> singles_{};
    std::vector<char16_t> pairs_;
};

}  // namespace card
