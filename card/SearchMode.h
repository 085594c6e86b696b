// SPDX-License-Identifier: MIT
#pragma once

namespace card {

// How the name and type texts of a search are compared with a card.
enum class search_mode { Exact = 0, Prefix = 1, Partial = 2 };

}  // namespace card
