// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// The engine's only calls into the operating system: reading data files and
// the system's own code page 932 converter. OperatingSystem.cpp has one
// Win32 branch and one POSIX branch; nothing else in the engine knows the
// platform.
namespace card::os {

// An open file: a descriptor on POSIX, a HANDLE on Windows.
using FileHandle = std::intptr_t;
inline constexpr FileHandle kNoFile = -1;

// Opens `path` for reading when it is a regular file after following
// symbolic links; kNoFile when it is missing, unreadable, or a FIFO, socket,
// device or directory. Never waits for a writer or a device.
FileHandle openRegularFile(const std::filesystem::path& path);
// Reads up to `size` bytes: how many were read, 0 at the end, -1 on an error.
std::ptrdiff_t readFile(FileHandle file, char* buffer, std::size_t size);
// Makes the next read start at byte `offset`; false when it cannot.
bool seekFile(FileHandle file, std::uint64_t offset);
void closeFile(FileHandle file);
// Reads the regular file `path` whole into `bytes`, stopping once more than
// `limit` bytes are in (the caller refuses a file that large): false when
// it cannot be opened (as openRegularFile) or read.
bool readWholeFile(const std::filesystem::path& path, std::size_t limit, std::string& bytes);

// Memory for the card store's large blocks, straight from the system and
// asked for in huge pages where it offers them: a million cards then cost a
// few hundred page faults instead of a hundred thousand. nullptr when the
// system has none left; freeBlock takes the same size back.
char* allocateBlock(std::size_t size);
void freeBlock(char* block, std::size_t size);
// Gives back the pages of a block wholly within [from, end), which hold
// nothing: a huge page that a write near them made resident is split, and
// its unwritten part freed. A later write there finds zeros again.
void releaseUnusedPages(char* from, char* end);

// How many cores this process may run on (the affinity mask, which
// `taskset` narrows), or 0 when the system does not say.
std::size_t usableCores();

// The folder of the running program (where a dictionary may lie beside
// it); empty when the system does not say.
std::filesystem::path programFolder();

// Whole-string conversions by the system's converter (iconv "CP932" on
// POSIX, code page 932 on Windows): false when some character of `in` has
// no counterpart or is invalid; `out` then holds nothing useful. Both throw
// std::runtime_error when the system has no code page 932.
bool cp932ToUtf8(std::string_view in, std::string& out);
bool utf8ToCp932(std::string_view in, std::string& out);

}  // namespace card::os
