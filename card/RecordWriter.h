// SPDX-License-Identifier: MIT
#pragma once

#include "Card.h"
#include "CardView.h"

#include <string>

namespace card {

// Appends `card` to `out` as a record of the data-file format: name, type,
// the rules-text lines, an empty line when there are fewer than five, note,
// illust, rate and "--", each ended by a line feed. Read back with
// Card::read, the text gives the same card, also for fields that an
// overlong line or a trailing CR made.
void appendRecord(std::string& out, const Card& card);
void appendRecord(std::string& out, const CardView& card);

}  // namespace card
