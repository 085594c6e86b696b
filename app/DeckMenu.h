// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QStringList>

class DeckDocument;
class DeckPanel;
class QAction;
class QMainWindow;
class QMenu;

// The menu デッキ(D) and the commands on deck files behind it: 新規, 開く,
// 保存, 名前を付けて保存, the decks used last, copying the deck as text and
// pasting one, undo and redo. A deck with unsaved changes is never dropped
// without the question "デッキの変更を保存しますか". Keeps under "deck" the
// file open at the end (opened again at the next start) and the recent
// files, under "view" whether the panel shows.
class DeckMenu : public QObject {
    Q_OBJECT
public:
    static constexpr int kRecentFiles = 8;

    DeckMenu(DeckDocument& document, DeckPanel& panel, QMainWindow& window);

    QMenu* menu() const { return menu_; }
    QAction* action(const char* objectName) const;

    // Asks about unsaved changes: true when the deck may be replaced or
    // closed (saved, or not wanted), false for キャンセル or a failed save.
    bool maybeSave();
    // The deck and the panel as the last run left them.
    void restore();
    // The open file, the recent ones and whether the panel shows.
    void saveSettings() const;

    void newDeck();
    void openDeck();
    // Opens `path` after the question; a refused file is said and changes
    // nothing.
    bool openFile(const QString& path);
    bool save();
    bool saveAs();
    void copyText();
    void pasteText();

signals:
    // For the status bar: "デッキ: 2行はデータにない".
    void statusMessage(const QString& text);

private:
    QAction* addAction(const QString& text, const char* objectName, const QKeySequence& key);
    void buildMenu();
    void rememberFile(const QString& path);
    void fillRecentMenu();
    void updateUndoTexts();
    void tellLookup();
    void showPanelWhenItHasCards();

    DeckDocument& document_;
    DeckPanel& panel_;
    QMainWindow& window_;
    QMenu* menu_;
    QMenu* recentMenu_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QStringList recent_;
};
