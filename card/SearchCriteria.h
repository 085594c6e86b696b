#pragma once

#include "Card.h"
#include "SearchMode.h"

#include <string>

// The five search criteria, always copied together in this order.
struct SearchCriteria {
    std::string name;   // card-name text (Shift-JIS); empty: not used
    std::string type;   // card-type text; empty: not used
    std::string rate;   // rarity text; empty: any rarity
    int side = 0;       // 0 Corporate, 1 Runner
    int mode = Exact;   // a search_mode

    // A hit: (name given and the card's name matches it, or type given and
    // the card's type matches it) and (no rate given, or the rate equals it).
    bool accepts(const Card& card) const;

    bool operator==(const SearchCriteria&) const = default;
};
