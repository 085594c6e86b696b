// SPDX-License-Identifier: MIT
#include "ReadingCorrections.h"

#include "KanaText.h"
#include "OperatingSystem.h"
#include "Utf8Transcoder.h"
#include "Utf8Sequence.h"

#include <algorithm>

namespace card {

namespace {

std::string_view trimmed(std::string_view text, std::string_view blank = " \t\r")
{
    const std::size_t first = text.find_first_not_of(blank);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blank) - first + 1);
}

}  // namespace

ReadingCorrections::ReadingCorrections(std::string_view utf8)
{
    if (utf8.starts_with(Utf8Transcoder::kByteOrderMark))
        utf8.remove_prefix(Utf8Transcoder::kByteOrderMark.size());
    std::size_t number = 0;
    while (!utf8.empty()) {
        const std::size_t end = utf8.find('\n');
        readLine(++number, utf8.substr(0, end));
        utf8 = end == std::string_view::npos ? std::string_view{} : utf8.substr(end + 1);
    }
    // The longest word first: where two stand at the same place, the longer wins.
    std::stable_sort(words_.begin(), words_.end(),
                     [](const Word& a, const Word& b) { return a.text.size() > b.text.size(); });
}

void ReadingCorrections::readLine(std::size_t number, std::string_view line)
{
    // The tab that parts word and reading stays, even at either end.
    const std::string_view text = trimmed(line, " \r");
    if (trimmed(text).empty() || text.starts_with('#'))
        return;
    if (!utf8::isValid(text)) {
        problems_.push_back({number, "not UTF-8"});
        return;
    }
    const std::size_t tab = text.find('\t');
    if (tab == std::string_view::npos) {
        problems_.push_back({number, "no tab between the word and its reading"});
        return;
    }
    const std::string_view word = trimmed(text.substr(0, tab));
    const std::string_view kana = trimmed(text.substr(tab + 1));
    if (word.empty() || kana.empty()) {
        problems_.push_back({number, word.empty() ? "no word before the tab" : "no reading after the tab"});
        return;
    }
    if (!kana::isAllKana(kana)) {
        problems_.push_back({number, "the reading is not all kana"});
        return;
    }
    words_.push_back({std::string(word), kana::toKatakana(kana)});
}

ReadingCorrections ReadingCorrections::load(const std::filesystem::path& folder)
{
    const std::filesystem::path path = folder / std::string(kFileName);
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return {};
    // Through the engine's file access, which opens regular files only: a
    // FIFO by that name never holds the list up.
    std::string text;
    if (!os::readWholeFile(path, kMaxBytes, text) || text.size() > kMaxBytes) {
        ReadingCorrections none;
        none.unreadable_ = true;
        return none;
    }
    return ReadingCorrections(text);
}

}  // namespace card
