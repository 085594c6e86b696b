// SPDX-License-Identifier: MIT
#pragma once

#include "Card.h"
#include "CardLayout.h"
#include "CardListOutput.h"
#include "CardStore.h"
#include "FinderUi.h"
#include "ParallelLoad.h"
#include "SearchCriteria.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace card {

class CardFilter;
class TextModeFile;

// The listed cards and the commands that fill them: the three list
// commands and the search run. It owns the cards, in a compact store; line
// i of the view shows cards()[i], and both are always emptied and filled
// together. A command stops early, keeping the cards read so far, when the
// screen says so while it reports the progress.
//
// The list commands read the files of both sides at once, and the halves of
// a large file, on two threads, when the cards are kept and nothing filters
// them (ParallelLoad); the screen hears of it only from the calling thread,
// and sees the same list, messages and stops as from a reading of one file
// after the other.
class CardLister {
public:
    CardLister(CardListOutput& view, FinderUi& ui, std::filesystem::path dataDir = ".");

    // Reads the side's file and adds every card of it: 0 when the file was
    // opened, -1 when it cannot be opened (or the side has no file).
    int LoadSide(int side);

    void OnListAll();  // Corporate cards, then Runner cards
    void OnListRunner();
    void OnListCorp();
    // Replaces the list with the hits of `criteria` in the side's file; when
    // the file cannot be opened the list stays as it was, and the result is
    // false. The criteria texts of a folded search are folded once for the
    // whole file.
    bool RunSearch(const SearchCriteria& criteria);

    // Whether a listed card is kept in the store (the default). A front
    // end that only prints the lines as they come and never looks a card up
    // again turns it off and holds no card at all.
    void setKeepCards(bool keep) { keepCards_ = keep; }
    // The test a card must pass for the list commands to list it; none (the
    // default) lists every card. Not for the search.
    void setFilter(CardFilter* filter) { filter_ = filter; }
    // The side whose file listed card `index` came from: the lists of both
    // sides hold the Corporate cards first.
    int sideOf(std::size_t index) const { return index >= firstOfSide_[1] ? 1 : 0; }
    // Lines in the list since it was last emptied.
    std::size_t lineCount() const { return lineCount_; }
    // The files of the current list whose reading stopped before their end
    // (a format or read error, or the screen's stop), as they were noted.
    const std::vector<EngineMessage>& earlyEnds() const { return earlyEnds_; }

    const CardStore& cards() const { return cards_; }
    const std::filesystem::path& dataDir() const { return dataDir_; }
    // The folder every following command reads its files from.
    void setDataDir(std::filesystem::path dir) { dataDir_ = std::move(dir); }

private:
    template <typename Load>
    void replaceList(Load load);
    template <typename Accepts>
    bool searchSide(int side, Accepts accepts);
    void clearList();
    // Appends the card to the list, keeping it when cards are kept (it is
    // then the store's pending card).
    // `recordBytes`: the card's record as it lies in the file, for an output
    // that prints whole records; empty to have it written anew.
    void listCard(const CardView& card, std::string_view recordBytes = {});
    void markSideStart(int side);
    bool readsAtOnce() const { return keepCards_ && !filter_; }
    struct SideFile;
    void loadSidesAtOnce(std::initializer_list<int> sides);
    void listFile(SideFile& file);
    void takeCards(ParallelLoad::Part& part);
    template <typename Accepts>
    int readRecords(TextModeFile& data, RecordTrace& trace, Accepts accepts);
    bool reportProgress(const TextModeFile& data);
    std::uint64_t commandBytes(std::initializer_list<int> sides) const;
    void reportUnfinishedRecord(int result, const RecordTrace& trace, const char* file,
                                const std::filesystem::path& path, bool readFailed);

    CardListOutput& view_;
    FinderUi& ui_;
    std::filesystem::path dataDir_;
    CardStore cards_;
    std::size_t lineCount_ = 0;
    std::array<std::size_t, kSideCount> firstOfSide_{};  // the first card each side's file added
    std::vector<EngineMessage> earlyEnds_;
    bool keepCards_ = true;
    CardFilter* filter_ = nullptr;
    // The command's progress: the bytes of the files it reads, those of
    // the files it has finished, and whether the screen asked it to stop.
    std::uint64_t bytesTotal_ = 0;
    std::uint64_t bytesDone_ = 0;
    bool stopped_ = false;
};

}  // namespace card
