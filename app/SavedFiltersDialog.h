// SPDX-License-Identifier: MIT
#pragma once

#include "SavedFilters.h"

#include <QDialog>

class QListWidget;

// 整理: the saved filters by name, to rename (edit a name in place) and
// delete; OK keeps the changes, キャンセル none.
class SavedFiltersDialog : public QDialog {
    Q_OBJECT
public:
    SavedFiltersDialog(const SavedFilters& saved, QWidget* parent);

    // The entries as the dialog leaves them; a name emptied keeps the old one.
    SavedFilters result() const;

private:
    void removeCurrent();

    SavedFilters saved_;
    QListWidget* list_;
};
