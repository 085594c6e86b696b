#include "RecordWriter.h"

#include "DataFile.h"

namespace {

void appendLine(std::string& out, const std::string& field)
{
    out += field;
    // A field of a whole piece came from an overlong line that the reader
    // split there; without a line feed it is split at the same byte again,
    // where a line feed would add an empty line and shift every later field.
    if (field.size() >= DataFile::kMaxPiece)
        return;
    // A field that ends in CR: text mode drops a CR before LF, so give it
    // a second CR to drop and keep the field's own.
    if (!field.empty() && field.back() == '\r')
        out += '\r';
    out += '\n';
}

}  // namespace

void appendRecord(std::string& out, const Card& card)
{
    appendLine(out, card.name);
    appendLine(out, card.type);
    int lines = 0;
    while (lines < Card::kTextLines && !card.text[lines].empty())
        appendLine(out, card.text[lines++]);
    if (lines < Card::kTextLines)
        out += '\n';
    appendLine(out, card.note);
    appendLine(out, card.illust);
    appendLine(out, card.rate);
    out += "--\n";
}
