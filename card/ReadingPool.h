// SPDX-License-Identifier: MIT
#pragma once

#include "TextFold.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace card {

// Where a piece of a reading ends: after `reading` folded characters, read
// from the text's first `source` bytes.
struct PieceEnd {
    std::uint8_t source = 0, reading = 0;
    bool operator==(const PieceEnd&) const = default;
};

// The readings of texts, packed: one entry per text, back to back in blocks
// that never move, found through a table of 32-bit offsets with a byte of
// the hash beside each. An entry is the text's length (one byte), the text,
// the ends of its pieces (mostly one byte each) and the reading, a kana or
// an ASCII character in one byte. Nothing is allocated per text.
class ReadingPool {
public:
    // The longest text and reading an entry holds: a card field's length.
    static constexpr std::size_t kMaxSize = 255;

    // Appends to `out` the entry of `text`, whose reading `reading` is cut
    // into pieces at `pieces` (their last ending at the text's and the
    // reading's ends). False, and `out` as it was, when the text or the
    // reading is longer than kMaxSize.
    static bool encode(std::string_view text, const textfold::FoldedText& reading,
                       const std::vector<PieceEnd>& pieces, std::string& out);
    // The text of the entry beginning at `entry` (made by encode), and
    // where the entry ends.
    static std::string_view textOf(const char* entry);
    static const char* endOf(const char* entry);

    ReadingPool();
    ~ReadingPool();

    // Adds the entry at `entry` unless its text has one; false when it had.
    bool insert(const char* entry);
    // The entry of `text`, or nullptr.
    const char* find(std::string_view text) const;
    // The reading and the pieces of an entry that find gave.
    static void readingOf(const char* entry, textfold::FoldedText& out);
    static void piecesOf(const char* entry, std::vector<PieceEnd>& out);

    void clear();
    std::size_t size() const { return count_; }
    std::size_t memoryBytes() const;

private:
    std::size_t slotOf(std::size_t hash) const { return hash & (offsets_.size() - 1); }
    const char* at(std::uint32_t offset) const;
    void grow();
    void place(std::size_t hash, std::uint32_t offset);

    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t lastUsed_ = 0;  // bytes used of the last block
    std::size_t count_ = 0;
    std::vector<std::uint32_t> offsets_;  // where each slot's entry begins
    std::vector<std::uint8_t> tags_;      // 0: an empty slot; else 0x80 and seven bits of the hash
};

}  // namespace card
