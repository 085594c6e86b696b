// SPDX-License-Identifier: MIT
#pragma once

#include <QTreeView>

class DeckModel;

// The deck panel's table and its keys: "+" and "-" change the selected
// card's count, Delete takes it out, Enter (or a double-click) asks for its
// details; a number typed into 枚数 sets the count. The keys are the
// table's own while it has the focus, before any window-wide shortcut.
class DeckTable : public QTreeView {
    Q_OBJECT
public:
    DeckTable(DeckModel& model, QWidget* parent);

    // The deck line of the selected row, or DeckModel::kNoLine.
    std::size_t selectedLine() const;

signals:
    void countStep(std::size_t line, int step);
    void removeLine(std::size_t line);
    void detailsWanted(std::size_t line);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    static bool isTableKey(const QKeyEvent& key);
    static bool isDigit(const QKeyEvent& key);
    void spanGroupLines();

    DeckModel& model_;
};
