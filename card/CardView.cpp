// SPDX-License-Identifier: MIT
#include "CardView.h"

namespace card {

CardView::CardView(const Card& card)
    : name(card.name), type(card.type), note(card.note), illust(card.illust), rate(card.rate)
{
    for (int i = 0; i < Card::kTextLines; ++i)
        text[i] = card.text[i];
}

Card CardView::toCard() const
{
    Card card;
    card.name = name;
    card.type = type;
    for (int i = 0; i < Card::kTextLines; ++i)
        card.text[i] = text[i];
    card.note = note;
    card.illust = illust;
    card.rate = rate;
    return card;
}

std::string_view CardView::field(search_type n) const
{
    switch (n) {
    case search_type::Name: return name;
    case search_type::Type: return type;
    case search_type::Rate: return rate;
    }
    return {};
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
