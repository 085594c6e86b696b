#include "SearchCriteria.h"

#include "FoldedSearch.h"

namespace {

bool fieldMatches(const Card& card, search_type field, const std::string& text, int mode)
{
    switch (mode) {
    case Exact: return card.match(field, text) != 0;
    case Prefix: return card.fmatch(field, text) != 0;
    case Partial: return card.pmatch(field, text) != 0;
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
        result = fieldMatches(card, Name, name, mode);
    if (!type.empty())
        result = result || fieldMatches(card, Type, type, mode);
    if (!rate.empty())
        result = result && card.match(Rate, rate) != 0;
    return result;
}
