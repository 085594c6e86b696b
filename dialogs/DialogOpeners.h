// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

// The two plain modal dialogs; both return when the user has closed them
// and ignore how.
void runAboutDialog(QWidget* parent = nullptr);
void runLegendDialog(QWidget* parent = nullptr);
