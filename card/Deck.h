// SPDX-License-Identifier: MIT
#pragma once

#include "DeckLine.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace card {

// A deck: the lines of its text in their order, read leniently as players
// write lists (counts as "3", "3x", "3 x", "3枚", full-width digits, or
// "x3"/"×3" after the name; sections [Corporate]/[Runner] in any case or
// [コーポ]/[ランナー]; '#' lines as the memo) and written back line by
// line, so that nothing a player wrote is lost. Names are UTF-8; DeckLookup
// finds their cards.
class Deck {
public:
    // One change: the lines [index, index + remove) replaced by `insert`.
    struct Edit {
        std::size_t index = 0;
        std::size_t remove = 0;
        std::vector<DeckLine> insert;
    };
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    // The deck of a UTF-8 text, LF or CR LF line ends.
    static Deck fromText(std::string_view utf8);
    // The deck's text: every line as `text`, each ended by LF.
    std::string toText() const;

    const std::vector<DeckLine>& lines() const { return lines_; }
    std::vector<DeckLine>& lines() { return lines_; }
    bool empty() const { return lines_.empty(); }

    // Makes the change and returns the one that undoes it.
    Edit apply(Edit edit);
    // One more copy of `card` of `side` (its name in UTF-8 as `name`): the
    // count of its line raised, or a new line at the end of the side's
    // section, with the section begun when the deck has none.
    Edit addCopyEdit(int side, const Card& card, const std::string& name) const;
    // The count of line `index` set to `count` (1 to DeckLine::kMaxCount).
    Edit setCountEdit(std::size_t index, int count) const;
    Edit removeEdit(std::size_t index) const { return {index, 1, {}}; }

    // The line of the found card of `side` named `cp932Name`, or npos.
    std::size_t findCard(int side, std::string_view cp932Name) const;
    // Copies of the found cards of `side`.
    int total(int side) const;
    // Lines that are no found card and yet no blank, memo or section line:
    // names not in the data folder and lines that could not be read.
    std::size_t notFoundCount() const;
    // Two lines of the same card become one, their counts added, while the
    // sum stays a count; the later line goes.
    void mergeDuplicates();

    // The text of a card line: "3 黒曜の城門".
    static std::string cardText(int count, const std::string& name);

private:
    std::size_t endOfSection(int side) const;

    std::vector<DeckLine> lines_;
};

}  // namespace card
