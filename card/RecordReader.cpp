// SPDX-License-Identifier: MIT
#include "RecordReader.h"

namespace card {

bool RecordReader::nextLine(std::string_view& line, RecordTrace* trace, bool first)
{
    do {
        if (!file_.nextPiece(line))
            return false;
        if (!line.empty() && line.back() == '\n')
            line.remove_suffix(1);
    } while (!line.empty() && line[0] == '#');
    if (trace)
        trace->take(file_.lineNumber(), first, line.empty());
    return true;
}

// Each line is stored before the next is read: the view points into the
// file's buffer, which the next read may refill.
int RecordReader::read(CardStore& store, RecordTrace* trace)
{
    if (trace)
        *trace = RecordTrace{};
    store.beginCard();
    std::string_view line;
    for (bool first : {true, false}) {  // name, type
        if (!nextLine(line, trace, first))
            return 1;
        store.addField(line);
    }
    int i = 0;
    for (; i < Card::kTextLines; ++i) {
        if (!nextLine(line, trace, false))
            return 1;
        if (line.empty())
            break;
        store.addField(line);
    }
    for (; i < Card::kTextLines; ++i)
        store.addField({});
    for (int field = 0; field < 3; ++field) {  // note, illust, rate
        if (!nextLine(line, trace, false))
            return 1;
        store.addField(line);
    }
    if (!nextLine(line, trace, false))
        return 1;
    return closingLineResult(line, trace);
}

}  // namespace card
