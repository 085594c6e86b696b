// SPDX-License-Identifier: MIT
#include "DialogFont.h"

#include <QStringList>

QString dialogFontFamily()
{
    return QStringLiteral("ＭＳ 明朝");
}

QStringList dialogFontFaces()
{
    return {QStringLiteral("IPAMincho"), QStringLiteral("IPA明朝"), QStringLiteral("Noto Serif CJK JP")};
}

void installDialogFontSubstitutions()
{
    static const bool installed = [] {
        QFont::insertSubstitutions(dialogFontFamily(), dialogFontFaces());
        return true;
    }();
    (void)installed;
}

QFont dialogFont(const QString& family, int pointSize)
{
    installDialogFontSubstitutions();
    QFont font(family, pointSize);
    font.setStyleHint(QFont::Serif);
    return font;
}

QFont dialogFont()
{
    return dialogFont(dialogFontFamily(), 10);
}
