// SPDX-License-Identifier: MIT
#include "Card.h"

#include "HitRule.h"
#include "ShiftJis.h"

namespace card {

namespace {

// Takes the next non-comment line for `read`, keeping the trace up to date.
bool nextRecordLine(DataFile& file, std::string& line, RecordTrace* trace, bool first)
{
    if (readline(file, line) != 0)
        return false;
    if (trace)
        trace->take(file.lineNumber(), first, line.empty());
    return true;
}

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
    name = other.name;
    type = other.type;
    int i = 0;
    for (; i < kTextLines && !other.text[i].empty(); ++i)
        text[i] = other.text[i];
    for (; i < kTextLines; ++i)
        text[i].clear();
    note = other.note;
    illust = other.illust;
    rate = other.rate;
    return *this;
}

int readline(DataFile& file, std::string& line)
{
    do {
        if (!file.readPiece(line))
            return 1;
        if (!line.empty() && line.back() == '\n')
            line.pop_back();
    } while (!line.empty() && line[0] == '#');
    return 0;
}

int Card::read(DataFile& file, RecordTrace* trace)
{
    if (trace)
        *trace = RecordTrace{};
    if (!nextRecordLine(file, name, trace, true) || !nextRecordLine(file, type, trace, false))
        return 1;
    int i = 0;
    while (i < kTextLines) {
        if (!nextRecordLine(file, text[i], trace, false))
            return 1;
        if (text[i].empty())
            break;
        ++i;
    }
    for (; i < kTextLines; ++i)
        text[i].clear();
    if (!nextRecordLine(file, note, trace, false) || !nextRecordLine(file, illust, trace, false) ||
        !nextRecordLine(file, rate, trace, false))
        return 1;
    std::string terminator;
    if (!nextRecordLine(file, terminator, trace, false))
        return 1;
    return closingLineResult(terminator, trace);
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
    switch (n) {
    case search_type::Name: return name;
    case search_type::Type: return type;
    case search_type::Rate: return rate;
    }
    return emptyString();
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
