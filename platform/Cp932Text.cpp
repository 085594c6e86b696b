// SPDX-License-Identifier: MIT
#include "Cp932Text.h"

#include "Cp932Converter.h"
#include "Cp932DecodeTable.h"

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
    QString text;
    fromCp932(bytes, text);
    return text;
}

void fromCp932(std::string_view bytes, QString& text)
{
    if (bytes.empty()) {
        text.clear();
        return;
    }
    text.resize(qsizetype(bytes.size()));
    const std::size_t units =
        card::Cp932DecodeTable::instance().decode(bytes, reinterpret_cast<char16_t*>(text.data()));
    text.truncate(qsizetype(units));
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
