// SPDX-License-Identifier: MIT
#pragma once

#include "Card.h"

#include <string>

namespace card {

// One line of a deck as the player wrote it. Every line is kept, in its
// place, so that saving a deck written by hand loses nothing: what is
// written back is `text`, which the program rewrites only for a card it
// found or whose count changed.
struct DeckLine {
    enum class Kind {
        Blank,       // nothing but spaces
        Memo,        // begins with '#': the deck's memo
        Section,     // [Corporate], [Runner] (any case), [コーポ], [ランナー]
        Card,        // a count and a name
        Unreadable,  // none of these: kept as it was, counted nowhere
    };
    static constexpr int kMaxCount = 99;

    Kind kind = Kind::Blank;
    std::string text;  // the line without its end, UTF-8
    // The side whose section the line stands in (of a Section line, the
    // side it names); -1 before any section.
    int section = -1;
    long lineNumber = 0;  // 1-based line of the text read; 0 for one added

    // A Card line: the count (1 to kMaxCount) and the name as written, or
    // the card's own name once it was found.
    int count = 0;
    std::string name;

    // What the lookup found: the card's side (-1 when no card of the data
    // folder has the name), its whole record, and whether only the kana and
    // width folding matched it.
    int side = -1;
    Card card;
    bool byFolding = false;

    bool found() const { return kind == Kind::Card && side >= 0; }
};

}  // namespace card
