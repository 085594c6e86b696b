#include "SearchCriteria.h"

#include "FoldedSearch.h"

namespace card {

namespace {

bool fieldMatches(const Card& card, search_type field, const std::string& text, search_mode mode)
{
    switch (mode) {
    case search_mode::Exact: return card.match(field, text) != 0;
    case search_mode::Prefix: return card.fmatch(field, text) != 0;
    case search_mode::Partial: return card.pmatch(field, text) != 0;
    default: return false;
    }
}

}  // namespace

bool SearchCriteria::accepts(const Card& card) const
{
    return fold ? FoldedSearch::acceptsOnce(*this, card) : acceptsAsTyped(card);
}

bool SearchCriteria::acceptsAsTyped(const Card& card) const
{
    bool result = false;
    if (!name.empty())
        result = fieldMatches(card, search_type::Name, name, mode);
    if (!type.empty())
        result = result || fieldMatches(card, search_type::Type, type, mode);
    if (!rate.empty())
        result = result && card.match(search_type::Rate, rate) != 0;
    return result;
}

}  // namespace card
