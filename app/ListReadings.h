// SPDX-License-Identifier: MIT
#pragma once

#include "SortTextSource.h"

#include <QObject>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace card {
class CardStore;
class ReadingAnalyser;
class TextReadings;
}  // namespace card
class CardListBox;
class QAction;
class ReadingSession;
class StatusLine;

// The readings of the listed cards' names, types and illustrators, made
// after a list is shown, in slices between the window's events, the status
// bar saying so, on both cores where there are two; each distinct text is
// read once for as long as the window lives. The dictionary is open only
// while cards wait for their readings. The name, type and illustrator
// columns sort by them while 表示 → 読みで並べる is on; a sort asked for
// before they are all made makes the rest first, under the notice.
class ListReadings : public QObject, public SortTextSource {
    Q_OBJECT
public:
    // Opens the analyser and its dictionary; nullptr, with the reason in the string, when they do not open.
    using AnalyserOpener = std::function<std::unique_ptr<card::ReadingAnalyser>(std::string&)>;

    ListReadings(const card::CardStore& cards, CardListBox& list, const ReadingSession& session, StatusLine& status,
                 QAction& sortItem, QObject* parent);
    ~ListReadings() override;

    // A list command has filled the list from `dataDir`: its readings.txt
    // is read again, and the new cards' readings are made.
    void listMade(const std::filesystem::path& dataDir);
    const card::TextReadings* readings() const { return readings_.get(); }
    bool done() const;
    // How long a slice runs before the events get their turn (tests shorten it).
    void setSliceMs(int ms) { sliceMs_ = ms; }
    // Where the dictionary comes from (tests take it away and give it back).
    void setAnalyserOpener(AnalyserOpener opener) { openAnalyser_ = std::move(opener); }

    bool prepare(const Progress& progress) override;
    std::string keyOf(std::string_view cp932) const override;

signals:
    // Every listed card's readings are made.
    void readingsMade();

private:
    void sortByReading(bool on);
    void openReadings(const std::filesystem::path& dataDir);
    void openAnalyser();
    void addNote(const QString& note);
    void readSlice();
    void finish();

    const card::CardStore& cards_;
    CardListBox& list_;
    const ReadingSession& session_;
    StatusLine& status_;
    std::unique_ptr<card::TextReadings> readings_;
    QString notes_;                   // what the status bar says once the readings are made
    std::size_t next_ = 0;            // the next card to read
    AnalyserOpener openAnalyser_;
    bool analyserAsked_ = false;      // this list's cards have had their try at the dictionary
    bool readWithoutDictionary_ = false;  // some texts read as written, the dictionary missing
    QTimer nextSlice_;
    int sliceMs_ = 25;
};
