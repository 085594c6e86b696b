#include "DialogFont.h"

#include <QStringList>

QString dialogFontFamily()
{
    return QStringLiteral("ＭＳ 明朝");
}

void installDialogFontSubstitutions()
{
    QFont::insertSubstitutions(dialogFontFamily(),
                               {QStringLiteral("IPAMincho"), QStringLiteral("IPA明朝"),
                                QStringLiteral("Noto Serif CJK JP")});
}

QFont dialogFont()
{
    installDialogFontSubstitutions();
    QFont font(dialogFontFamily(), 10);
    font.setStyleHint(QFont::Serif);
    return font;
}
