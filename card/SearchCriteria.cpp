// SPDX-License-Identifier: MIT
#include "SearchCriteria.h"

#include "Cp932Converter.h"
#include "FoldedSearch.h"
#include "ShiftJis.h"
#include "TextFold.h"

namespace card {

namespace {

// The tests of Card::match, fmatch and pmatch on a field of a card view.
bool fieldMatches(const CardView& card, search_type field, const std::string& text, search_mode mode)
{
    switch (mode) {
    case search_mode::Exact: return sjis::matchesAt(card.field(field), 0, text, true);
    case search_mode::Prefix: return sjis::matchesAt(card.field(field), 0, text, false);
    case search_mode::Partial: return sjis::find(card.field(field), text) != std::string_view::npos;
    default: return false;
    }
}

}  // namespace

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
    bool result = false;
    if (!name.empty())
        result = fieldMatches(card, search_type::Name, name, mode);
    if (!type.empty())
        result = result || fieldMatches(card, search_type::Type, type, mode);
    if (!rate.empty())
        result = result && fieldMatches(card, search_type::Rate, rate, search_mode::Exact);
    return result;
}

}  // namespace card
