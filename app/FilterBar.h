// SPDX-License-Identifier: MIT
#pragma once

#include "FilterHistory.h"

#include <QToolBar>

class QCheckBox;
class QLineEdit;
class QMenu;

// The filter box above the list, in a tool bar that stays where it is: the
// text that narrows the list, and at the right whether kana and width are
// folded. In the box, Esc clears it and leaves it, Enter and Down leave it
// for the list; none of these reaches the window's own keys. A text taken
// to the list (Enter, Down, or the focus leaving the box after a change)
// goes into the history, which drops down from the box's arrow or Alt+Down;
// an entry chosen there is applied at once.
class FilterBar : public QToolBar {
    Q_OBJECT
public:
    explicit FilterBar(QWidget* parent);

    QString text() const;
    void setText(const QString& text);
    bool fold() const;
    void setFold(bool fold);
    // Puts the cursor in the box, its text selected.
    void focusText();
    // The history, newest first, as it drops down.
    QMenu* historyMenu() const { return historyMenu_; }
    void showHistory();

signals:
    // The text or the check box changed.
    void changed();
    // The user leaves the box for the list: by Enter or Down to its first
    // line, by Esc (the box cleared) to the line selected.
    void leftForList(bool toFirstLine);
    // The history could not be stored in `file`.
    void historyNotWritten(const QString& file);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void useText();
    void fillHistoryMenu();

    QLineEdit* text_;
    QCheckBox* fold_;
    QMenu* historyMenu_;
    FilterHistory history_;
    bool changedSinceUse_ = false;
};
