// SPDX-License-Identifier: MIT
#include "SearchCriteria.h"

#include "Cp932Converter.h"
#include "FoldedSearch.h"
#include "HitRule.h"
#include "ShiftJis.h"
#include "TextFold.h"

namespace card {

std::optional<std::string> searchTextFromUtf8(std::string_view utf8, bool fold)
{
    std::optional<std::string> bytes =
        Cp932Converter().fromUtf8(fold ? textfold::withKatakanaForMissingHiragana(utf8) : std::string(utf8));
    if (bytes)
        bytes->resize(sjis::truncateToBytes(*bytes, kMaxSearchTextBytes).size());
    return bytes;
}

bool SearchCriteria::accepts(const Card& card) const
{
    return accepts(CardView(card));
}

bool SearchCriteria::acceptsAsTyped(const Card& card) const
{
    return acceptsAsTyped(CardView(card));
}

bool SearchCriteria::accepts(const CardView& card) const
{
    return fold ? FoldedSearch(*this).accepts(card) : acceptsAsTyped(card);
}

bool SearchCriteria::acceptsAsTyped(const CardView& card) const
{
    return isHit(card, name, type, rate, mode, [](std::string_view field, const std::string& text, search_mode how) {
        return matchesAsTyped(field, text, how);
    });
}

}  // namespace card
