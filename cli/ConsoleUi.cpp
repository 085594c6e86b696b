#include "ConsoleUi.h"

#include "OutputSink.h"

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

void ConsoleUi::showMessage(const EngineMessage& message)
{
    ++messages_;
    out_.flush();
    std::string text = fileLineText(message.path, message.line, messageHeadline(message.kind));
    std::fprintf(err_, "%s\n", text.c_str());
}

void ConsoleUi::showError(const std::string& text)
{
    ++messages_;
    out_.flush();
    std::fprintf(err_, "voxtarn-find: %s\n", text.c_str());
}
