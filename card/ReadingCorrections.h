// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace card {

// The player's own readings, which win over the analyser's: the file
// readings.txt of the data folder, UTF-8, one word a line, a tab, and its
// reading in kana; "#" begins a comment line. A line that says nothing
// usable is named and left out; the others still count.
class ReadingCorrections {
public:
    static constexpr std::string_view kFileName = "readings.txt";
    // A larger file is taken as unreadable: no list of corrections is that long.
    static constexpr std::size_t kMaxBytes = 16 * 1024 * 1024;

    struct Word {
        std::string text;  // UTF-8
        std::string kana;  // UTF-8 katakana
        bool operator==(const Word&) const = default;
    };
    struct Problem {
        std::size_t line;    // from 1
        std::string reason;  // English, for the finder; the window words its own
        bool operator==(const Problem&) const = default;
    };

    ReadingCorrections() = default;
    // Reads the file's text; a BOM at its start is skipped.
    explicit ReadingCorrections(std::string_view utf8);
    // Reads readings.txt in `folder`; no file is no correction and no problem.
    static ReadingCorrections load(const std::filesystem::path& folder);

    const std::vector<Word>& words() const { return words_; }
    const std::vector<Problem>& problems() const { return problems_; }
    // The file could not be read although it is there.
    bool unreadable() const { return unreadable_; }
    bool operator==(const ReadingCorrections&) const = default;

private:
    void readLine(std::size_t number, std::string_view line);

    std::vector<Word> words_;
    std::vector<Problem> problems_;
    bool unreadable_ = false;
};

}  // namespace card
