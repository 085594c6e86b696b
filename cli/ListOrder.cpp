// SPDX-License-Identifier: MIT
#include "ListOrder.h"

#include "CardLayout.h"
#include "CardStore.h"
#include "ReadingOrder.h"

#include <algorithm>

namespace {

card::Field fieldOf(CommandLine::Sort column)
{
    switch (column) {
    case CommandLine::Sort::Name: return card::Field::Name;
    case CommandLine::Sort::Type: return card::Field::Type;
    case CommandLine::Sort::Illust: return card::Field::Illust;
    case CommandLine::Sort::Rate: break;
    }
    return card::Field::Rate;
}

// The rarities the search offers first, in their order, as the window sorts them.
char rarityRank(std::string_view rate)
{
    return char(std::find(card::kRarityNames.begin(), card::kRarityNames.end(), rate) - card::kRarityNames.begin());
}

}  // namespace

std::vector<std::uint32_t> ListOrder::sorted(const card::CardStore& cards, std::vector<std::uint32_t> among,
                                             CommandLine::Sort column, const card::TextReadings* readings)
{
    const card::Field field = fieldOf(column);
    const bool byRarity = column == CommandLine::Sort::Rate;
    std::vector<std::string> keys(among.size());
    card::textfold::FoldedText buffer;
    for (std::size_t i = 0; i < among.size(); ++i) {
        const std::string_view text = cards[among[i]].field(field);
        if (byRarity)
            keys[i] += rarityRank(text);
        card::readingorder::appendTextKey(text, byRarity ? nullptr : readings, keys[i], buffer);
    }
    std::vector<std::uint32_t> order(among.size());
    for (std::uint32_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&keys](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
    for (std::uint32_t& i : order)
        i = among[i];
    return order;
}
