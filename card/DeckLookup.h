// SPDX-License-Identifier: MIT
#pragma once

#include "Deck.h"
#include "EngineMessage.h"

#include <filesystem>
#include <vector>

namespace card {

// Finds the cards of a deck's lines in the data folder's files: one pass
// over each file a line needs, both files at once, comparing each record's name with the
// deck's names, no card kept but those found. A name is matched exactly
// first, then with the kana and width folding of the search (reported on
// its line). A line in a side's section is looked up in that side's file;
// a name before any section in corp.txt, then runner.txt.
class DeckLookup {
public:
    explicit DeckLookup(std::filesystem::path dataDir) : dataDir_(std::move(dataDir)) {}

    // Sets what each card line of `deck` found, a found line then holding
    // the card's own name and its count written as "3 name"; returns the
    // problems of the files read (one that could not be opened, a reading
    // that stopped at a bad record).
    std::vector<EngineMessage> lookUp(Deck& deck);

private:
    struct Wanted;
    struct Found;
    void searchSide(int side, std::vector<Wanted>& wanted, std::vector<EngineMessage>& messages);

    std::filesystem::path dataDir_;
};

}  // namespace card
