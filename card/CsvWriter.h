// SPDX-License-Identifier: MIT
#pragma once

#include "CardView.h"
#include "Cp932Converter.h"

#include <string>
#include <string_view>

namespace card {

class Deck;
struct DeckLine;

// Cards as a spreadsheet file: UTF-8 with the byte order mark (spreadsheet
// programs on Windows take a file without it for the system's code page),
// CR LF line ends, a field quoted when it holds a comma, a quote or a line
// end, and a field a spreadsheet would run as a formula made plain text by
// a leading apostrophe. The window's export and voxtarn-find --format csv
// both write through it, so their files are the same byte for byte.
class CsvWriter {
public:
    static constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

    // The mark and the header row of a card list: the ten fields.
    static std::string cardHeader();
    // The mark and the header row of a deck: 枚数 and side before the ten.
    static std::string deckHeader();

    // The row of a card, its fields read as CP932.
    void appendCard(std::string& out, const CardView& card);
    // The row of a deck's card line: count, side, the card's fields; a name
    // not found in the data has only count and name.
    void appendDeckLine(std::string& out, const DeckLine& line);

    // The whole file of a deck: the header, then each card line in the
    // deck's order, two lines of the same card merged.
    std::string deck(Deck deck);

    // One UTF-8 field as the file holds it, without the separator.
    static void appendField(std::string& out, std::string_view utf8);
    // Whether a spreadsheet would take `text` for a formula.
    static bool readsAsFormula(std::string_view text);

private:
    void appendCardFields(std::string& out, const CardView& card);

    Cp932Converter converter_;
};

}  // namespace card
