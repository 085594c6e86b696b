// SPDX-License-Identifier: MIT
#include "CardLister.h"

#include "CardFilter.h"
#include "CardLayout.h"
#include "FoldedSearch.h"
#include "RecordReader.h"
#include "TextModeFile.h"
#include "Utf8Path.h"

#include <algorithm>
#include <system_error>

namespace card {

namespace {
constexpr unsigned kProgressStride = ParallelLoad::kProgressStride;
}  // namespace

CardLister::CardLister(CardListOutput& view, FinderUi& ui, std::filesystem::path dataDir)
    : view_(view), ui_(ui), dataDir_(std::move(dataDir))
{
}

void CardLister::listCard(const CardView& card, std::string_view recordBytes)
{
    if (keepCards_)
        cards_.commitCard();
    if (recordBytes.empty())
        view_.addCard(card);
    else
        view_.addRecord(card, recordBytes);
    ++lineCount_;
}

void CardLister::clearList()
{
    cards_.clear();
    view_.resetContent();
    lineCount_ = 0;
    earlyEnds_.clear();
}

// A record cut short that held a non-empty line, or one not closed by "--",
// ends the reading of its file; the user is told where.
void CardLister::reportUnfinishedRecord(int result, const RecordTrace& trace, const char* file,
                                        const std::filesystem::path& path, bool readFailed)
{
    EngineMessage message;
    message.file = file;
    message.path = utf8FromPath(path);
    if (stopped_) {  // the user's own stop: noted with the list, no message
        earlyEnds_.push_back({EngineMessage::Stopped, file, message.path, trace.lastLine, {}});
        return;
    }
    if (readFailed) {
        message.kind = EngineMessage::ReadFailed;
    } else if (trace.longLine > 0 && (result < 0 || trace.hasContent)) {
        // The long line shifted the fields: it is the fault, not the line
        // where the record then failed.
        message.kind = EngineMessage::FormatError;
        message.line = trace.longLine;
        message.reason = kLineTooLong;
    } else if (result < 0) {
        message.kind = EngineMessage::FormatError;
        message.line = trace.lastLine;
    } else if (trace.hasContent) {
        message.kind = EngineMessage::FormatError;
        message.line = trace.firstLine;
    } else {
        return;  // plain end of file, or empty lines after the last record
    }
    earlyEnds_.push_back(message);
    ui_.showMessage(message);
}

void CardLister::markSideStart(int side)
{
    firstOfSide_[std::size_t(side)] = cards_.size();
    if (side == 0)
        firstOfSide_[1] = static_cast<std::size_t>(-1);
}

int CardLister::LoadSide(int side)
{
    const char* file = dataFileName(side);
    std::filesystem::path path = dataDir_ / (file ? file : "");
    std::unique_ptr<TextModeFile> data = file ? TextModeFile::open(path) : nullptr;
    if (!data) {
        ui_.showMessage({EngineMessage::OpenFailed, file ? file : "", utf8FromPath(path), 0, {}});
        return -1;
    }
    markSideStart(side);
    RecordTrace trace;
    const int result =
        readRecords(*data, trace, [this](const CardView& card) { return !filter_ || filter_->accepts(card); });
    reportUnfinishedRecord(result, trace, file, path, data->readFailed());
    return 0;
}

bool CardLister::reportProgress(const TextModeFile& data)
{
    stopped_ = !ui_.keepReading({bytesDone_ + data.bytesRead(), bytesTotal_, lineCount_});
    return !stopped_;
}

std::uint64_t CardLister::commandBytes(std::initializer_list<int> sides) const
{
    std::uint64_t total = 0;
    for (int side : sides) {
        std::error_code error;
        const char* file = dataFileName(side);
        const std::uintmax_t size = file ? std::filesystem::file_size(dataDir_ / file, error) : 0;
        total += error ? 0 : size;
    }
    return total;
}

template <typename Load>
void CardLister::replaceList(Load load)
{
    clearList();
    stopped_ = false;
    bytesDone_ = 0;
    view_.setRedraw(false);
    ui_.showNotice();
    load();
    cards_.releaseUnusedTails();
    ui_.hideNotice();
    view_.selectFirstLine();
    view_.setRedraw(true);
}

void CardLister::OnListAll()
{
    bytesTotal_ = commandBytes({0, 1});
    replaceList([this] {
        if (readsAtOnce())
            loadSidesAtOnce({0, 1});
        else if (LoadSide(0) == 0 && !stopped_)
            LoadSide(1);
    });
}

void CardLister::OnListRunner()
{
    bytesTotal_ = commandBytes({1});
    replaceList([this] {
        if (readsAtOnce())
            loadSidesAtOnce({1});
        else
            LoadSide(1);
    });
}

void CardLister::OnListCorp()
{
    bytesTotal_ = commandBytes({0});
    replaceList([this] {
        if (readsAtOnce())
            loadSidesAtOnce({0});
        else
            LoadSide(0);
    });
}

// One side's file as read at once with the others: in one piece, or in
// two halves when it is large.
struct CardLister::SideFile {
    int side = 0;
    std::filesystem::path path;
    std::unique_ptr<ParallelLoad::Part> first;
    std::unique_ptr<ParallelLoad::Part> rest;
};

// As LoadSide for each side in turn, up to the first file that does not
// open, whose message comes after those of the files before it; but all
// are read at once. A file whose reading stopped is listed as far as it
// was read and ends the list: what a later one read is dropped.
void CardLister::loadSidesAtOnce(std::initializer_list<int> sides)
{
    std::vector<SideFile> files;
    std::vector<ParallelLoad::Part*> parts;
    for (int side : sides) {
        SideFile& file = files.emplace_back(SideFile{side, dataDir_ / dataFileName(side), nullptr, nullptr});
        std::unique_ptr<TextModeFile> data = TextModeFile::open(file.path);
        if (!data)
            break;
        file.first = std::make_unique<ParallelLoad::Part>(std::move(data));
        parts.push_back(file.first.get());
        std::error_code error;
        const std::uint64_t size = std::filesystem::file_size(file.path, error);
        const std::uint64_t half = error ? 0 : ParallelLoad::secondHalf(file.path, *file.first->file, size);
        if (std::unique_ptr<TextModeFile> second = half ? TextModeFile::openAt(file.path, half) : nullptr) {
            file.rest = std::make_unique<ParallelLoad::Part>(std::move(second));
            file.first->rest = file.rest.get();
            file.first->restStart = half;
            parts.push_back(file.rest.get());
        }
    }
    ParallelLoad(parts).run([this](std::uint64_t bytes, std::size_t cards) {
        stopped_ = !ui_.keepReading({std::min(bytes, bytesTotal_), bytesTotal_, cards});
        return !stopped_;
    });
    for (SideFile& file : files) {
        if (!file.first) {
            ui_.showMessage({EngineMessage::OpenFailed, dataFileName(file.side), utf8FromPath(file.path), 0, {}});
            return;
        }
        listFile(file);
        file = SideFile{};  // its files closed and its stores, now empty, given back
        if (stopped_)
            return;
    }
}

// The file's cards join the store as they are, and their lines the list;
// the lines of a second half's trace are counted from its first half's
// last.
void CardLister::listFile(SideFile& file)
{
    markSideStart(file.side);
    ParallelLoad::Part* last = file.first.get();
    if (last->restFollows) {
        takeCards(*last);
        const long before = last->file->lineNumber();
        last = file.rest.get();
        RecordTrace& trace = last->trace;
        for (long* line : {&trace.firstLine, &trace.longLine})
            *line += *line ? before : 0;
        trace.lastLine += before;
    }
    takeCards(*last);
    stopped_ = last->ending != ParallelLoad::Part::Ending::Ended;
    reportUnfinishedRecord(last->result, last->trace, dataFileName(file.side), file.path, last->file->readFailed());
}

void CardLister::takeCards(ParallelLoad::Part& part)
{
    const std::size_t first = cards_.size();
    cards_.append(part.cards);
    view_.addCards(cards_, first);
    lineCount_ = cards_.size();
}

bool CardLister::RunSearch(const SearchCriteria& criteria)
{
    if (criteria.fold) {
        FoldedSearch folded(criteria);
        return searchSide(criteria.side, [&folded](const CardView& card) { return folded.accepts(card); });
    }
    return searchSide(criteria.side, [&criteria](const CardView& card) { return criteria.acceptsAsTyped(card); });
}

template <typename Accepts>
bool CardLister::searchSide(int side, Accepts accepts)
{
    const char* file = dataFileName(side);
    std::filesystem::path path = dataDir_ / (file ? file : "");
    // Opened before anything is emptied: a missing file keeps the list.
    std::unique_ptr<TextModeFile> data = file ? TextModeFile::open(path) : nullptr;
    if (!data) {
        ui_.showMessage({EngineMessage::OpenFailed, file ? file : "", utf8FromPath(path), 0, {}});
        return false;
    }
    bytesTotal_ = commandBytes({side});
    RecordTrace trace;
    int result = 0;
    replaceList([&] {
        markSideStart(side);
        result = readRecords(*data, trace, accepts);
    });
    reportUnfinishedRecord(result, trace, file, path, data->readFailed());
    return true;
}

// Reads every record of an open data file and lists those that `accepts`
// takes, until the file ends, a record is bad or the screen stops the
// command; the result of the last read, as Card::read gives it. One loop
// for the list commands and both search tests: without folding it runs the
// very test it always ran, with not even a look at the option per card.
// A card to be kept is read into the store and committed when accepted; one
// only printed is tested and printed where it lies in the file's buffer.
template <typename Accepts>
int CardLister::readRecords(TextModeFile& data, RecordTrace& trace, Accepts accepts)
{
    RecordReader reader(data);
    CardView card;
    const auto next = [&] {
        if (!keepCards_)
            return reader.readInPlace(card, &trace);
        const int result = reader.read(cards_, &trace);
        card = cards_.pendingCard();
        return result;
    };
    const bool printsRecords = view_.printsRecords();
    int result;
    unsigned untilReport = kProgressStride;
    while ((result = next()) == 0) {
        if (accepts(card))
            listCard(card, printsRecords ? reader.recordBytes() : std::string_view());
        if (--untilReport == 0) {
            untilReport = kProgressStride;
            if (!reportProgress(data))
                break;
        }
    }
    bytesDone_ += data.bytesRead();
    return stopped_ ? 1 : result;
}

}  // namespace card
