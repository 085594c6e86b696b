// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace card {
class Card;
}

// The plain modal dialogs; each returns when the user has closed it and
// ignores how.
void runAboutDialog(QWidget* parent = nullptr);
void runLegendDialog(QWidget* parent = nullptr);
// The detail dialog of `card`.
void runDetailDialog(QWidget* parent, const card::Card& card);
