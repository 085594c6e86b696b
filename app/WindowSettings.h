// SPDX-License-Identifier: MIT
#pragma once

#include "SearchCriteria.h"
#include "WindowRect.h"

#include <QString>

#include <optional>

// What the window itself keeps between runs, read and written in one place:
// each value's group and key a SettingsKey of WindowSettings.cpp, its
// default the member's initial value here. A value the program never writes
// reads as its default.
struct WindowSettings {
    // Unset when saving leaves the stored rectangle as it is (a minimised
    // window has no rectangle worth keeping).
    std::optional<WindowRect> rect;
    card::SearchCriteria criteria;
    bool statusBar = true;
    bool filterBar = true;
    bool filterFold = true;
    bool listAtStart = true;  // 表示 → 起動時にカードを表示
    // The list's column widths as CardListHeader keeps them; it judges them.
    QString columns;
    // Empty when saving leaves the stored folder as it is.
    QString dataFolder;

    static WindowSettings load();
    // Written in one go; the settings file that could not be written, or
    // empty.
    QString save() const;
    // The data folder alone, written at once, so that a later start finds
    // it whatever happens; as save.
    static QString saveDataFolder(const QString& folder);
};
