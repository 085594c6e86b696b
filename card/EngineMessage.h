// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace card {

// A problem the user must be told about while cards are read.
struct EngineMessage {
    // Stopped: the user stopped the reading; kept with the list, never a box.
    enum Kind { OpenFailed, FormatError, ReadFailed, Stopped };
    Kind kind = OpenFailed;
    std::string file;    // bare data-file name, e.g. "corp.txt"
    std::string path;    // the path that was opened (UTF-8 on Windows)
    long line = 0;       // 1-based physical line; 0 when none applies
    std::string reason;  // why the line is wrong, when known (kLineTooLong)
};

// A line longer than the reader takes, which shifts the fields after it.
inline constexpr const char* kLineTooLong = "行が254バイトを超えている";

// The message box text in UTF-8, e.g. for a format error
// "データファイルの形式が正しくない\ncorp.txt 85行目".
std::string messageText(const EngineMessage& message);
// The first line of the text alone: "データファイルをオープンできない" etc.
std::string messageHeadline(EngineMessage::Kind kind);

}  // namespace card
