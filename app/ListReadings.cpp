// SPDX-License-Identifier: MIT
#include "ListReadings.h"

#include "CardListBox.h"
#include "CardListModel.h"
#include "CardStore.h"
#include "MecabAnalyser.h"
#include "ProfileStore.h"
#include "ReadingOrder.h"
#include "ReadingSession.h"
#include "SettingsKey.h"
#include "StatusLine.h"
#include "TextReadings.h"

#include <QAction>
#include <QCoreApplication>

#include <algorithm>
#include <chrono>

namespace {

constexpr SettingsKey kSortByReading{"view", "reading"};  // 表示 → 読みで並べる

constexpr std::size_t kProgressStride = 4096;  // cards between two reports to a waiting sort, as the sort's own
constexpr auto kReadColumns = card::TextReadings::kReadFields;

}  // namespace

ListReadings::ListReadings(const card::CardStore& cards, CardListBox& list, const ReadingSession& session,
                           StatusLine& status, QAction& sortItem, QObject* parent)
    : QObject(parent), cards_(cards), list_(list), session_(session), status_(status)
{
    openAnalyser_ = [](std::string& error) -> std::unique_ptr<card::ReadingAnalyser> {
        const std::filesystem::path program(QCoreApplication::applicationDirPath().toStdU16String());
        return card::MecabAnalyser::open(program, error);
    };
    readings_ = std::make_unique<card::TextReadings>(nullptr, card::ReadingCorrections());
    nextSlice_.setSingleShot(true);
    connect(&nextSlice_, &QTimer::timeout, this, &ListReadings::readSlice);
    sortItem.setChecked(kSortByReading.readSwitch(ProfileStore(), true));
    sortByReading(sortItem.isChecked());
    connect(&sortItem, &QAction::toggled, this, [this](bool on) {
        ProfileStore store;
        kSortByReading.write(store, on ? 1 : 0);
        if (!store.flush())
            status_.noteSettingsNotWritten(store.fileName());
        sortByReading(on);
        list_.lines()->sortTextsChanged();
    });
}

ListReadings::~ListReadings() = default;

void ListReadings::sortByReading(bool on)
{
    auto* lines = qobject_cast<CardListModel*>(list_.lines()->sourceModel());
    for (std::size_t column = 0; column < card::kListColumns.size(); ++column) {
        const card::Field field = card::kListColumns[column].field;
        const bool read = std::find(kReadColumns.begin(), kReadColumns.end(), field) != kReadColumns.end();
        lines->setSortTextSource(int(column), on && read ? this : nullptr);
    }
}

void ListReadings::listMade(const std::filesystem::path& dataDir)
{
    openReadings(dataDir);
    next_ = 0;
    analyserAsked_ = readings_->hasAnalyser();
    nextSlice_.start(0);
}

// The player's corrections of the folder, read at every list so that an
// edited file counts at once; a line that is no correction is named by its
// number. The same corrections again, of this folder or another, change
// nothing and are not named again.
void ListReadings::openReadings(const std::filesystem::path& dataDir)
{
    card::ReadingCorrections corrections = card::ReadingCorrections::load(dataDir);
    if (corrections == readings_->corrections())
        return;
    QStringList lines;
    for (const card::ReadingCorrections::Problem& problem : corrections.problems())
        lines << QString::number(problem.line);
    const QString file = QString::fromStdString(std::string(card::ReadingCorrections::kFileName));
    if (corrections.unreadable())
        addNote(file + QStringLiteral(" を読めない"));
    else if (!lines.isEmpty())
        addNote(file + QStringLiteral(" の ") + lines.join(QStringLiteral(", ")) + QStringLiteral(" 行目は使えない"));
    readings_->restart(std::move(corrections));
}

void ListReadings::addNote(const QString& note)
{
    notes_ = notes_.isEmpty() ? note : notes_ + QStringLiteral("、") + note;
}

// Once a list, when its cards begin to be read. A missing dictionary is
// said when it goes missing; the texts read as written meanwhile are read
// again once it opens.
void ListReadings::openAnalyser()
{
    if (analyserAsked_)
        return;
    analyserAsked_ = true;
    std::string error;
    std::unique_ptr<card::ReadingAnalyser> analyser = openAnalyser_(error);
    if (!analyser) {
        if (!readWithoutDictionary_)
            addNote(QStringLiteral("漢字の読みは使えない (辞書を開けない: %1)").arg(QString::fromStdString(error)));
        readWithoutDictionary_ = true;
    } else if (readWithoutDictionary_) {
        readings_->restart(readings_->corrections());
        readWithoutDictionary_ = false;
    }
    readings_->useAnalyser(std::move(analyser));
}

bool ListReadings::done() const
{
    return next_ >= cards_.size();
}

// A reading of the files yields to the window too: the cards are left alone
// until it is over.
void ListReadings::readSlice()
{
    if (done())
        return finish();
    if (session_.reading()) {
        nextSlice_.start(sliceMs_);
        return;
    }
    openAnalyser();
    // Some cards at least, however short the slice.
    const auto until = card::TextReadings::Clock::now() + std::chrono::milliseconds(sliceMs_);
    next_ = readings_->addCards(cards_, next_, cards_.size(), until);
    if (!done()) {
        status_.showText(QStringLiteral("読みを作っています… %1 / %2").arg(next_).arg(cards_.size()));
        nextSlice_.start(0);
        return;
    }
    finish();
}

// The dictionary is let go with the last reading: what is read stays.
void ListReadings::finish()
{
    nextSlice_.stop();
    readings_->useAnalyser(nullptr);
    analyserAsked_ = false;
    status_.showList();
    if (!notes_.isEmpty())
        status_.showText(status_.listText().isEmpty() ? notes_ : status_.listText() + QStringLiteral("、") + notes_);
    notes_.clear();  // said once
    emit readingsMade();
}

bool ListReadings::prepare(const Progress& progress)
{
    if (done())
        return true;
    openAnalyser();
    while (!done()) {
        next_ = readings_->addCards(cards_, next_, std::min(cards_.size(), next_ + kProgressStride));
        if (!done() && !progress(next_, cards_.size()))
            return false;
    }
    finish();
    return true;
}

std::string ListReadings::keyOf(std::string_view cp932) const
{
    std::string key;
    card::textfold::FoldedText buffer;
    card::readingorder::appendTextKey(cp932, readings_.get(), key, buffer);
    return key;
}
