// SPDX-License-Identifier: MIT
#pragma once

#include "CommandLine.h"

#include <cstdint>
#include <vector>

namespace card {
class CardStore;
class TextReadings;
}  // namespace card

// The order --sort prints the listed cards in: the window's order of that
// column, by reading where `readings` is given, ties in file order.
class ListOrder {
public:
    // The indices of `cards` among `among` (ascending), sorted by `column`.
    static std::vector<std::uint32_t> sorted(const card::CardStore& cards, std::vector<std::uint32_t> among,
                                             CommandLine::Sort column, const card::TextReadings* readings);
};
