// SPDX-License-Identifier: MIT
#pragma once

#include "Card.h"
#include "CardView.h"
#include "SearchMode.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace card {

// The search criteria, always copied together in this order.
// What a search without a name and a type tells the user (UTF-8).
inline constexpr const char* kNoTextHint = "カード名称かカード種類を入れてください";

// The longest search text in bytes: a record line's, so that an exact
// search can still hit.
inline constexpr std::size_t kMaxSearchTextBytes = 254;

// A text typed for a search (UTF-8) as the CP932 bytes it searches for, cut
// to kMaxSearchTextBytes without splitting a character; a folded search
// takes a hiragana that CP932 lacks as the katakana it folds to. nullopt
// when the text is no UTF-8 or holds a character CP932 cannot hold: never a
// substitute that could match some other card. The search dialog and
// voxtarn-find both take their texts through it.
std::optional<std::string> searchTextFromUtf8(std::string_view utf8, bool fold);

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
