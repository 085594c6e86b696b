// SPDX-License-Identifier: MIT
#pragma once

#include "Card.h"
#include "CardLayout.h"

#include <string_view>

// The rules of a data file's records, said once for both readers (Card::read
// into strings, RecordReader straight into the store). A `Source` gives
// `bool nextPiece(std::string_view&)`, a text-mode piece of at most 255
// bytes valid until the next call, and `long lineNumber() const`.
namespace card::records {

// The next line that is no comment (a first byte '#'), without its line
// feed: false at the end of the file.
template <typename Source>
bool nextLine(Source& source, std::string_view& line)
{
    do {
        if (!source.nextPiece(line))
            return false;
        if (!line.empty() && line.back() == '\n')
            line.remove_suffix(1);
    } while (!line.empty() && line[0] == '#');
    return true;
}

// Reads the next record, handing `addField(Field, std::string_view)` its ten
// fields in record order (an empty one for each rules-text line it lacks)
// as they are read: 0 for a card, 1 when the file ended before the record
// was complete, -1 when the line after the rarity was not "--". The rules
// text ends at an empty line or after kTextLines lines.
template <typename Source, typename AddField>
int readRecord(Source& source, AddField&& addField, RecordTrace* trace)
{
    if (trace)
        *trace = RecordTrace{};
    std::string_view line;
    bool first = true;
    const auto next = [&] {
        if (!nextLine(source, line))
            return false;
        if (trace)
            trace->take(source.lineNumber(), first, line.empty());
        first = false;
        return true;
    };
    for (Field field : {Field::Name, Field::Type}) {
        if (!next())
            return 1;
        addField(field, line);
    }
    int i = 0;
    for (; i < kTextLines; ++i) {
        if (!next())
            return 1;
        if (line.empty())
            break;
        addField(textField(i), line);
    }
    for (; i < kTextLines; ++i)
        addField(textField(i), std::string_view());
    for (Field field : {Field::Note, Field::Illust, Field::Rate}) {
        if (!next())
            return 1;
        addField(field, line);
    }
    if (!next())
        return 1;
    return closingLineResult(line, trace);
}

}  // namespace card::records
