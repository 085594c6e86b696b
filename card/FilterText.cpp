// SPDX-License-Identifier: MIT
#include "FilterText.h"

#include "Cp932Converter.h"
#include "KanaText.h"
#include "TextFold.h"
#include "Utf8Sequence.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace card {

namespace {

constexpr std::string_view kIdeographicSpace = "\u3000";

// The length of the separator at `at`, or 0.
std::size_t separatorAt(std::string_view text, std::size_t at)
{
    if (text[at] == ' ' || text[at] == '\t')
        return 1;
    return text.substr(at).starts_with(kIdeographicSpace) ? kIdeographicSpace.size() : 0;
}

bool separatorEndsAt(std::string_view text, std::size_t end)
{
    return end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\t' || text.substr(0, end).ends_with(kIdeographicSpace));
}

struct Prefix {
    std::string_view letter;
    std::string_view kanji;
    FieldMask fields;
};
constexpr std::array<Prefix, 5> kPrefixes{{{"n", "名", filterfields::kName},
                                           {"t", "種", filterfields::kType},
                                           {"x", "文", filterfields::kText},
                                           {"i", "絵", filterfields::kIllust},
                                           {"r", "頻", filterfields::kRate}}};

struct Operator {
    std::string_view text;
    WordTest test;
};
// The longer spellings first: ">=" is not ">" followed by "=".
constexpr std::array<Operator, 8> kOperators{{{">=", WordTest::RarityAtLeast},
                                              {"<=", WordTest::RarityAtMost},
                                              {">", WordTest::RarityAbove},
                                              {"<", WordTest::RarityBelow},
                                              {":", WordTest::Contains},
                                              {"\uFF1A", WordTest::Contains},
                                              {"=", WordTest::Equals},
                                              {"\uFF1D", WordTest::Equals}}};

bool comparesRarity(WordTest test)
{
    return test != WordTest::Contains && test != WordTest::Equals;
}

struct ParsedPrefix {
    FieldMask fields = filterfields::kAll;
    WordTest test = WordTest::Contains;
    std::size_t size = 0;  // bytes; 0: no prefix
};

// The prefix at the start of `word`, if any; the rarity alone compares.
ParsedPrefix prefixOf(std::string_view word)
{
    for (const Prefix& prefix : kPrefixes) {
        std::size_t head = 0;
        if (!word.empty() && (word[0] | 0x20) == prefix.letter[0])
            head = 1;
        else if (word.starts_with(prefix.kanji))
            head = prefix.kanji.size();
        if (head == 0)
            continue;
        for (const Operator& op : kOperators) {
            if (word.substr(head).starts_with(op.text) &&
                (!comparesRarity(op.test) || prefix.fields == filterfields::kRate))
                return {prefix.fields, op.test, head + op.text.size()};
        }
    }
    return {};
}

// The index in kRarityNames of the one rarity `typed` begins, in any case
// of A-Z; nullopt when it begins none or more than one.
std::optional<int> rarityNamed(std::string_view typed)
{
    std::optional<int> found;
    for (std::size_t i = 0; i < kRarityNames.size(); ++i) {
        const std::string_view name = kRarityNames[i];
        const bool begins = typed.size() <= name.size() && std::equal(typed.begin(), typed.end(), name.begin(), [](char a, char b) {
                                return (a | 0x20) == (b | 0x20) && ((a | 0x20) >= 'a' && (a | 0x20) <= 'z');
                            });
        if (!begins)
            continue;
        if (found)
            return std::nullopt;
        found = int(i);
    }
    return found;
}

// Whether the ")" at `close` closes a "(" of the word that starts at `from`.
bool closesInsideWord(std::string_view typed, std::size_t from, std::size_t close)
{
    int depth = 0;
    for (std::size_t i = from; i < close; ++i)
        depth += typed[i] == '(' ? 1 : typed[i] == ')' && depth > 0 ? -1 : 0;
    return depth > 0;
}

// Adds `part` to the group `to`; a group of the same kind, not turned
// round, gives its parts instead, and a group of one part is that part.
void addPart(FilterNode& to, FilterNode part)
{
    if (part.kind != FilterNode::Kind::Word && part.parts.size() == 1) {
        FilterNode only = std::move(part.parts.front());
        only.exclude = only.exclude != part.exclude;
        part = std::move(only);
    }
    if (part.kind == to.kind && !part.exclude) {
        for (FilterNode& inner : part.parts)
            to.parts.push_back(std::move(inner));
        return;
    }
    to.parts.push_back(std::move(part));
}

}  // namespace

// Cuts the text into tokens, then reads the tokens as groups.
class FilterText::Reader {
public:
    Reader(std::string_view typed, FilterText& out, Cp932Converter& converter)
        : typed_(withinMaxCharacters(typed, out.cut_)), out_(out), converter_(converter)
    {
    }

    void read()
    {
        cut();
        std::size_t next = 0;
        bool closed = false;
        FilterNode top = readSequence(next, false, closed);
        out_.root_ = FilterNode{};
        if (top.kind == FilterNode::Kind::All)
            out_.root_ = std::move(top);
        else
            out_.root_.parts.push_back(std::move(top));
    }

private:
    // The text up to its kMaxCharacters-th character; `cut` when there are more.
    static std::string_view withinMaxCharacters(std::string_view typed, bool& cut)
    {
        std::size_t characters = 0;
        for (std::size_t at = 0; at < typed.size(); ++at) {
            if ((static_cast<unsigned char>(typed[at]) & 0xC0) != 0x80 && characters++ == kMaxCharacters) {
                cut = true;
                return typed.substr(0, at);
            }
        }
        return typed;
    }

    struct Token {
        enum class Kind : std::uint8_t { Word, Open, Close, Or } kind;
        std::size_t at, size;  // bytes of the text as typed
        bool exclude = false;
        FilterWord word;
    };

    static Token token(Token::Kind kind, std::size_t at, std::size_t size, bool exclude = false)
    {
        Token made{};
        made.kind = kind;
        made.at = at;
        made.size = size;
        made.exclude = exclude;
        return made;
    }

    // Groups inside groups deeper than this are left out: the reading and
    // the test recurse into them.
    static constexpr int kMaxDepth = 32;

    void cut()
    {
        std::size_t at = 0;
        int depth = 0;
        while (at < typed_.size()) {
            if (const std::size_t separator = separatorAt(typed_, at)) {
                at += separator;
            } else if (typed_[at] == '|' || typed_[at] == ')') {
                tokens_.push_back(token(typed_[at] == '|' ? Token::Kind::Or : Token::Kind::Close, at, 1));
                depth -= typed_[at] == ')' && depth > 0 ? 1 : 0;
                ++at;
            } else if (typed_.substr(at).starts_with("(") || typed_.substr(at).starts_with("-(")) {
                const std::size_t size = typed_[at] == '(' ? 1 : 2;
                if (depth == kMaxDepth)
                    ignore(at, typed_.substr(at, size));
                else
                    tokens_.push_back(token(Token::Kind::Open, at, size, size == 2)), ++depth;
                at += size;
            } else if (standsAlone(at, 2) && typed_.substr(at, 2) == "OR") {
                tokens_.push_back(token(Token::Kind::Or, at, 2));
                at += 2;
            } else if (words_ == kMaxWords) {
                out_.cut_ = true;
                return;
            } else {
                ++words_;
                at = cutWord(at);
            }
        }
    }

    bool standsAlone(std::size_t at, std::size_t size) const
    {
        return (at == 0 || separatorEndsAt(typed_, at)) &&
               (at + size >= typed_.size() || separatorAt(typed_, at + size) != 0);
    }

    // A word: "-", a prefix, then a quoted phrase or text up to a space or
    // "|"; ")" at its end that closes no "(" of its own closes a group.
    std::size_t cutWord(const std::size_t start)
    {
        std::size_t at = start;
        const bool exclude = typed_[at] == '-' && at + 1 < typed_.size() && separatorAt(typed_, at + 1) == 0 &&
                             typed_[at + 1] != '|' && typed_[at + 1] != ')';
        at += exclude ? 1 : 0;
        const ParsedPrefix prefix = prefixOf(typed_.substr(at));
        at += prefix.size;
        std::size_t textEnd, end;
        if (at < typed_.size() && typed_[at] == '"') {
            const std::size_t close = typed_.find('"', at + 1);
            textEnd = close == std::string_view::npos ? typed_.size() : close;
            end = close == std::string_view::npos ? textEnd : close + 1;
            ++at;
        } else {
            end = at;
            while (end < typed_.size() && separatorAt(typed_, end) == 0 && typed_[end] != '|')
                ++end;
            textEnd = end;
            while (textEnd > at && typed_[textEnd - 1] == ')' && !closesInsideWord(typed_, at, textEnd - 1))
                --textEnd;
            end = textEnd;  // the ")" after it are tokens of their own
        }
        addWord(start, end, exclude, prefix, typed_.substr(at, textEnd - at));
        return end;
    }

    void addWord(std::size_t start, std::size_t end, bool exclude, const ParsedPrefix& prefix, std::string_view text)
    {
        if (text.empty())
            return;
        Token word = token(Token::Kind::Word, start, end - start, exclude);
        word.word.fields = prefix.fields;
        word.word.test = prefix.test;
        if (comparesRarity(prefix.test)) {
            const std::optional<int> rarity = rarityNamed(text);
            if (!rarity) {
                ignore(start, typed_.substr(start, end - start));
                return;
            }
            word.word.rarity = *rarity;
        } else if (!convert(text, word.word) && exclude) {
            return;  // no card holds it: it excludes nothing
        }
        tokens_.push_back(std::move(word));
    }

    bool convert(std::string_view text, FilterWord& word)
    {
        // A word of kana alone may match a reading, folded or not.
        const std::string typedText = out_.fold_ || kana::isAllKana(text) ? textfold::withKatakanaForMissingHiragana(text)
                                                                          : std::string(text);
        std::optional<std::string> bytes = converter_.fromUtf8(typedText);
        if (!bytes) {
            noteUnholdable(typedText);
            word.holdable = false;
            return false;
        }
        word.text = std::move(*bytes);
        return true;
    }

    void noteUnholdable(std::string_view utf8)
    {
        for (std::size_t at = 0; at < utf8.size();) {
            const std::size_t validLength = utf8::characterAt(utf8, at);
            const std::size_t length = std::min(
                validLength ? validLength : utf8::leadLength(static_cast<unsigned char>(utf8[at])), utf8.size() - at);
            const std::string_view character = utf8.substr(at, length);
            at += length;
            if (converter_.fromUtf8(character))
                continue;
            const bool valid = validLength != 0;
            out_.notUtf8_ = out_.notUtf8_ || !valid;
            const std::string shown = valid ? std::string(character) : "\uFFFD";
            if (out_.unholdableSeen_.insert(shown).second)
                out_.unholdable_ += shown;
        }
    }

    // The parts up to the end of the text, or of the group that `inGroup`
    // reads up to its ")".
    FilterNode readSequence(std::size_t& next, bool inGroup, bool& closed)
    {
        std::vector<FilterNode> alternatives;
        FilterNode current;
        const Token* lastOr = nullptr;
        while (next < tokens_.size()) {
            const Token& token = tokens_[next++];
            if (token.kind == Token::Kind::Word) {
                addPart(current, FilterNode{FilterNode::Kind::Word, token.exclude, token.word, {}});
            } else if (token.kind == Token::Kind::Open) {
                readGroup(token, next, current);
            } else if (token.kind == Token::Kind::Close && inGroup) {
                closed = true;
                break;
            } else if (token.kind == Token::Kind::Close || current.parts.empty()) {
                ignore(token);  // a ")" without "(", an OR with nothing before it
            } else {
                alternatives.push_back(std::exchange(current, FilterNode{}));
                lastOr = &token;
            }
        }
        if (!current.parts.empty())
            alternatives.push_back(std::move(current));
        else if (lastOr)
            ignore(*lastOr);  // nothing after it
        if (alternatives.size() <= 1)
            return alternatives.empty() ? FilterNode{} : std::move(alternatives.front());
        FilterNode any;
        any.kind = FilterNode::Kind::Any;
        for (FilterNode& alternative : alternatives)
            addPart(any, std::move(alternative));
        return any;
    }

    // A closed group without parts is said; an open one is still being typed.
    void readGroup(const Token& open, std::size_t& next, FilterNode& to)
    {
        bool closed = false;
        FilterNode group = readSequence(next, true, closed);
        group.exclude = open.exclude;
        if (!group.parts.empty())
            addPart(to, std::move(group));
        else if (closed)
            ignore(open.at, std::string(typed_.substr(open.at, open.size)) + ")");
    }

    void ignore(const Token& token) { ignore(token.at, typed_.substr(token.at, token.size)); }

    void ignore(std::size_t at, std::string_view text)
    {
        const auto character = static_cast<std::size_t>(
            std::count_if(typed_.begin(), typed_.begin() + std::ptrdiff_t(at), [](char c) { return (c & 0xC0) != 0x80; }));
        out_.ignored_.push_back({character + 1, std::string(text)});
    }

    std::string_view typed_;
    FilterText& out_;
    Cp932Converter& converter_;
    std::vector<Token> tokens_;
    std::size_t words_ = 0;  // read so far
};

FilterText::FilterText(std::string_view typed, bool fold, Cp932Converter& converter) : fold_(fold)
{
    Reader(typed, *this, converter).read();
    std::sort(ignored_.begin(), ignored_.end(),
              [](const IgnoredPiece& a, const IgnoredPiece& b) { return a.character < b.character; });
}

}  // namespace card

namespace card {

std::string FilterText::ignoredText() const
{
    std::string said;
    for (const IgnoredPiece& piece : ignored_)
        said += (said.empty() ? "" : "、") + std::to_string(piece.character) + "文字目の " + piece.text;
    return said;
}

}  // namespace card
