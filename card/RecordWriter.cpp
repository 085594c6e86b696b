// SPDX-License-Identifier: MIT
#include "RecordWriter.h"

#include "DataFile.h"

#include <string_view>

namespace card {

namespace {

// Writes a record's lines so that Card::read gives them back unchanged.
// A line of a whole piece (255 bytes) came from an overlong line that the
// reader split there: it goes without a line feed and is split at the same
// byte again. A CR that would stand right before a line feed is doubled,
// since text mode drops one CR before LF.
class RecordLines {
public:
    explicit RecordLines(std::string& out) : out_(out) {}

    void add(std::string_view line)
    {
        if (danglingCr_ && line.empty())
            out_ += '\r';  // the previous piece's CR would meet this line feed
        out_ += line;
        const bool endsInCr = !line.empty() && line.back() == '\r';
        if (line.size() >= DataFile::kMaxPiece) {
            danglingCr_ = endsInCr;
            return;
        }
        if (endsInCr)
            out_ += '\r';
        out_ += '\n';
        danglingCr_ = false;
    }

private:
    std::string& out_;
    bool danglingCr_ = false;
};

}  // namespace

void appendRecord(std::string& out, const Card& card)
{
    appendRecord(out, CardView(card));
}

void appendRecord(std::string& out, const CardView& card)
{
    // The rules text ends at its first empty line, which the record holds
    // as an empty line; five full lines need none.
    RecordLines lines(out);
    bool textEnded = false;
    for (int f = 0; f < kFieldCount; ++f) {
        const Field field = Field(f);
        if (textEnded && isTextField(field))
            continue;
        const std::string_view line = card.field(field);
        textEnded = isTextField(field) && line.empty();
        lines.add(line);
    }
    lines.add("--");
}

}  // namespace card
