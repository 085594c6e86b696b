// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QWidget;

// The chooser of ファイル → データフォルダを開く: a file dialog showing the
// folders and the card files, corp.txt and runner.txt, so that the player
// sees them while choosing; either file picks the folder that holds it, so
// a folder with only one of them is taken too.
class DataFolderChooser {
public:
    // Opens in `start` with its card file selected, so Enter takes the folder
    // as it is; the folder chosen, or empty when the player cancelled.
    static QString choose(QWidget* parent, const QString& start);
};
