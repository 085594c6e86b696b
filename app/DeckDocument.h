// SPDX-License-Identifier: MIT
#pragma once

#include "Deck.h"
#include "EngineMessage.h"

#include <QObject>
#include <QString>

#include <filesystem>
#include <vector>

class QUndoStack;

// The deck being edited: its lines with what the data folder's files gave
// them, its file, its changes on an undo stack, and whether they are saved.
// Opening, pasting and saving either succeed whole or leave the deck as it
// was.
class DeckDocument : public QObject {
    Q_OBJECT
public:
    DeckDocument(std::filesystem::path dataDir, QObject* parent);
    ~DeckDocument() override;

    const card::Deck& deck() const { return deck_; }
    QUndoStack* undoStack() const { return undo_; }
    // The file, or empty for a deck never saved.
    const QString& filePath() const { return path_; }
    bool isModified() const;
    // "デッキ: 速攻.txt *", "デッキ: 無題".
    QString title() const;
    // The deck as its file holds it.
    QString text() const;
    // What the last lookup could not read (a missing card file, a bad record).
    const std::vector<card::EngineMessage>& lookupProblems() const { return problems_; }

    void addCopy(int side, const card::Card& card);
    void setCount(std::size_t line, int count);
    void remove(std::size_t line);

    // An empty, untitled deck.
    void clear();
    // Reads the file; on a refusal the deck stays and the result says why
    // (the message names the file).
    QString open(const QString& path);
    // The deck of a text (the clipboard): new and unsaved.
    QString paste(const QString& text);
    // Writes the deck to `path` at once or not at all; the reason it could
    // not, naming the file, or empty. A failed save keeps the deck unsaved.
    QString saveAs(const QString& path);
    // Finds the names again in the files of `dir`.
    void setDataDir(std::filesystem::path dir);
    const std::filesystem::path& dataDir() const { return dataDir_; }

signals:
    // The lines, the file or the saved state changed.
    void changed();

private:
    void edit(card::Deck::Edit edit, const QString& what);
    void replace(card::Deck deck, const QString& path, bool saved);
    void lookUp();
    QString cardName(std::size_t line) const;

    card::Deck deck_;
    std::filesystem::path dataDir_;
    QString path_;
    QUndoStack* undo_;
    // Changed in a way the undo stack does not hold: pasted, or changed
    // before the names were looked up again.
    bool changedBeyondUndo_ = false;
    std::vector<card::EngineMessage> problems_;
};
