// SPDX-License-Identifier: MIT
#pragma once

#include "Card.h"
#include "CardView.h"
#include "SearchMode.h"

#include <string>

namespace card {

// The search criteria, always copied together in this order.
// What a search without a name and a type tells the user (UTF-8).
inline constexpr const char* kNoTextHint = "カード名称かカード種類を入れてください";

struct SearchCriteria {
    std::string name;  // card-name text (Shift-JIS); empty: not used
    std::string type;  // card-type text; empty: not used
    std::string rate;  // rarity text; empty: any rarity
    int side = 0;      // 0 Corporate, 1 Runner
    search_mode mode = search_mode::Exact;
    bool fold = false;  // kana and character width folded (TextFold.h) in all three texts

    // A hit: (name given and the card's name matches it, or type given and
    // the card's type matches it) and (no rate given, or the rate equals it).
    // A search over many cards with `fold` prepares a FoldedSearch once instead.
    bool accepts(const Card& card) const;
    // The same test without folding, whatever `fold` says: the search's
    // plain path, exactly as it was before folding existed.
    bool acceptsAsTyped(const Card& card) const;
    // The same tests on a card of the store.
    bool accepts(const CardView& card) const;
    bool acceptsAsTyped(const CardView& card) const;

    // Neither a name nor a type: nothing can be a hit, and the user is
    // asked for one of them (kNoTextHint).
    bool lacksText() const { return name.empty() && type.empty(); }

    bool operator==(const SearchCriteria&) const = default;
};

}  // namespace card
