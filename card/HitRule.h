// SPDX-License-Identifier: MIT
#pragma once

#include "CardView.h"
#include "SearchMode.h"

#include <string_view>

namespace card {

// Whether `field` matches `text` by `mode` as typed, ignoring only the case
// of A-Z: equal (Exact), beginning with it (Prefix) or holding it from a
// character's start (Partial). A mode outside the three matches nothing.
bool matchesAsTyped(std::string_view field, std::string_view text, search_mode mode);

// The search's one hit rule: (a name given and the card's name matches it,
// or a type given and the card's type matches it) and (no rarity given, or
// the card's rarity matches it exactly). `matches(field, text, mode)`
// compares a card's field with a criteria text, plain or folded.
template <typename Text, typename Matches>
bool isHit(const CardView& card, const Text& name, const Text& type, const Text& rate, search_mode mode,
           Matches&& matches)
{
    bool result = false;
    if (!name.empty())
        result = matches(card.name, name, mode);
    if (!type.empty())
        result = result || matches(card.type, type, mode);
    if (!rate.empty())
        result = result && matches(card.rate, rate, search_mode::Exact);
    return result;
}

}  // namespace card
