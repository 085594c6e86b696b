// SPDX-License-Identifier: MIT
#pragma once

#include "CardLayout.h"
#include "ReadingAnalyser.h"
#include "ReadingCorrections.h"
#include "ReadingPool.h"
#include "TextFold.h"

#include <array>
#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

namespace card {

class CardStore;
class ReadingMaker;

// The readings of card texts (names, types, illustrators), each distinct
// text made once: the analyser's, with the player's corrections winning.
// A text without kanji is its own reading and needs no entry. Readings are
// kept folded as the folded search folds (katakana, full width), so that a
// kana word is compared with them as they are.
//
// Cards are read on two threads where two cores are, each with an analyser
// of its own; what they make joins the pool on the calling thread, so the
// look-ups (const) may run on any threads while no cards are being read.
class TextReadings {
public:
    using Clock = std::chrono::steady_clock;
    // The fields of a card that are read.
    static constexpr std::array kReadFields{Field::Name, Field::Type, Field::Illust};

    // Without an analyser, only corrections and texts without kanji read.
    TextReadings(std::unique_ptr<ReadingAnalyser> analyser, ReadingCorrections corrections);
    ~TextReadings();

    // Forgets every reading, to read again with `corrections`.
    void restart(ReadingCorrections corrections);
    // Reads from now on with `analyser` (nullptr: none), the readings made
    // so far kept. Letting the analyser go once every text is read gives
    // back its dictionary; the next cards to read need one again.
    void useAnalyser(std::unique_ptr<ReadingAnalyser> analyser);
    // Makes the reading of the CP932 text `cp932` unless it is known.
    void add(std::string_view cp932);
    // Makes the readings of the read fields of cards [from, to) of `cards`,
    // until `until` has passed (some cards at least); returns the card
    // before which all are read.
    std::size_t addCards(const CardStore& cards, std::size_t from, std::size_t to,
                         Clock::time_point until = Clock::time_point::max());
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

    // Texts with an entry, and the bytes the readings hold.
    std::size_t size() const { return pool_.size(); }
    std::size_t memoryBytes() const;
    bool hasAnalyser() const;
    const ReadingCorrections& corrections() const { return corrections_; }

private:
    // What one thread makes of a batch of cards before it joins the pool.
    struct Made {
        std::string entries;
        std::unordered_set<std::string_view> texts;  // made in this batch, not to be made twice
    };

    void readChunks(std::size_t worker, const CardStore& cards, std::atomic<std::size_t>& next, std::size_t end,
                    Clock::time_point until);
    bool secondWorkerReady();
    void join(Made& made);

    ReadingCorrections corrections_;
    ReadingPool pool_;
    std::array<std::unique_ptr<ReadingMaker>, 2> makers_;
    std::array<Made, 2> made_;
    bool noSecondAnalyser_ = false;  // MeCab made no second analyser: one thread reads
};

}  // namespace card
