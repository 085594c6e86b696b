// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <cstddef>

// "1,234枚": a number of cards, its digits grouped by thousands as a
// Japanese reader expects.
QString cardCount(std::size_t count);
