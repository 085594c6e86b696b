// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// Every dialog is set in "ＭＳ 明朝" 10 pt. That family is rarely installed
// here, so the name is mapped onto the Mincho faces that are.
void installDialogFontSubstitutions();

// The faces that stand in for "ＭＳ 明朝", the first one installed taken.
QStringList dialogFontFaces();

// A dialog template's font, with the substitutions in place.
QFont dialogFont(const QString& family, int pointSize);
// The dialog font of the program's templates: "ＭＳ 明朝", 10 pt.
QFont dialogFont();

// The family name the dialog templates ask for.
QString dialogFontFamily();
