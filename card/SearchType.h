// SPDX-License-Identifier: MIT
#pragma once

namespace card {

// The field of a card that a search test looks at.
enum class search_type { Name = 0, Type = 1, Rate = 2 };

}  // namespace card
