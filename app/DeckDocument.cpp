// SPDX-License-Identifier: MIT
#include "DeckDocument.h"

#include "Cp932Converter.h"
#include "DeckEditCommand.h"
#include "DeckFile.h"
#include "DeckLookup.h"
#include "Utf8Path.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QUndoStack>

namespace {

QString refusalText(card::DeckFile::Refusal refusal)
{
    using Refusal = card::DeckFile::Refusal;
    switch (refusal) {
    case Refusal::None: break;
    case Refusal::CannotOpen: return QStringLiteral("デッキファイルを開けない");
    case Refusal::Folder: return QStringLiteral("フォルダはデッキファイルではない");
    case Refusal::TooLarge: return QStringLiteral("1 MBを超えるファイルはデッキファイルではない");
    case Refusal::HasNul: return QStringLiteral("NULバイトを含むファイルはデッキファイルではない");
    }
    return {};
}

}  // namespace

DeckDocument::DeckDocument(std::filesystem::path dataDir, QObject* parent)
    : QObject(parent), dataDir_(std::move(dataDir)), undo_(new QUndoStack(this))
{
    connect(undo_, &QUndoStack::cleanChanged, this, &DeckDocument::changed);
}

// The stack clears itself as it goes and would tell the menu of a deck
// that is half gone: it goes silently, before the rest.
DeckDocument::~DeckDocument()
{
    undo_->blockSignals(true);
    delete undo_;
}

bool DeckDocument::isModified() const
{
    return changedBeyondUndo_ || !undo_->isClean();
}

QString DeckDocument::title() const
{
    const QString name = path_.isEmpty() ? QStringLiteral("無題") : QFileInfo(path_).fileName();
    return QStringLiteral("デッキ: ") + name + (isModified() ? QStringLiteral(" *") : QString());
}

QString DeckDocument::text() const
{
    return QString::fromStdString(deck_.toText());
}

QString DeckDocument::cardName(std::size_t line) const
{
    return QString::fromStdString(deck_.lines()[line].name);
}

void DeckDocument::edit(card::Deck::Edit edit, const QString& what)
{
    undo_->push(new DeckEditCommand(deck_, std::move(edit), what, [this] { emit changed(); }));
}

void DeckDocument::addCopy(int side, const card::Card& card)
{
    const std::size_t line = deck_.findCard(side, card.name);
    if (line != card::Deck::npos && deck_.lines()[line].count >= card::DeckLine::kMaxCount)
        return;
    const std::string name = card::Cp932Converter().toUtf8(card.name);
    const card::Deck::Edit change = deck_.addCopyEdit(side, card, name);
    edit(change, QString::fromStdString(name) + QStringLiteral(" +1"));
}

void DeckDocument::setCount(std::size_t line, int count)
{
    if (line >= deck_.lines().size() || deck_.lines()[line].kind != card::DeckLine::Kind::Card)
        return;
    const int before = deck_.lines()[line].count;
    if (count < 1 || count > card::DeckLine::kMaxCount || count == before)
        return;
    const QString what = count == before + 1   ? QStringLiteral(" +1")
                         : count == before - 1 ? QStringLiteral(" -1")
                                               : QStringLiteral(" %1枚").arg(count);
    edit(deck_.setCountEdit(line, count), cardName(line) + what);
}

void DeckDocument::remove(std::size_t line)
{
    if (line >= deck_.lines().size())
        return;
    edit(deck_.removeEdit(line), cardName(line) + QStringLiteral(" を外す"));
}

void DeckDocument::replace(card::Deck deck, const QString& path, bool saved)
{
    deck_ = std::move(deck);
    path_ = path;
    undo_->clear();
    changedBeyondUndo_ = !saved;
    lookUp();
    emit changed();
}

void DeckDocument::clear()
{
    replace(card::Deck(), QString(), true);
}

QString DeckDocument::open(const QString& path)
{
    std::string text;
    const card::DeckFile::Refusal refusal = card::DeckFile::read(card::pathFromUtf8(path.toStdString()), text);
    if (refusal != card::DeckFile::Refusal::None)
        return refusalText(refusal) + u'\n' + QDir::toNativeSeparators(path);
    replace(card::Deck::fromText(text), path, true);
    return {};
}

QString DeckDocument::paste(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    const card::DeckFile::Refusal refusal = card::DeckFile::check(std::string_view(utf8.constData(), utf8.size()));
    if (refusal != card::DeckFile::Refusal::None)
        return refusalText(refusal).replace(QStringLiteral("ファイル"), QStringLiteral("テキスト"));
    replace(card::Deck::fromText(utf8.toStdString()), QString(), false);
    return {};
}

QString DeckDocument::saveAs(const QString& path)
{
    QSaveFile file(path);
    const QByteArray bytes = QByteArray::fromStdString(deck_.toText());
    // Unbuffered, so that a write cut short (a full disk) is seen here: a
    // buffered one is flushed by commit(), which takes a short write for
    // success and would put a deck cut short in the file's place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes) != bytes.size() ||
        !file.commit())
        return QStringLiteral("デッキを保存できない: ") + file.errorString() + u'\n' + QDir::toNativeSeparators(path);
    path_ = path;
    changedBeyondUndo_ = false;
    undo_->setClean();
    emit changed();
    return {};
}

// The undo stack's lines hold what the old files gave them: the history
// goes, the unsaved state stays.
void DeckDocument::setDataDir(std::filesystem::path dir)
{
    dataDir_ = std::move(dir);
    changedBeyondUndo_ = isModified();
    undo_->clear();
    lookUp();
    emit changed();
}

void DeckDocument::lookUp()
{
    problems_ = card::DeckLookup(dataDir_).lookUp(deck_);
    deck_.mergeDuplicates();
}
