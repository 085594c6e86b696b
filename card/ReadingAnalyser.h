// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace card {

// A piece of a text and how it is read: the text's UTF-8 bytes
// [sourceBegin, sourceEnd) are read as `kana` (UTF-8 katakana). A piece is
// the smallest part of the text whose reading the analyser knows on its
// own (a word, or one kana), so a match in the reading leads back to the
// characters it came from.
struct ReadingPiece {
    std::size_t sourceBegin = 0, sourceEnd = 0;
    std::string kana;

    bool operator==(const ReadingPiece&) const = default;
};

// Reads Japanese text aloud, as it were: a kanji name's reading in
// katakana, by a morphological analyser and its dictionary. Characters
// without a reading (Latin letters, digits, signs) stand for themselves.
// One analyser serves one thread at a time.
class ReadingAnalyser {
public:
    virtual ~ReadingAnalyser() = default;

    // The pieces of the UTF-8 text `utf8`, in order, covering all of it;
    // false when the analyser failed on it (then `out` is unspecified).
    virtual bool read(std::string_view utf8, std::vector<ReadingPiece>& out) = 0;
    // An analyser for another thread, reading as this one does and sharing
    // its dictionary; nullptr when none can be made.
    virtual std::unique_ptr<ReadingAnalyser> another() const = 0;
};

}  // namespace card
