#include "SearchCriteria.h"

#include "FoldedSearch.h"
#include "ShiftJis.h"

namespace {

// The tests of Card::match, fmatch and pmatch on a field of a card view.
bool fieldMatches(const card::CardView& card, search_type field, const std::string& text, int mode)
{
    switch (mode) {
    case Exact: return sjis::matchesAt(card.field(field), 0, text, true);
    case Prefix: return sjis::matchesAt(card.field(field), 0, text, false);
    case Partial: return sjis::find(card.field(field), text) != std::string_view::npos;
    default: return false;
    }
}

}  // namespace

bool SearchCriteria::accepts(const Card& card) const
{
    return accepts(card::CardView(card));
}

bool SearchCriteria::acceptsAsTyped(const Card& card) const
{
    return acceptsAsTyped(card::CardView(card));
}

bool SearchCriteria::accepts(const card::CardView& card) const
{
    return fold ? FoldedSearch(*this).accepts(card) : acceptsAsTyped(card);
}

bool SearchCriteria::acceptsAsTyped(const card::CardView& card) const
{
    bool result = false;
    if (!name.empty())
        result = fieldMatches(card, Name, name, mode);
    if (!type.empty())
        result = result || fieldMatches(card, Type, type, mode);
    if (!rate.empty())
        result = result && fieldMatches(card, Rate, rate, Exact);
    return result;
}
