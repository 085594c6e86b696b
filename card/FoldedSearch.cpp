// SPDX-License-Identifier: MIT
#include "FoldedSearch.h"

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
    bool result = false;
    if (!name_.empty())
        result = fieldMatches(card.name, name_, mode_);
    if (!type_.empty())
        result = result || fieldMatches(card.type, type_, mode_);
    if (!rate_.empty())
        result = result && fieldMatches(card.rate, rate_, search_mode::Exact);
    return result;
}

bool FoldedSearch::fieldMatches(std::string_view field, const textfold::FoldedText& text, search_mode mode)
{
    textfold::fold(field, field_);
    return textfold::matches(field_, text, mode);
}

}  // namespace card
