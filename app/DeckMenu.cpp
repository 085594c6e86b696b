// SPDX-License-Identifier: MIT
#include "DeckMenu.h"

#include "DeckDocument.h"
#include "DeckFile.h"
#include "DeckPanel.h"
#include "MessageBox.h"
#include "ProfileStore.h"
#include "SettingsKey.h"
#include "Utf8Path.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QUndoStack>

#include <algorithm>

namespace {

const QString kFilter = QStringLiteral("デッキ (*.txt);;すべてのファイル (*)");

// The deck open at the end and the last ones, one path a line; whether the
// panel shows, and its place among the window's bars.
constexpr SettingsKey kDeckFile{"deck", "file"};
constexpr SettingsKey kRecentDecks{"deck", "recent"};
constexpr SettingsKey kDeckShown{"view", "deck"};
constexpr SettingsKey kWindowState{"view", "state"};

}  // namespace

DeckMenu::DeckMenu(DeckDocument& document, DeckPanel& panel, QMainWindow& window)
    : QObject(&window), document_(document), panel_(panel), window_(window),
      menu_(new QMenu(QStringLiteral("デッキ(&D)"), &window))
{
    menu_->setObjectName(QStringLiteral("deckMenu"));
    buildMenu();
    connect(document_.undoStack(), &QUndoStack::indexChanged, this, &DeckMenu::updateUndoTexts);
    connect(document_.undoStack(), &QUndoStack::cleanChanged, this, &DeckMenu::updateUndoTexts);
    updateUndoTexts();
}

QAction* DeckMenu::addAction(const QString& text, const char* objectName, const QKeySequence& key)
{
    QAction* action = menu_->addAction(text);
    action->setObjectName(QString::fromLatin1(objectName));
    action->setShortcut(key);
    // The window's keys, wherever the focus is in it.
    window_.addAction(action);
    return action;
}

void DeckMenu::buildMenu()
{
    connect(addAction(QStringLiteral("新規(&N)"), "deckNew", QKeySequence(Qt::CTRL | Qt::Key_N)),
            &QAction::triggered, this, &DeckMenu::newDeck);
    // Ctrl+O opens the data folder.
    connect(addAction(QStringLiteral("開く(&O)..."), "deckOpen", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O)),
            &QAction::triggered, this, &DeckMenu::openDeck);
    connect(addAction(QStringLiteral("保存(&S)"), "deckSave", QKeySequence(Qt::CTRL | Qt::Key_S)),
            &QAction::triggered, this, &DeckMenu::save);
    connect(addAction(QStringLiteral("名前を付けて保存(&A)..."), "deckSaveAs", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)),
            &QAction::triggered, this, &DeckMenu::saveAs);
    recentMenu_ = menu_->addMenu(QStringLiteral("最近使ったデッキ(&R)"));
    recentMenu_->setObjectName(QStringLiteral("deckRecent"));
    menu_->addSeparator();
    undo_ = addAction(QStringLiteral("元に戻す(&U)"), "deckUndo", QKeySequence(Qt::CTRL | Qt::Key_Z));
    redo_ = addAction(QStringLiteral("やり直し(&Y)"), "deckRedo", QKeySequence(Qt::CTRL | Qt::Key_Y));
    connect(undo_, &QAction::triggered, document_.undoStack(), &QUndoStack::undo);
    connect(redo_, &QAction::triggered, document_.undoStack(), &QUndoStack::redo);
    menu_->addSeparator();
    connect(addAction(QStringLiteral("テキストとしてコピー(&C)"), "deckCopy", {}), &QAction::triggered, this,
            &DeckMenu::copyText);
    connect(addAction(QStringLiteral("テキストから貼り付け(&P)"), "deckPaste", {}), &QAction::triggered, this,
            &DeckMenu::pasteText);
}

QAction* DeckMenu::action(const char* objectName) const
{
    return menu_->findChild<QAction*>(QString::fromLatin1(objectName));
}

// "元に戻す: 黒曜の城門 +1" names what the key undoes.
void DeckMenu::updateUndoTexts()
{
    const QUndoStack* stack = document_.undoStack();
    undo_->setEnabled(stack->canUndo());
    redo_->setEnabled(stack->canRedo());
    // No letter key: the text names the change, and Ctrl+Z and Ctrl+Y are the keys.
    undo_->setText(stack->canUndo() ? QStringLiteral("元に戻す: ") + stack->undoText() : QStringLiteral("元に戻す"));
    redo_->setText(stack->canRedo() ? QStringLiteral("やり直し: ") + stack->redoText() : QStringLiteral("やり直し"));
}

bool DeckMenu::maybeSave()
{
    if (!document_.isModified())
        return true;
    QMessageBox question(QMessageBox::Question, QApplication::applicationName(),
                         QStringLiteral("デッキの変更を保存しますか"), QMessageBox::NoButton, &window_);
    question.setObjectName(QStringLiteral("deckSaveQuestion"));
    QPushButton* saveButton = question.addButton(QStringLiteral("保存"), QMessageBox::AcceptRole);
    QPushButton* discard = question.addButton(QStringLiteral("保存しない"), QMessageBox::DestructiveRole);
    QPushButton* cancel = question.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    saveButton->setObjectName(QStringLiteral("save"));
    discard->setObjectName(QStringLiteral("discard"));
    cancel->setObjectName(QStringLiteral("cancel"));
    question.setDefaultButton(saveButton);
    question.setEscapeButton(cancel);
    question.exec();
    if (question.clickedButton() == discard)
        return true;
    if (question.clickedButton() == saveButton)
        return save();
    return false;
}

void DeckMenu::newDeck()
{
    if (maybeSave())
        document_.clear();
}

void DeckMenu::openDeck()
{
    if (!maybeSave())
        return;
    const QString start = document_.filePath().isEmpty() ? QString() : QFileInfo(document_.filePath()).absolutePath();
    const QString path = QFileDialog::getOpenFileName(&window_, QStringLiteral("デッキを開く"), start, kFilter);
    if (!path.isEmpty())
        openFile(path);
}

bool DeckMenu::openFile(const QString& path)
{
    if (!maybeSave())
        return false;
    if (const QString refused = document_.open(path); !refused.isEmpty()) {
        showMessageBox(&window_, refused);
        return false;
    }
    rememberFile(path);
    tellLookup();
    showPanelWhenItHasCards();
    return true;
}

bool DeckMenu::save()
{
    if (document_.filePath().isEmpty())
        return saveAs();
    if (const QString failed = document_.saveAs(document_.filePath()); !failed.isEmpty()) {
        showMessageBox(&window_, failed);
        return false;
    }
    return true;
}

// A deck is never written over a card file: that would lose the cards.
bool DeckMenu::saveAs()
{
    const QString start = document_.filePath().isEmpty() ? QStringLiteral("デッキ.txt") : document_.filePath();
    const QString path = QFileDialog::getSaveFileName(&window_, QStringLiteral("名前を付けて保存"), start, kFilter);
    if (path.isEmpty())
        return false;
    if (card::DeckFile::isCardFile(card::pathFromUtf8(path.toStdString()), document_.dataDir())) {
        showMessageBox(&window_, QStringLiteral("カードのデータファイルにはデッキを保存しない\n") + QDir::toNativeSeparators(path));
        return false;
    }
    if (const QString failed = document_.saveAs(path); !failed.isEmpty()) {
        showMessageBox(&window_, failed);
        return false;
    }
    rememberFile(path);
    return true;
}

void DeckMenu::copyText()
{
    QApplication::clipboard()->setText(document_.text());
}

void DeckMenu::pasteText()
{
    if (!maybeSave())
        return;
    if (const QString refused = document_.paste(QApplication::clipboard()->text()); !refused.isEmpty()) {
        showMessageBox(&window_, refused);
        return;
    }
    tellLookup();
    showPanelWhenItHasCards();
}

// What the player must know after the names were looked up.
void DeckMenu::tellLookup()
{
    const card::Deck& deck = document_.deck();
    const std::size_t missing = deck.notFoundCount();
    const auto folded = std::count_if(deck.lines().begin(), deck.lines().end(),
                                      [](const card::DeckLine& line) { return line.found() && line.byFolding; });
    QString text = missing == 0 ? QStringLiteral("デッキ: すべてのカードがデータにある")
                                : QStringLiteral("デッキ: %1行はデータにない").arg(missing);
    if (folded > 0)
        text += QStringLiteral("、%1行はかなと全角半角を区別せずに見つけた").arg(folded);
    for (const card::EngineMessage& problem : document_.lookupProblems())
        text += QStringLiteral("、") + QString::fromStdString(card::messageHeadline(problem.kind)) + u' ' +
                QString::fromStdString(problem.file);
    emit statusMessage(text);
}

void DeckMenu::showPanelWhenItHasCards()
{
    if (document_.deck().total(0) + document_.deck().total(1) > 0)
        panel_.show();
}

void DeckMenu::rememberFile(const QString& path)
{
    const QString whole = QFileInfo(path).absoluteFilePath();
    recent_.removeAll(whole);
    recent_.prepend(whole);
    while (recent_.size() > kRecentFiles)
        recent_.removeLast();
    fillRecentMenu();
}

void DeckMenu::fillRecentMenu()
{
    recentMenu_->clear();
    for (int i = 0; i < recent_.size(); ++i) {
        const QString path = recent_[i];
        QAction* item = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)));
        connect(item, &QAction::triggered, this, [this, path] { openFile(path); });
    }
    recentMenu_->setEnabled(!recent_.isEmpty());
}

void DeckMenu::restore()
{
    const ProfileStore store;
    recent_ = kRecentDecks.readString(store).split(u'\n', Qt::SkipEmptyParts).mid(0, kRecentFiles);
    fillRecentMenu();
    const QString file = kDeckFile.readString(store);
    // A deck file gone since is no reason for a message at start.
    if (!file.isEmpty() && QFileInfo(file).isFile() && document_.open(file).isEmpty())
        tellLookup();
    window_.restoreState(QByteArray::fromBase64(kWindowState.readString(store).toLatin1()));
    const bool hasCards = document_.deck().total(0) + document_.deck().total(1) > 0;
    panel_.setVisible(kDeckShown.readSwitch(store, hasCards));
}

void DeckMenu::saveSettings() const
{
    ProfileStore store;
    kDeckFile.write(store, document_.filePath());
    kRecentDecks.write(store, recent_.join(u'\n'));
    kDeckShown.write(store, panel_.isVisibleTo(&window_) ? 1 : 0);
    kWindowState.write(store, QString::fromLatin1(window_.saveState().toBase64()));
    store.flush();
}
