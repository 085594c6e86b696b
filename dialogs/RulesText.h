// SPDX-License-Identifier: MIT
#pragma once

#include "Card.h"

#include <string>

// The detail dialog's rules text: the five text entries of `card`, each
// followed by CR LF, so the text always holds exactly five line breaks and
// ends with one. Sized from the lines themselves: five lines of 255 bytes
// come out whole.
std::string composeRulesText(const card::Card& card);
