// SPDX-License-Identifier: MIT
#include "HitRule.h"

#include "ShiftJis.h"

namespace card {

bool matchesAsTyped(std::string_view field, std::string_view text, search_mode mode)
{
    switch (mode) {
    case search_mode::Exact: return sjis::matchesAt(field, 0, text, true);
    case search_mode::Prefix: return sjis::matchesAt(field, 0, text, false);
    case search_mode::Partial: return sjis::find(field, text) != std::string_view::npos;
    default: return false;
    }
}

}  // namespace card
