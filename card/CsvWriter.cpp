// SPDX-License-Identifier: MIT
#include "CsvWriter.h"

#include "CardLayout.h"
#include "Deck.h"

#include <algorithm>

namespace card {
namespace {

constexpr std::string_view kRowEnd = "\r\n";
constexpr std::string_view kSideNames[kSideCount] = {"Corporate", "Runner"};

void appendHeaderFields(std::string& out)
{
    for (std::string_view label : kFieldLabels) {
        if (label != kFieldLabels.front())
            out += ',';
        out += label;
    }
}

// A sign followed by a plain number ("-1", "+2.5") is a number to a
// spreadsheet, a sign followed by a space ("- 3: 追跡") text.
bool isPlainNumber(std::string_view text)
{
    if (text.empty() || text.front() == '.' || text.back() == '.')
        return false;
    return std::ranges::all_of(text, [](char c) { return (c >= '0' && c <= '9') || c == '.'; }) &&
           std::ranges::count(text, '.') <= 1;
}

}  // namespace

std::string CsvWriter::cardHeader()
{
    std::string out(kByteOrderMark);
    appendHeaderFields(out);
    out += kRowEnd;
    return out;
}

std::string CsvWriter::deckHeader()
{
    std::string out(kByteOrderMark);
    out += "枚数,サイド,";
    appendHeaderFields(out);
    out += kRowEnd;
    return out;
}

void CsvWriter::appendCard(std::string& out, const CardView& card)
{
    appendCardFields(out, card);
    out += kRowEnd;
}

void CsvWriter::appendDeckLine(std::string& out, const DeckLine& line)
{
    out += std::to_string(line.count);
    out += ',';
    if (line.found()) {
        out += kSideNames[line.side];
        out += ',';
        appendCardFields(out, CardView(line.card));
    } else {
        // The name as the player wrote it, the other fields empty so that
        // every row has the same columns.
        out += ',';
        appendField(out, line.name);
        out.append(kFieldCount - 1, ',');
    }
    out += kRowEnd;
}

std::string CsvWriter::deck(Deck deck)
{
    deck.mergeDuplicates();
    std::string out = deckHeader();
    for (const DeckLine& line : deck.lines()) {
        if (line.kind == DeckLine::Kind::Card)
            appendDeckLine(out, line);
    }
    return out;
}

void CsvWriter::appendCardFields(std::string& out, const CardView& card)
{
    for (int f = 0; f < kFieldCount; ++f) {
        if (f > 0)
            out += ',';
        appendField(out, converter_.toUtf8(card.field(Field(f))));
    }
}

void CsvWriter::appendField(std::string& out, std::string_view utf8)
{
    const bool guard = readsAsFormula(utf8);
    const bool quote = utf8.find_first_of(",\"\r\n") != std::string_view::npos;
    if (quote)
        out += '"';
    if (guard)
        out += '\'';
    for (char c : utf8) {
        if (c == '"')
            out += '"';
        out += c;
    }
    if (quote)
        out += '"';
}

bool CsvWriter::readsAsFormula(std::string_view text)
{
    if (text.empty())
        return false;
    if (text.front() == '=' || text.front() == '@')
        return true;
    if (text.front() != '+' && text.front() != '-')
        return false;
    const std::string_view rest = text.substr(1);
    return !rest.empty() && rest.front() != ' ' && !isPlainNumber(rest);
}

}  // namespace card
