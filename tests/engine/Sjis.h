// SPDX-License-Identifier: MIT
#pragma once

#include "Cp932Converter.h"

#include <string>

// A UTF-8 text as the Shift-JIS (CP932) bytes of the card files.
inline std::string sjis(const std::string& utf8) { return card::Cp932Converter().fromUtf8(utf8).value(); }
