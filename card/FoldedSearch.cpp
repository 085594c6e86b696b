// SPDX-License-Identifier: MIT
#include "FoldedSearch.h"

#include "HitRule.h"

namespace card {

FoldedSearch::FoldedSearch(const SearchCriteria& criteria) : mode_(criteria.mode)
{
    textfold::fold(criteria.name, name_);
    textfold::fold(criteria.type, type_);
    textfold::fold(criteria.rate, rate_);
}

// A text folds to no character only when it is empty.
bool FoldedSearch::accepts(const CardView& card)
{
    return isHit(card, name_, type_, rate_, mode_,
                 [this](std::string_view field, const textfold::FoldedText& text, search_mode mode) {
                     return fieldMatches(field, text, mode);
                 });
}

bool FoldedSearch::fieldMatches(std::string_view field, const textfold::FoldedText& text, search_mode mode)
{
    textfold::fold(field, field_);
    return textfold::matches(field_, text, mode);
}

}  // namespace card
