// SPDX-License-Identifier: MIT
#pragma once

#include "CardView.h"

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
};

}  // namespace card
