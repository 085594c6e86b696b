// SPDX-License-Identifier: MIT
#include "ConsoleUi.h"

#include "OutputSink.h"
#include "SystemConsole.h"

std::string fileLineText(const std::string& path, long line, const std::string& text)
{
    std::string result = path;
    if (line > 0)
        result += ":" + std::to_string(line);
    result += ": ";
    result += text;
    return result;
}

ConsoleUi::ConsoleUi(OutputSink& out, std::FILE* err) : out_(out), err_(err) {}

void ConsoleUi::showMessage(const card::EngineMessage& message)
{
    ++messages_;
    out_.flush();
    std::string text = fileLineText(message.path, message.line, card::messageHeadline(message.kind));
    if (!message.reason.empty())
        text += ": " + message.reason;
    writeText(err_, text + "\n");
}

void ConsoleUi::showError(const std::string& text)
{
    ++messages_;
    showHint(text);
}

void ConsoleUi::showHint(const std::string& text)
{
    out_.flush();
    writeText(err_, "voxtarn-find: " + text + "\n");
}

void ConsoleUi::showFileNote(const std::string& path, long line, const std::string& text)
{
    out_.flush();
    writeText(err_, fileLineText(path, line, text) + "\n");
}
