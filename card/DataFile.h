// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace card {

// An open data file as the card reader sees it: a source of line pieces.
class DataFile {
public:
    // Longest piece delivered by one call, line feed included (a Windows
    // text-mode fgets into a 256-byte buffer).
    static constexpr std::size_t kMaxPiece = 255;

    virtual ~DataFile() = default;

    // Puts the next piece of at most kMaxPiece bytes, up to and including
    // the line feed that ends its line, into `piece`. False at the end.
    virtual bool readPiece(std::string& piece) = 0;

    // 1-based physical line of the piece last delivered; the pieces of one
    // long line share its number.
    virtual long lineNumber() const = 0;
};

}  // namespace card
