// SPDX-License-Identifier: MIT
#pragma once

#include "CardStore.h"
#include "CardView.h"

#include <cstddef>
#include <string_view>

namespace card {

// Where the list commands put the cards they list, line i showing card i:
// the window's card list, which reads each field from the store, and the
// command-line finder, which prints the list line.
class CardListOutput {
public:
    virtual ~CardListOutput() = default;
    virtual void resetContent() = 0;                 // remove every line
    virtual void addCard(const CardView& card) = 0;  // append the card's line at the end
    virtual void selectFirstLine() = 0;              // select line 0; an empty list keeps none
    virtual void setRedraw(bool on) = 0;             // suspend or resume repainting
    // Whether the output prints whole records: a card read in place then
    // comes to addRecord with its record's bytes as they lie in the file,
    // when those are the record as written (RecordReader::recordBytes).
    virtual bool printsRecords() const { return false; }
    virtual void addRecord(const CardView& card, std::string_view) { addCard(card); }
    // Appends the lines of the cards of `cards` from `first` on, which a
    // reading on two threads put there at once.
    virtual void addCards(const CardStore& cards, std::size_t first)
    {
        for (std::size_t i = first; i < cards.size(); ++i)
            addCard(cards[i]);
    }
};

}  // namespace card
