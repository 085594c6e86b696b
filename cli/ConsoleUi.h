// SPDX-License-Identifier: MIT
#pragma once

#include "FinderUi.h"

#include <cstdio>
#include <string>

class OutputSink;

// Messages of the command-line finder, on standard error as
// "PATH:LINE: text" (or "PATH: text" when no line applies), where PATH is
// the data file's path as opened: "corp.txt", or "DIR/corp.txt" with -C DIR.
// There is no searching-now notice on a terminal.
class ConsoleUi : public card::FinderUi {
public:
    // `out` is flushed before each message, so that a message follows the
    // cards printed before it.
    ConsoleUi(OutputSink& out, std::FILE* err);

    void showMessage(const card::EngineMessage& message) override;
    void showNotice() override {}
    void hideNotice() override {}

    // A message of the finder itself: "voxtarn-find: text".
    void showError(const std::string& text);

    // "voxtarn-find: text" for what the user may do otherwise; no error.
    void showHint(const std::string& text);

    // "FILE:LINE: text" about a line of a file the user gave; no error.
    void showFileNote(const std::string& path, long line, const std::string& text);
    int messageCount() const { return messages_; }

private:
    OutputSink& out_;
    std::FILE* err_;
    int messages_ = 0;
};

// "PATH:LINE: text", or "PATH: text" for line 0.
std::string fileLineText(const std::string& path, long line, const std::string& text);
