// SPDX-License-Identifier: MIT
#include "Card.h"

#include "HitRule.h"
#include "RecordRules.h"
#include "ShiftJis.h"

namespace card {

namespace {

// A data file as the record rules read it: each piece in a string of its
// own, whose view lasts until the next piece.
struct PieceSource {
    DataFile& file;
    std::string piece;

    bool nextPiece(std::string_view& view)
    {
        if (!file.readPiece(piece))
            return false;
        view = piece;
        return true;
    }
    long lineNumber() const { return file.lineNumber(); }
};

const std::string& emptyString()
{
    static const std::string empty;
    return empty;
}

}  // namespace

Card::Card(const Card& other)
{
    *this = other;
}

// Copies the rules text up to its first empty entry only; the invariant says
// nothing stands after it, and the entries after it end up empty either way.
Card& Card::operator=(const Card& other)
{
    if (this == &other)
        return *this;
    bool textEnded = false;
    for (int f = 0; f < kFieldCount; ++f) {
        const std::string& from = fieldOf(other, Field(f));
        textEnded = textEnded || (isTextField(Field(f)) && from.empty());
        if (textEnded && isTextField(Field(f)))
            field(Field(f)).clear();
        else
            field(Field(f)) = from;
    }
    return *this;
}

int readline(DataFile& file, std::string& line)
{
    PieceSource source{file, {}};
    std::string_view view;
    if (!records::nextLine(source, view))
        return 1;
    line = view;
    return 0;
}

int Card::read(DataFile& file, RecordTrace* trace)
{
    PieceSource source{file, {}};
    return records::readRecord(
        source, [this](Field field, std::string_view line) { this->field(field).assign(line); }, trace);
}

std::string& Card::field(Field f)
{
    return fieldOf(*this, f);
}

int closingLineResult(std::string_view line, RecordTrace* trace)
{
    if (line == "--")
        return 0;
    if (trace)
        trace->closedByDashes = line.starts_with("--");
    return -1;
}

const std::string& Card::getmatchstr(search_type n) const
{
    return isSearchedField(n) ? fieldOf(*this, kSearchedFields[std::size_t(n)]) : emptyString();
}

int Card::match(search_type n, const std::string& text) const
{
    return matchesAsTyped(getmatchstr(n), text, search_mode::Exact) ? 1 : 0;
}

int Card::fmatch(search_type n, const std::string& text) const
{
    return matchesAsTyped(getmatchstr(n), text, search_mode::Prefix) ? 1 : 0;
}

int Card::pmatch(search_type n, const std::string& text) const
{
    return strifind(getmatchstr(n), text);
}

int strifind(const std::string& str, const std::string& text)
{
    std::size_t at = sjis::find(str, text);
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

}  // namespace card
