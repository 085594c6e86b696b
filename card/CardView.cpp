// SPDX-License-Identifier: MIT
#include "CardView.h"

namespace card {

CardView::CardView(const Card& card)
{
    for (int f = 0; f < kFieldCount; ++f)
        field(Field(f)) = fieldOf(card, Field(f));
}

Card CardView::toCard() const
{
    Card card;
    for (int f = 0; f < kFieldCount; ++f)
        card.field(Field(f)) = field(Field(f));
    return card;
}

std::string_view CardView::field(search_type n) const
{
    return isSearchedField(n) ? field(kSearchedFields[std::size_t(n)]) : std::string_view{};
}

void CardView::appendListLine(std::string& out) const
{
    for (const ListColumn& column : kListColumns) {
        if (&column != &kListColumns.front())
            out += '\t';
        out += field(column.field);
    }
}

}  // namespace card
