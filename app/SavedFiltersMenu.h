// SPDX-License-Identifier: MIT
#pragma once

#include "SavedFilters.h"

#include <QObject>

class FilterBar;
class QAction;
class QMenu;
class QWidget;

// 表示 → 絞り込みを保存... names the filter box's text; 表示 → 保存した絞り
// 込み lists the saved filters by name (one chosen is applied at once) and
// 整理... renames and deletes them. Each change is stored at once.
class SavedFiltersMenu : public QObject {
    Q_OBJECT
public:
    // Adds its items at the end of `viewMenu`.
    SavedFiltersMenu(QMenu* viewMenu, FilterBar* bar, QWidget* window);

    const SavedFilters& saved() const { return saved_; }
    void saveCurrentText();
    void organise();

signals:
    // The saved filters could not be stored in `file`.
    void notWritten(const QString& file);

private:
    void fillSavedMenu();
    void store();

    FilterBar* bar_;
    QWidget* window_;
    QAction* save_;
    QMenu* savedMenu_;
    SavedFilters saved_;
};
