// SPDX-License-Identifier: MIT
#include "RulesText.h"

namespace {
constexpr char kLineBreak[] = "\r\n";
constexpr std::size_t kLineBreakBytes = 2;
}  // namespace

std::string composeRulesText(const card::Card& card)
{
    std::size_t total = 0;
    for (const std::string& line : card.text)
        total += line.size() + kLineBreakBytes;

    std::string composed;
    composed.reserve(total);
    for (const std::string& line : card.text) {
        composed += line;
        composed += kLineBreak;
    }
    return composed;
}
