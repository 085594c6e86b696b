// SPDX-License-Identifier: MIT
#include "FilterText.h"

#include "Cp932Converter.h"
#include "TextFold.h"
#include "Utf8Sequence.h"

#include <array>
#include <optional>
#include <tuple>
#include <utility>

namespace card {

namespace {

constexpr std::string_view kIdeographicSpace = "\u3000";
constexpr std::string_view kFullWidthColon = "\uFF1A";

// The length of the separator at `at`, or 0.
std::size_t separatorAt(std::string_view text, std::size_t at)
{
    if (text[at] == ' ' || text[at] == '\t')
        return 1;
    return text.substr(at).starts_with(kIdeographicSpace) ? kIdeographicSpace.size() : 0;
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

// The fields a prefix at the start of `word` names, and the word without
// it; all fields and the word itself when it has none.
std::pair<FieldMask, std::string_view> splitPrefix(std::string_view word)
{
    for (const Prefix& prefix : kPrefixes) {
        std::size_t head = 0;
        if (!word.empty() && (word[0] | 0x20) == prefix.letter[0])
            head = 1;
        else if (word.starts_with(prefix.kanji))
            head = prefix.kanji.size();
        if (head == 0)
            continue;
        const std::string_view rest = word.substr(head);
        if (rest.starts_with(':'))
            return {prefix.fields, rest.substr(1)};
        if (rest.starts_with(kFullWidthColon))
            return {prefix.fields, rest.substr(kFullWidthColon.size())};
    }
    return {filterfields::kAll, word};
}

}  // namespace

FilterText::FilterText(std::string_view typed, bool fold, Cp932Converter& converter) : fold_(fold)
{
    std::size_t at = 0;
    while (at < typed.size()) {
        if (const std::size_t separator = separatorAt(typed, at)) {
            at += separator;
            continue;
        }
        if (typed[at] == '"') {
            const std::size_t close = typed.find('"', at + 1);
            const std::size_t end = close == std::string_view::npos ? typed.size() : close;
            addWord(typed.substr(at + 1, end - at - 1), true, converter);
            at = close == std::string_view::npos ? end : close + 1;
            continue;
        }
        std::size_t end = at;
        while (end < typed.size() && separatorAt(typed, end) == 0)
            ++end;
        addWord(typed.substr(at, end - at), false, converter);
        at = end;
    }
}

void FilterText::addWord(std::string_view word, bool quoted, Cp932Converter& converter)
{
    FilterWord parsed;
    if (!quoted) {
        parsed.exclude = word.size() > 1 && word[0] == '-';
        std::tie(parsed.fields, word) = splitPrefix(word.substr(parsed.exclude ? 1 : 0));
    }
    if (word.empty())
        return;
    const std::string typedText = fold_ ? textfold::withKatakanaForMissingHiragana(word) : std::string(word);
    std::optional<std::string> bytes = converter.fromUtf8(typedText);
    if (!bytes) {
        noteUnholdable(typedText, converter);
        if (parsed.exclude)
            return;  // no card holds it: it excludes nothing
        parsed.holdable = false;
    } else {
        parsed.text = std::move(*bytes);
    }
    words_.push_back(std::move(parsed));
}

void FilterText::noteUnholdable(std::string_view utf8, Cp932Converter& converter)
{
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t valid = utf8::characterAt(utf8, at);
        const std::size_t length = std::min(valid ? valid : utf8::leadLength(static_cast<unsigned char>(utf8[at])),
                                            utf8.size() - at);
        const std::string_view character = utf8.substr(at, length);
        at += length;
        if (converter.fromUtf8(character))
            continue;
        const std::string shown = valid ? std::string(character) : "\uFFFD";
        if (unholdable_.find(shown) == std::string::npos)
            unholdable_ += shown;
    }
}

}  // namespace card
