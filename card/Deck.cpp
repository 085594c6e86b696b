// SPDX-License-Identifier: MIT
#include "Deck.h"

#include <algorithm>
#include <map>
#include <utility>

namespace card {

namespace {

constexpr std::string_view kIdeographicSpace = "\u3000";
constexpr std::string_view kFullWidthZero = "\uFF10";  // ０ to ９: EF BC 90 to EF BC 99
// What may stand between a count and the name, or before a count after it.
constexpr std::string_view kCountMarks[] = {"x", "X", "\u00D7", "\uFF58", "\uFF38"};  // x X × ｘ Ｘ
constexpr std::string_view kCopiesMark = "\u679A";                                    // 枚

// Bytes of the space at `pos` (ASCII space, tab, ideographic space), or 0.
std::size_t spaceAt(std::string_view s, std::size_t pos)
{
    if (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t'))
        return 1;
    return s.substr(pos).starts_with(kIdeographicSpace) ? kIdeographicSpace.size() : 0;
}

std::size_t skipSpaces(std::string_view s, std::size_t pos)
{
    while (std::size_t length = spaceAt(s, pos))
        pos += length;
    return pos;
}

std::string_view trimmed(std::string_view s)
{
    s.remove_prefix(skipSpaces(s, 0));
    for (;;) {
        if (s.ends_with(' ') || s.ends_with('\t'))
            s.remove_suffix(1);
        else if (s.ends_with(kIdeographicSpace))
            s.remove_suffix(kIdeographicSpace.size());
        else
            return s;
    }
}

// The digit at `pos` (ASCII or full width) and its bytes, or -1.
int digitAt(std::string_view s, std::size_t pos, std::size_t& length)
{
    if (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') {
        length = 1;
        return s[pos] - '0';
    }
    const std::string_view rest = s.substr(std::min(pos, s.size()));
    if (rest.size() >= 3 && rest.substr(0, 2) == kFullWidthZero.substr(0, 2) &&
        static_cast<unsigned char>(rest[2]) >= 0x90 && static_cast<unsigned char>(rest[2]) <= 0x99) {
        length = 3;
        return static_cast<unsigned char>(rest[2]) - 0x90;
    }
    return -1;
}

// The number written at `pos` (capped far above any count) and where it
// ends; -1 when no digit stands there.
int numberAt(std::string_view s, std::size_t pos, std::size_t& end)
{
    int value = -1;
    std::size_t length = 0;
    for (int digit; (digit = digitAt(s, pos, length)) >= 0; pos += length)
        value = std::min(std::max(value, 0) * 10 + digit, 100000);
    end = pos;
    return value;
}

std::size_t countMarkAt(std::string_view s, std::size_t pos)
{
    for (std::string_view mark : kCountMarks)
        if (s.substr(pos).starts_with(mark))
            return mark.size();
    return 0;
}

// Where the digits that end `s` begin (s.size() when none do).
std::size_t trailingDigits(std::string_view s)
{
    std::size_t start = s.size();
    std::size_t length = 0;
    for (;;) {
        if (start >= 1 && digitAt(s, start - 1, length) >= 0 && length == 1)
            start -= 1;
        else if (start >= 3 && digitAt(s, start - 3, length) >= 0 && length == 3)
            start -= 3;
        else
            return start;
    }
}

// Whether `s` ends in a count written after the name ("x3", "× 3") with a
// space before it; its value and where the name ends.
bool countAfterName(std::string_view s, int& count, std::size_t& nameEnd)
{
    const std::size_t start = trailingDigits(s);
    if (start == s.size())
        return false;
    std::size_t end = 0;
    count = numberAt(s, start, end);
    const std::string_view before = trimmed(s.substr(0, start));
    for (std::string_view mark : kCountMarks) {
        if (!before.ends_with(mark))
            continue;
        const std::string_view name = s.substr(0, before.size() - mark.size());
        nameEnd = trimmed(name).size();
        return nameEnd < name.size();  // "Max3" is a name
    }
    return false;
}

// Reads a card line: true with the count and name, false when the text is
// a count with nothing after it or a count outside 1 to 99.
bool readCardLine(std::string_view text, int& count, std::string& name)
{
    std::size_t pos = 0;
    count = numberAt(text, 0, pos);
    if (count >= 0) {
        std::size_t after = skipSpaces(text, pos);
        bool separated = after > pos || after == text.size();
        if (std::size_t mark = countMarkAt(text, after)) {
            const std::size_t next = skipSpaces(text, after + mark);
            separated = next > after + mark || next == text.size();
            after = next;
        } else if (text.substr(after).starts_with(kCopiesMark)) {
            after = skipSpaces(text, after + kCopiesMark.size());
            separated = true;
        }
        if (separated) {
            name = std::string(text.substr(after));
            return !name.empty() && count >= 1 && count <= DeckLine::kMaxCount;
        }
    }
    std::size_t nameEnd = 0;
    if (countAfterName(text, count, nameEnd)) {
        name = std::string(text.substr(0, nameEnd));
        return !name.empty() && count >= 1 && count <= DeckLine::kMaxCount;
    }
    count = 1;
    name = std::string(text);
    return true;
}

std::string asciiLower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return out;
}

// The side a section line names, or -1 when the text is no known section.
int sectionSide(std::string_view text)
{
    if (!text.starts_with('[') || !text.ends_with(']'))
        return -1;
    const std::string name = asciiLower(trimmed(text.substr(1, text.size() - 2)));
    if (name == "corporate" || name == "\u30B3\u30FC\u30DD")  // コーポ
        return 0;
    if (name == "runner" || name == "\u30E9\u30F3\u30CA\u30FC")  // ランナー
        return 1;
    return -1;
}

DeckLine readLine(std::string_view raw, int section, long lineNumber)
{
    DeckLine line;
    line.text = std::string(raw);
    line.section = section;
    line.lineNumber = lineNumber;
    const std::string_view text = trimmed(raw);
    if (text.empty())
        line.kind = DeckLine::Kind::Blank;
    else if (text.starts_with('#'))
        line.kind = DeckLine::Kind::Memo;
    else if (int side = sectionSide(text); side >= 0)
        line.kind = DeckLine::Kind::Section, line.section = side;
    else if (text.starts_with('['))
        line.kind = DeckLine::Kind::Unreadable;
    else
        line.kind = readCardLine(text, line.count, line.name) ? DeckLine::Kind::Card : DeckLine::Kind::Unreadable;
    return line;
}

}  // namespace

Deck Deck::fromText(std::string_view utf8)
{
    Deck deck;
    int section = -1;
    long lineNumber = 0;
    while (!utf8.empty()) {
        const std::size_t end = std::min(utf8.find('\n'), utf8.size());
        std::string_view raw = utf8.substr(0, end);
        if (raw.ends_with('\r'))
            raw.remove_suffix(1);
        deck.lines_.push_back(readLine(raw, section, ++lineNumber));
        section = deck.lines_.back().section;
        utf8.remove_prefix(std::min(end + 1, utf8.size()));
    }
    return deck;
}

std::string Deck::toText() const
{
    std::string text;
    for (const DeckLine& line : lines_)
        (text += line.text) += '\n';
    return text;
}

std::string Deck::cardText(int count, const std::string& name)
{
    return std::to_string(count) + " " + name;
}

Deck::Edit Deck::apply(Edit edit)
{
    Edit undo{edit.index, edit.insert.size(), {}};
    const auto first = lines_.begin() + std::ptrdiff_t(edit.index);
    undo.insert.assign(std::make_move_iterator(first), std::make_move_iterator(first + std::ptrdiff_t(edit.remove)));
    const auto at = lines_.erase(first, first + std::ptrdiff_t(edit.remove));
    lines_.insert(at, std::make_move_iterator(edit.insert.begin()), std::make_move_iterator(edit.insert.end()));
    return undo;
}

std::size_t Deck::findCard(int side, std::string_view cp932Name) const
{
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].found() && lines_[i].side == side && lines_[i].card.name == cp932Name)
            return i;
    return npos;
}

// Where a new line of `side` goes: after the last line that is no blank in
// the side's section; npos when the deck has no such section.
std::size_t Deck::endOfSection(int side) const
{
    for (std::size_t i = lines_.size(); i-- > 0;)
        if (lines_[i].section == side && lines_[i].kind != DeckLine::Kind::Blank)
            return i + 1;
    return npos;
}

Deck::Edit Deck::addCopyEdit(int side, const Card& card, const std::string& name) const
{
    if (std::size_t i = findCard(side, card.name); i != npos)
        return setCountEdit(i, std::min(lines_[i].count + 1, int(DeckLine::kMaxCount)));
    DeckLine line;
    line.kind = DeckLine::Kind::Card;
    line.section = side;
    line.count = 1;
    line.name = name;
    line.text = cardText(1, name);
    line.side = side;
    line.card = card;
    Edit edit;
    edit.index = endOfSection(side);
    if (edit.index == npos) {
        // The Corporate section goes before the Runner one.
        const std::size_t runner = side == 0 ? endOfSection(1) : npos;
        edit.index = lines_.size();
        if (runner != npos)
            edit.index = std::size_t(std::find_if(lines_.begin(), lines_.end(), [](const DeckLine& l) {
                                         return l.section == 1;
                                     }) - lines_.begin());
        DeckLine header;
        header.kind = DeckLine::Kind::Section;
        header.section = side;
        header.text = side == 0 ? "[Corporate]" : "[Runner]";
        edit.insert.push_back(std::move(header));
    }
    edit.insert.push_back(std::move(line));
    return edit;
}

Deck::Edit Deck::setCountEdit(std::size_t index, int count) const
{
    DeckLine line = lines_[index];
    line.count = std::clamp(count, 1, int(DeckLine::kMaxCount));
    line.text = cardText(line.count, line.name);
    Edit edit{index, 1, {}};
    edit.insert.push_back(std::move(line));
    return edit;
}

int Deck::total(int side) const
{
    int copies = 0;
    for (const DeckLine& line : lines_)
        if (line.found() && line.side == side)
            copies += line.count;
    return copies;
}

std::size_t Deck::notFoundCount() const
{
    return std::size_t(std::count_if(lines_.begin(), lines_.end(), [](const DeckLine& line) {
        return line.kind == DeckLine::Kind::Unreadable || (line.kind == DeckLine::Kind::Card && !line.found());
    }));
}

void Deck::mergeDuplicates()
{
    std::map<std::pair<int, std::string>, std::size_t> first;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (!lines_[i].found())
            continue;
        auto [at, isNew] = first.try_emplace({lines_[i].side, lines_[i].card.name}, i);
        DeckLine& kept = lines_[at->second];
        if (isNew || kept.count + lines_[i].count > DeckLine::kMaxCount)
            continue;
        kept.count += lines_[i].count;
        kept.text = cardText(kept.count, kept.name);
        lines_.erase(lines_.begin() + std::ptrdiff_t(i--));
    }
}

}  // namespace card
