// SPDX-License-Identifier: MIT
#pragma once

#include "CardLayout.h"
#include "DataFile.h"
#include "SearchType.h"

#include <array>
#include <string>
#include <string_view>

namespace card {

// Where the last record read stood in its file, for error messages.
struct RecordTrace {
    long firstLine = 0;           // physical line of the record's first line
    long lastLine = 0;            // physical line of the last line taken
    bool hasContent = false;      // some line of the record was not empty
    bool closedByDashes = false;  // a wrong closing line began with "--" ("-- ", "---")
    long longLine = 0;            // the first line over 254 bytes, read in pieces

    // Notes the record's line `line` just taken, its first when `first`. A
    // line taken twice came in two pieces: it was too long.
    void take(long line, bool first, bool empty)
    {
        if (line == lastLine && longLine == 0)
            longLine = line;
        lastLine = line;
        if (first)
            firstLine = line;
        hasContent = hasContent || !empty;
    }
};

// One card of the game as a side's data file holds it. Every field keeps
// the file's Shift-JIS bytes unchanged.
class Card {
public:
    static constexpr int kTextLines = card::kTextLines;

    std::string name;
    std::string type;
    std::array<std::string, kTextLines> text;  // rules text; the first empty entry ends it
    std::string note;
    std::string illust;
    std::string rate;

    Card() = default;
    Card(const Card& other);
    Card& operator=(const Card& other);
    Card(Card&&) noexcept = default;
    Card& operator=(Card&&) noexcept = default;
    ~Card() = default;

    // Reads the next record: 0 for a card, 1 when the file ended before a
    // record was complete, -1 when the line after `rate` was not "--".
    int read(DataFile& file, RecordTrace* trace = nullptr);

    // The field that `f` names.
    std::string& field(Field f);
    // The field that `n` names; empty for any other value.
    const std::string& getmatchstr(search_type n) const;
    // 1 when the field equals `text`, ignoring the case of A-Z.
    int match(search_type n, const std::string& text) const;
    // 1 when the field begins with `text`, ignoring the case of A-Z.
    int fmatch(search_type n, const std::string& text) const;
    // 1-based byte position of the first occurrence of `text`, or 0.
    int pmatch(search_type n, const std::string& text) const;
};

// What a record's closing line makes of it: 0 for "--", else -1, noted in
// `trace` when given.
int closingLineResult(std::string_view line, RecordTrace* trace);

// Puts the next line that is no comment into `line` without its line
// feed: 0, or 1 at the end of the file.
int readline(DataFile& file, std::string& line);

// 1-based byte position of the first occurrence of `text` in `str`
// ignoring the case of A-Z, or 0.
int strifind(const std::string& str, const std::string& text);

}  // namespace card
