// SPDX-License-Identifier: MIT
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// The command line and the standard streams, alike on every platform. POSIX
// needs nothing. On Windows the arguments come from the system as Unicode,
// not in the ANSI code page the C runtime offers; the streams pass bytes
// unchanged (no CR before LF) to a pipe or file, and a console is written
// Unicode characters, whatever its code page.
std::vector<std::string> utf8Arguments(int argc, char** argv);
// Whether the arguments are Unicode text whatever --encoding says (on
// Windows), rather than bytes as given.
#if defined(_WIN32)
inline constexpr bool kUnicodeArguments = true;
#else
inline constexpr bool kUnicodeArguments = false;
#endif
void setUpStandardStreams();

// Whether `stream` is a terminal that shows colours given by escape codes
// (on Windows a console that takes them).
bool isColourTerminal(std::FILE* stream);

// Writes `text` (UTF-8, or CP932 when `cp932`) to `stream`; false when the
// write failed.
bool writeText(std::FILE* stream, std::string_view text, bool cp932 = false);
