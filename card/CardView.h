// SPDX-License-Identifier: MIT
#pragma once

#include "Card.h"
#include "CardLayout.h"
#include "SearchType.h"

#include <array>
#include <string>
#include <string_view>

namespace card {

// One card's ten fields as views of bytes held elsewhere: a card of the
// store, or a Card. Valid as long as what it looks at.
struct CardView {
    std::string_view name;
    std::string_view type;
    std::array<std::string_view, Card::kTextLines> text;  // the first empty entry ends the rules text
    std::string_view note;
    std::string_view illust;
    std::string_view rate;

    CardView() = default;
    explicit CardView(const Card& card);

    // An owned copy, for whoever keeps or edits the card.
    Card toCard() const;
    // The field that `n` names; empty for any other value.
    std::string_view field(search_type n) const;
    std::string_view field(Field f) const { return fieldOf(*this, f); }
    std::string_view& field(Field f) { return fieldOf(*this, f); }
    // Appends the list line: the list's columns joined by tabs.
    void appendListLine(std::string& out) const;
};

}  // namespace card
