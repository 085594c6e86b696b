// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>

#include <cstddef>
#include <memory>
#include <optional>

namespace card {
class CardStore;
class TextReadings;
}  // namespace card
class FilterBoxWorker;
class CardListBox;
class FilterBar;
class FilterMarks;
class QAction;
class QMainWindow;
class ReadingSession;

// The filter bar over the card list and the runner of its filter: what is
// typed in the bar narrows the list, a slice of the cards at a time. Ctrl+F
// shows the bar (checking its menu item) and puts the cursor in it. The
// list's cells mark what the words matched; the saved filters are items of
// the menu that holds the bar's item.
class ListFilter : public QObject {
    Q_OBJECT
public:
    // The bar shows when `shown`, with its check box as `fold`; `barItem`
    // is the menu item that shows and hides it.
    ListFilter(QMainWindow& window, CardListBox& list, const card::CardStore& cards, const ReadingSession& session,
               QAction& barItem, bool shown, bool fold);
    ~ListFilter() override;

    FilterBar* bar() const { return bar_; }
    // Follows the menu item; hidden, the bar filters nothing.
    void showBar(bool show);
    void focusText();
    // A command has filled the list afresh.
    void cardsChanged();
    // Kana words match names, types and illustrators by `readings` too.
    void useReadings(const card::TextReadings* readings);
    // More readings were made: a text that filters runs again.
    void readingsMade();

    // The lines the filter lets through, while it narrows the list.
    std::optional<std::size_t> shownLines() const;
    // The typed characters no card can hold.
    const QString& unholdable() const;
    // What the status bar adds: "、絞り込みで無視: 7文字目の )" when the text
    // leaves something out, "、一致: テキスト2行目, 注記" for the selected line.
    QString notes() const;
    // Whether the text was too long and filters by its beginning alone.
    bool textCut() const;

signals:
    // The list now shows what the filter lets through.
    void listFiltered();
    // Another line is selected: its notes changed.
    void notesChanged();
    // The history or the saved filters could not be stored in `file`.
    void settingsNotWritten(const QString& file);

private:
    void textChanged();
    void readingEnded();

    CardListBox& list_;
    const ReadingSession& session_;
    QAction& barItem_;
    FilterBar* bar_;
    FilterBoxWorker* runner_;
    std::unique_ptr<FilterMarks> marks_;
    bool textTypedWhileReading_ = false;
};
