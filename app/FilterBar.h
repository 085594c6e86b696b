// SPDX-License-Identifier: MIT
#pragma once

#include <QToolBar>

class QCheckBox;
class QLineEdit;

// The filter box above the list, in a tool bar that stays where it is: the
// text that narrows the list, and at the right whether kana and width are
// folded. In the box, Esc clears it and leaves it, Enter and Down leave it
// for the list; none of these reaches the window's own keys.
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

signals:
    // The text or the check box changed.
    void changed();
    // The user leaves the box for the list: by Enter or Down to its first
    // line, by Esc (the box cleared) to the line selected.
    void leftForList(bool toFirstLine);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* text_;
    QCheckBox* fold_;
};
