// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>

class QWidget;

// Dialogs and message boxes take one background and text colour, set once at
// start-up (the menu's colours) and used for every dialog built afterwards.
void setDialogBkColor(const QColor& background, const QColor& text);

// The style's menu palette colours.
QColor menuBackgroundColor();
QColor menuTextColor();

// Gives `dialog` the colours last set; the style's own palette when none
// were set.
void applyDialogColors(QWidget& dialog);
