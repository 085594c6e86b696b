// SPDX-License-Identifier: MIT
#include "EngineMessage.h"

namespace card {

std::string messageHeadline(EngineMessage::Kind kind)
{
    switch (kind) {
    case EngineMessage::OpenFailed: return "データファイルをオープンできない";
    case EngineMessage::FormatError: return "データファイルの形式が正しくない";
    case EngineMessage::ReadFailed: return "データファイルを読み込めない";
    case EngineMessage::Stopped: return "読み込みを中止した";
    }
    return {};
}

std::string messageText(const EngineMessage& message)
{
    std::string text = messageHeadline(message.kind);
    if (message.kind == EngineMessage::FormatError)
        text += "\n" + message.file + " " + std::to_string(message.line) + "行目" +
                (message.reason.empty() ? "" : ": " + message.reason);
    else if (message.kind == EngineMessage::ReadFailed)
        text += "\n" + message.file;
    return text;
}

}  // namespace card
