// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

// The two borders where card text meets the screen: CP932 bytes are decoded
// when shown, and what the user types is encoded back to CP932.

// Every byte is kept: an invalid byte or a lone lead byte shows as U+FFFD.
// Decoded by the one CP932 table of card text, without the converter.
QString fromCp932(std::string_view bytes);
// The same into `text`, whose buffer a loop over many fields reuses.
void fromCp932(std::string_view bytes, QString& text);

// nullopt when CP932 cannot hold some character of `text` (an emoji, say);
// never a substitute that could match another card.
std::optional<std::string> toCp932(const QString& text);

// The UTF-8 of `text`; nullopt for a lone surrogate, which Qt would write
// as a substitute.
std::optional<std::string> exactUtf8(const QString& text);
