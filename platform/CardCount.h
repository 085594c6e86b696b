// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <cstddef>

// "1,234枚": a number of cards, its digits grouped by thousands as a
// Japanese reader expects.
QString cardCount(std::size_t count);
// "1,000": the thousands grouped as the Japanese locale groups them.
QString groupedNumber(std::size_t number);
