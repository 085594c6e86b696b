// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QWidget;

// The program's one kind of message box: modal over `owner`, titled with the
// application name, an OK button only, no icon, the text as plain text.
// Returns when the user has closed it.
void showMessageBox(QWidget* owner, const QString& text);
