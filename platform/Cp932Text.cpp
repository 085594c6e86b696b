// SPDX-License-Identifier: MIT
#include "Cp932Text.h"

#include "Cp932Converter.h"

namespace {

// A lone surrogate has no UTF-8 form, and Qt would encode it as a
// substitute character instead of failing.
bool hasLoneSurrogate(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return true;
    }
    return false;
}

}  // namespace

QString fromCp932(std::string_view bytes)
{
    if (bytes.empty())
        return QString();
    return QString::fromStdString(card::Cp932Converter().toUtf8(bytes));
}

std::optional<std::string> toCp932(const QString& text)
{
    if (text.isEmpty())
        return std::string();
    const std::optional<std::string> utf8 = exactUtf8(text);
    return utf8 ? card::Cp932Converter().fromUtf8(*utf8) : std::nullopt;
}

std::optional<std::string> exactUtf8(const QString& text)
{
    if (hasLoneSurrogate(text))
        return std::nullopt;
    return text.toStdString();
}
