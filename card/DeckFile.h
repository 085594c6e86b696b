// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace card {

// A deck file on disk: its reading, with the refusals that keep a wrong
// file from becoming a deck, and the check that keeps a deck from being
// saved over a card file. Writing is the front end's (an atomic save).
class DeckFile {
public:
    enum class Refusal {
        None,
        CannotOpen,  // missing, unreadable, or no regular file
        Folder,
        TooLarge,  // over kMaxBytes: no deck is that long
        HasNul,    // binary, not text
    };
    static constexpr std::size_t kMaxBytes = 1024 * 1024;

    // Reads the file at `path` and puts its text, as UTF-8, into `utf8`.
    static Refusal read(const std::filesystem::path& path, std::string& utf8);
    // The refusal of a text that did not come from a file (the clipboard).
    static Refusal check(std::string_view bytes);
    // A deck's bytes as UTF-8: the byte order mark dropped; a text that is
    // not valid UTF-8 is read as Shift-JIS.
    static std::string decode(std::string_view bytes);

    // Whether a deck must not be written to `path`: it is corp.txt or
    // runner.txt of `dataDir`, or it reads as card records.
    static bool isCardFile(const std::filesystem::path& path, const std::filesystem::path& dataDir);
};

}  // namespace card
