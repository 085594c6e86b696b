// SPDX-License-Identifier: MIT
#pragma once

#include "ReadingAnalyser.h"
#include "ReadingCorrections.h"
#include "TextFold.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace card {

class Cp932Converter;

// The readings of card texts (names, types, illustrators), each distinct
// text made once: the analyser's, with the player's corrections winning.
// A text without kanji is its own reading and needs no entry. Readings are
// kept folded as the folded search folds (katakana, full width), so that a
// kana word is compared with them as they are.
//
// Memory: the text, its folded reading and the pieces that lead back from
// the reading to the text, back to back in three pools, and a table of
// 32-bit slots to find them; no allocation per text.
class TextReadings {
public:
    // Where a piece of the reading ends: after `reading` folded characters,
    // read from the text's first `source` bytes.
    struct PieceEnd {
        std::uint16_t source, reading;
    };

    // Without an analyser, only corrections and texts without kanji read.
    TextReadings(std::unique_ptr<ReadingAnalyser> analyser, ReadingCorrections corrections);
    ~TextReadings();

    // Forgets every reading, to read again with `corrections`.
    void restart(ReadingCorrections corrections);
    // Makes the reading of the CP932 text `cp932` unless it is known.
    void add(std::string_view cp932);
    // Whether `add` has something to do for `cp932`.
    bool needs(std::string_view cp932) const;
    // The folded reading of `cp932` in `out`; false when it is not made yet.
    bool readingOf(std::string_view cp932, textfold::FoldedText& out) const;
    // The bytes of `cp932` that the folded reading's characters [begin, end)
    // were read from, each piece as [first, last) bytes.
    std::vector<std::pair<std::size_t, std::size_t>> sourceOf(std::string_view cp932, std::size_t begin,
                                                              std::size_t end) const;
    // The reading as CP932 katakana, to show (Latin letters of a text with
    // kanji folded to small ones, as compared); empty when not made yet.
    std::string shownReading(std::string_view cp932) const;

    // Gives back what the pools hold in reserve, once a list's texts are read.
    void compact();
    // Texts with an entry, and the bytes the readings hold.
    std::size_t size() const { return entries_.size(); }
    std::size_t memoryBytes() const;
    bool hasAnalyser() const { return analyser_ != nullptr; }
    const ReadingCorrections& corrections() const { return corrections_; }

private:
    struct Entry {
        std::uint32_t textAt, readingAt, piecesAt;
        std::uint16_t textSize, readingSize, pieceCount;
    };

    const Entry* find(std::string_view cp932) const;
    std::size_t slotOf(std::string_view cp932) const;
    void grow();
    void readPieces(std::string_view utf8, std::vector<ReadingPiece>& out);

    std::unique_ptr<ReadingAnalyser> analyser_;
    ReadingCorrections corrections_;
    std::unique_ptr<Cp932Converter> converter_;
    std::vector<Entry> entries_;
    std::string texts_;
    textfold::FoldedText readings_;
    std::vector<PieceEnd> pieces_;
    std::vector<std::uint32_t> slots_;  // entry + 1; 0: empty
    // Reused from text to text.
    std::vector<ReadingPiece> analysed_;
    textfold::FoldedText folded_;
};

}  // namespace card
