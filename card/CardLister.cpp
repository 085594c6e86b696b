#include "CardLister.h"

#include "DataFiles.h"
#include "FoldedSearch.h"
#include "TextModeFile.h"
#include "Utf8Path.h"

namespace card {

CardLister::CardLister(CardListView& view, FinderUi& ui, std::filesystem::path dataDir)
    : view_(view), ui_(ui), dataDir_(std::move(dataDir))
{
}

std::string listLine(const Card& card)
{
    std::string line;
    line.reserve(card.rate.size() + card.name.size() + card.type.size() + card.note.size() +
                 card.illust.size() + 4);
    line += card.rate;
    line += '\t';
    line += card.name;
    line += '\t';
    line += card.type;
    line += '\t';
    line += card.note;
    line += '\t';
    line += card.illust;
    return line;
}

void CardLister::AddCardLine(const Card& card)
{
    if (keepCards_)
        cards_.push_back(std::make_unique<Card>(card));
    view_.addString(listLine(card));
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
    if (readFailed) {
        message.kind = EngineMessage::ReadFailed;
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

int CardLister::LoadSide(int side)
{
    Card scratch;
    const char* file = dataFileName(side);
    std::filesystem::path path = dataDir_ / (file ? file : "");
    std::unique_ptr<TextModeFile> data = file ? TextModeFile::open(path) : nullptr;
    if (!data) {
        ui_.showMessage({EngineMessage::OpenFailed, file ? file : "", utf8FromPath(path), 0});
        return -1;
    }
    RecordTrace trace;
    int result;
    while ((result = scratch.read(*data, &trace)) == 0)
        AddCardLine(scratch);
    reportUnfinishedRecord(result, trace, file, path, data->readFailed());
    return 0;
}

template <typename Load> void CardLister::replaceList(Load load)
{
    clearList();
    view_.setRedraw(false);
    ui_.showNotice();
    load();
    ui_.hideNotice();
    view_.selectFirstLine();
    view_.setRedraw(true);
}

void CardLister::OnListAll()
{
    replaceList([this] {
        if (LoadSide(0) == 0)
            LoadSide(1);
    });
}

void CardLister::OnListRunner()
{
    replaceList([this] { LoadSide(1); });
}

void CardLister::OnListCorp()
{
    replaceList([this] { LoadSide(0); });
}

bool CardLister::RunSearch(const SearchCriteria& criteria)
{
    if (criteria.fold) {
        FoldedSearch folded(criteria);
        return searchSide(criteria.side, [&folded](const Card& card) { return folded.accepts(card); });
    }
    return searchSide(criteria.side, [&criteria](const Card& card) { return criteria.acceptsAsTyped(card); });
}

// One loop for both tests: without folding it runs the very test it always
// ran, with not even a look at the option per card.
template <typename Accepts> bool CardLister::searchSide(int side, Accepts accepts)
{
    Card work;
    const char* file = dataFileName(side);
    std::filesystem::path path = dataDir_ / (file ? file : "");
    // Opened before anything is emptied: a missing file keeps the list.
    std::unique_ptr<TextModeFile> data = file ? TextModeFile::open(path) : nullptr;
    if (!data) {
        ui_.showMessage({EngineMessage::OpenFailed, file ? file : "", utf8FromPath(path), 0});
        return false;
    }
    RecordTrace trace;
    int result = 0;
    replaceList([&] {
        while ((result = work.read(*data, &trace)) == 0) {
            if (accepts(work))
                AddCardLine(work);
        }
    });
    reportUnfinishedRecord(result, trace, file, path, data->readFailed());
    return true;
}

}  // namespace card
