// SPDX-License-Identifier: MIT
#include "SystemConsole.h"

#if defined(_WIN32)

// windows.h first: shellapi.h needs its declarations.
#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <fcntl.h>
#include <io.h>

namespace {

std::string toUtf8(const wchar_t* wide)
{
    int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
    text.pop_back();  // the terminating NUL
    return text;
}

// The console behind `stream`, or nullptr for a pipe, a file or a device.
HANDLE consoleOf(std::FILE* stream)
{
    auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) ? handle : nullptr;
}

// Writes in pieces the console takes at once, never splitting a surrogate pair.
bool writeConsole(HANDLE console, const std::wstring& wide)
{
    constexpr std::size_t kPiece = 8192;
    for (std::size_t pos = 0; pos < wide.size();) {
        std::size_t count = std::min(kPiece, wide.size() - pos);
        if (pos + count < wide.size() && IS_HIGH_SURROGATE(wide[pos + count - 1]))
            --count;
        DWORD written = 0;
        if (!WriteConsoleW(console, wide.data() + pos, static_cast<DWORD>(count), &written, nullptr) || written == 0)
            return false;
        pos += written;
    }
    return true;
}

}  // namespace

std::vector<std::string> utf8Arguments(int, char**)
{
    std::vector<std::string> args;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide)
        return args;
    for (int i = 1; i < count; ++i)
        args.push_back(toUtf8(wide[i]));
    LocalFree(wide);
    return args;
}

void setUpStandardStreams()
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

bool isColourTerminal(std::FILE* stream)
{
    HANDLE console = consoleOf(stream);
    DWORD mode = 0;
    return console && GetConsoleMode(console, &mode) &&
           SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
}

bool writeText(std::FILE* stream, std::string_view text, bool cp932)
{
    HANDLE console = consoleOf(stream);
    if (!console || text.empty())
        return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
    // Invalid bytes show as U+FFFD, as the finder shows them everywhere.
    UINT codePage = cp932 ? 932 : CP_UTF8;
    int size = static_cast<int>(text.size());
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<std::size_t>(MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), size)));
    std::fflush(stream);
    return writeConsole(console, wide);
}

#else

#include <cstdlib>
#include <unistd.h>

std::vector<std::string> utf8Arguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + 1, argv + argc);
}

void setUpStandardStreams() {}

bool isColourTerminal(std::FILE* stream)
{
    const char* term = std::getenv("TERM");
    return isatty(fileno(stream)) && !(term && std::string_view(term) == "dumb");
}

bool writeText(std::FILE* stream, std::string_view text, bool)
{
    return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
}

#endif
