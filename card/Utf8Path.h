// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace card {

// Paths to and from the UTF-8 text that messages and command lines hold.
// On POSIX the bytes pass unchanged; on Windows they become the wide native
// path, so a folder with Japanese characters in its name opens.
inline std::filesystem::path pathFromUtf8(std::string_view utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string utf8FromPath(const std::filesystem::path& path)
{
    std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace card
