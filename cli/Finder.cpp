// SPDX-License-Identifier: MIT
#include "Finder.h"

#include "CardFilter.h"
#include "CardLayout.h"
#include "CardLister.h"
#include "ConsoleListView.h"
#include "CsvWriter.h"
#include "DataFileChecker.h"
#include "Deck.h"
#include "DeckFile.h"
#include "DeckLookup.h"
#include "FilterText.h"
#include "ListOrder.h"
#include "MecabAnalyser.h"
#include "OperatingSystem.h"
#include "RecordWriter.h"
#include "SearchCriteria.h"
#include "ShiftJis.h"
#include "SystemConsole.h"
#include "TextModeFile.h"
#include "TextReadings.h"
#include "Utf8Path.h"
#include "Utf8Transcoder.h"

#include <algorithm>
#include <set>

namespace {
constexpr int kFound = 0;
constexpr int kNothing = 1;
constexpr int kError = 2;
}  // namespace

Finder::Finder(const CommandLine& commandLine, std::FILE* out, std::FILE* err)
    : commandLine_(commandLine),
      outFile_(out),
      out_(out, commandLine.encoding == CommandLine::Encoding::Cp932 && commandLine.format != CommandLine::Format::Csv),
      ui_(out_, err)
{
}

Finder::~Finder() = default;

int Finder::run()
{
    int status = kError;
    try {
        status = runCommand();
    } catch (const OutputSink::WriteFailed&) {
        // Reported below, once.
    }
    // A full disk or a closed pipe must not pass for a finished listing.
    if (!out_.flush()) {
        ui_.showError("cannot write to standard output");
        status = kError;
    }
    return status;
}

int Finder::runCommand()
{
    if (dataDirIsNoFolder()) {
        ui_.showError(commandLine_.dataDir + ": not a folder");
        return kError;
    }
    switch (commandLine_.command) {
    case CommandLine::Command::Help: out_.append(CommandLine::usage()); return kFound;
    case CommandLine::Command::Version: out_.append("voxtarn-find " VOXTARN_VERSION "\n"); return kFound;
    case CommandLine::Command::ListAll:
    case CommandLine::Command::ListRunner:
    case CommandLine::Command::ListCorp: return runList();
    case CommandLine::Command::Search: return runSearch();
    case CommandLine::Command::Filter: return runFilter();
    case CommandLine::Command::Deck: return runDeck();
    case CommandLine::Command::Check: return runCheck();
    }
    return kError;
}

// Without -C the files are opened by their bare names, so messages name
// them as "corp.txt"; with -C DIR as "DIR/corp.txt".
std::filesystem::path Finder::dataDir() const
{
    return commandLine_.dataDirGiven ? card::pathFromUtf8(commandLine_.dataDir) : std::filesystem::path();
}

// A -C that names a file would otherwise be reported as "FILE/corp.txt"
// that cannot be opened; a path that does not exist is reported so.
bool Finder::dataDirIsNoFolder() const
{
    std::error_code error;
    return commandLine_.dataDirGiven && std::filesystem::exists(dataDir(), error) &&
           !std::filesystem::is_directory(dataDir(), error);
}

card::Cp932Converter* Finder::utf8Converter()
{
    return commandLine_.encoding == CommandLine::Encoding::Utf8 ? &converter_ : nullptr;
}

int Finder::runList()
{
    return runOnList([this](card::CardLister& lister) { listCards(lister, commandLine_.command); });
}

void Finder::listCards(card::CardLister& lister, CommandLine::Command list)
{
    switch (list) {
    case CommandLine::Command::ListRunner: lister.OnListRunner(); break;
    case CommandLine::Command::ListCorp: lister.OnListCorp(); break;
    default: lister.OnListAll(); break;
    }
}

int Finder::runSearch()
{
    std::optional<card::SearchCriteria> criteria = searchCriteria();
    if (!criteria)
        return kError;
    if (criteria->lacksText())
        ui_.showHint(card::kNoTextHint);
    return runOnList([&criteria](card::CardLister& lister) { lister.RunSearch(*criteria); });
}

// A word CP932 cannot hold is in no card, and what the text leaves out is
// left out: both told, and filtered as such, as the window's filter box does.
// A byte that is no UTF-8 is no word at all.
int Finder::runFilter()
{
    const card::FilterText text(filterText(), commandLine_.filterFold, converter_);
    if (text.notUtf8()) {
        ui_.showError("filter: a word is no UTF-8");
        return kError;
    }
    if (text.cut())
        ui_.showHint("filter: only the first " + std::to_string(card::FilterText::kMaxWords) + " words and " +
                     std::to_string(card::FilterText::kMaxCharacters) + " characters are read");
    if (!text.unholdable().empty())
        ui_.showHint("CP932 cannot hold " + text.unholdable() + ": no card holds it");
    if (!text.ignored().empty())
        ui_.showHint("絞り込みで無視: " + text.ignoredText());
    card::CardFilter filter(text);
    // Kana words match readings too: the cards are then read aloud first.
    if (filter.readsKana())
        filter = card::CardFilter(text, nullptr, &readings());
    const bool marked = commandLine_.filterColor == CommandLine::Color::Always ||
                        (commandLine_.filterColor == CommandLine::Color::Auto && isColourTerminal(outFile_));
    return runOnList([this](card::CardLister& lister) { listCards(lister, commandLine_.filterList); }, &filter,
                     marked);
}

card::TextReadings& Finder::readings()
{
    if (readings_)
        return *readings_;
    std::string error;
    std::unique_ptr<card::MecabAnalyser> analyser = card::MecabAnalyser::open(card::os::programFolder(), error);
    if (!analyser)
        ui_.showHint("readings of kanji unavailable: " + error);
    card::ReadingCorrections corrections = card::ReadingCorrections::load(dataDir());
    const std::string file = card::utf8FromPath(dataDir() / std::string(card::ReadingCorrections::kFileName));
    if (corrections.unreadable())
        ui_.showHint(file + ": cannot be read");
    for (const card::ReadingCorrections::Problem& problem : corrections.problems())
        ui_.showHint(file + ":" + std::to_string(problem.line) + ": " + problem.reason + ", line left out");
    readings_ = std::make_unique<card::TextReadings>(std::move(analyser), std::move(corrections));
    return *readings_;
}

bool Finder::listsWholeFirst(const card::CardFilter* filter) const
{
    return commandLine_.sort || commandLine_.showReading || (filter && filter->readsKana());
}

std::string Finder::filterText()
{
    if (commandLine_.encoding == CommandLine::Encoding::Cp932 && !kUnicodeArguments)
        return converter_.toUtf8(commandLine_.filterText);
    return commandLine_.filterText;
}

// The lines and records go out as they come.
int Finder::runOnList(const std::function<void(card::CardLister&)>& command, card::CardFilter* filter, bool marked)
{
    if (listsWholeFirst(filter)) {
        ConsoleListView quiet(out_, nullptr, ConsoleListView::Print::Nothing);
        card::CardLister lister(quiet, ui_, dataDir());
        command(lister);
        return printWhole(lister, filter, marked);
    }
    ConsoleListView view(out_, utf8Converter(), printStyle());
    view.markMatchesOf(marked ? filter : nullptr);
    card::CardLister lister(view, ui_, dataDir());
    lister.setKeepCards(false);
    lister.setFilter(filter);
    command(lister);
    if (ui_.messageCount() > 0)
        return kError;
    return lister.lineCount() == 0 ? kNothing : kFound;
}

ConsoleListView::Print Finder::printStyle() const
{
    using Print = ConsoleListView::Print;
    switch (commandLine_.format) {
    case CommandLine::Format::Records:
        return Print::Records;
    case CommandLine::Format::Csv:
        return Print::Csv;
    default:
        return Print::Lines;
    }
}

// Every listed card's name, type and illustrator is read before the first
// line goes out: the order and the filter need all of them.
int Finder::printWhole(const card::CardLister& lister, card::CardFilter* filter, bool marked)
{
    const card::CardStore& cards = lister.cards();
    const bool reads = (filter && filter->readsKana()) || commandLine_.showReading ||
                       (commandLine_.sort && commandLine_.sort != CommandLine::Sort::Rate && commandLine_.byReading);
    if (reads)
        readings().addCards(cards, 0, cards.size());
    std::vector<std::uint32_t> shown;
    for (std::uint32_t i = 0; i < cards.size(); ++i) {
        if (!filter || filter->accepts(cards[i]))
            shown.push_back(i);
    }
    if (commandLine_.sort)
        shown = ListOrder::sorted(cards, std::move(shown), *commandLine_.sort,
                                  commandLine_.byReading && reads ? &readings() : nullptr);
    ConsoleListView view(out_, utf8Converter(), printStyle());
    view.markMatchesOf(marked ? filter : nullptr);
    view.showReadingsOf(commandLine_.showReading ? &readings() : nullptr);
    for (std::uint32_t i : shown)
        view.addCard(cards[i]);
    if (ui_.messageCount() > 0)
        return kError;
    return shown.empty() ? kNothing : kFound;
}

std::optional<card::SearchCriteria> Finder::searchCriteria()
{
    card::SearchCriteria criteria = commandLine_.criteria;
    std::optional<std::string> name = cardText("--name", criteria.name);
    std::optional<std::string> type = cardText("--type", criteria.type);
    std::optional<std::string> rate = cardText("--rate", criteria.rate);
    if (!name || !type || !rate)
        return std::nullopt;
    criteria.name = std::move(*name);
    criteria.type = std::move(*type);
    criteria.rate = std::move(*rate);
    return criteria;
}

// A character that CP932 cannot hold is an error, never a substitute that
// could match some other card; only a folded search takes a hiragana that
// CP932 lacks as the katakana it folds to anyway.
std::optional<std::string> Finder::cardText(const std::string& option, const std::string& text)
{
    if (commandLine_.encoding == CommandLine::Encoding::Cp932 && !kUnicodeArguments)
        return std::string(card::sjis::truncateToBytes(text, card::kMaxSearchTextBytes));
    std::optional<std::string> bytes = card::searchTextFromUtf8(text, commandLine_.criteria.fold);
    if (!bytes)
        ui_.showError(option + ": the text is no UTF-8 or holds a character that CP932 cannot hold");
    return bytes;
}

// Beside the file's own problems, in the order of the file.
void Finder::addTranscodingProblems(const card::Utf8Transcoder& utf8, card::CheckResult& result)
{
    for (const card::Utf8Transcoder::Problem& problem : utf8.problems()) {
        result.problems.push_back({problem.line, problem.invalid ? "UTF-8 として正しくないバイト列を 〓 にした"
                                                                 : "Shift-JIS にない文字を 〓 にした"});
    }
    std::stable_sort(result.problems.begin(), result.problems.end(),
                     [](const card::CheckProblem& a, const card::CheckProblem& b) { return a.line < b.line; });
}

int Finder::runCheck()
{
    bool problemsFound = false;
    bool filesRead = true;
    for (const char* file : card::datafiles)
        filesRead = checkFile(file, problemsFound) && filesRead;
    if (!filesRead)
        return kError;
    return problemsFound ? kNothing : kFound;
}

bool Finder::checkFile(const char* file, bool& problemsFound)
{
    std::filesystem::path opened = dataDir() / file;
    std::string path = card::utf8FromPath(opened);
    std::unique_ptr<card::TextModeFile> data = card::TextModeFile::open(opened);
    if (!data) {
        ui_.showMessage({card::EngineMessage::OpenFailed, file, path, 0, {}});
        return false;
    }
    card::CheckResult result = card::checkDataFile(*data);
    if (const card::Utf8Transcoder* utf8 = data->utf8()) {
        out_.append(fileLineText(path, 0, "UTF-8") + '\n');
        addTranscodingProblems(*utf8, result);
    }
    // Text after a Ctrl-Z is no card, though an editor shows it.
    if (const std::optional<card::TextModeFile::EndMark> mark = data->endMarkBeforeText()) {
        result.problems.push_back({mark->line, "0x1A でファイルが終わり、後に続く " + std::to_string(mark->linesAfter) +
                                                   "行は読まれない"});
    }
    for (const card::CheckProblem& problem : result.problems) {
        out_.append(fileLineText(path, problem.line, problem.text));
        out_.append('\n');
    }
    problemsFound = problemsFound || !result.problems.empty();
    out_.append(fileLineText(path, 0, std::to_string(result.cards) + " cards"));
    out_.append('\n');
    if (data->readFailed()) {
        ui_.showMessage({card::EngineMessage::ReadFailed, file, path, 0, {}});
        return false;
    }
    return true;
}

std::optional<std::string> Finder::deckText()
{
    using Refusal = card::DeckFile::Refusal;
    std::string text;
    const Refusal refusal = card::DeckFile::read(card::pathFromUtf8(commandLine_.deckFile), text);
    const char* why = refusal == Refusal::CannotOpen ? "cannot be opened"
                      : refusal == Refusal::Folder   ? "is a folder"
                      : refusal == Refusal::TooLarge ? "is over 1 MB: no deck file"
                      : refusal == Refusal::HasNul   ? "holds NUL bytes: no deck file"
                                                     : nullptr;
    if (why) {
        ui_.showError(commandLine_.deckFile + ": " + why);
        return std::nullopt;
    }
    return text;
}

// The deck's found cards in the order of its file; each line that is no
// card of the data folder on standard error, with its line number.
int Finder::runDeck()
{
    const std::optional<std::string> text = deckText();
    if (!text)
        return kError;
    card::Deck deck = card::Deck::fromText(*text);
    for (const card::EngineMessage& message : card::DeckLookup(dataDir()).lookUp(deck))
        ui_.showMessage(message);
    deck.mergeDuplicates();
    for (const card::DeckLine& line : deck.lines())
        reportDeckLine(line);
    if (commandLine_.format == CommandLine::Format::Csv)
        out_.append(card::CsvWriter().deck(deck));
    else
        printDeck(deck);
    if (ui_.messageCount() > 0)
        return kError;
    return deck.notFoundCount() > 0 ? kNothing : kFound;
}

// Each card once, in the order of the file.
void Finder::printDeck(const card::Deck& deck)
{
    std::set<std::pair<int, std::string>> printed;
    std::string record;
    for (const card::DeckLine& line : deck.lines()) {
        if (commandLine_.format == CommandLine::Format::Lines) {
            printDeckLine(line);
        } else if (line.found() && printed.insert({line.side, line.card.name}).second) {
            record.clear();
            card::appendRecord(record, line.card);
            out_.append(utf8Converter() ? converter_.toUtf8(record) : record);
        }
    }
}

void Finder::printDeckLine(const card::DeckLine& line)
{
    if (!line.found())
        return;
    std::string listLine;
    card::CardView(line.card).appendListLine(listLine);
    const std::string side = line.side == 0 ? "corp" : "runner";
    out_.append(std::to_string(line.count) + "\t" + side + "\t" +
                (utf8Converter() ? converter_.toUtf8(listLine) : listLine) + "\n");
}

void Finder::reportDeckLine(const card::DeckLine& line)
{
    using Kind = card::DeckLine::Kind;
    std::string what;
    if (line.kind == Kind::Card && !line.found())
        what = "not in the card files: " + line.name;
    else if (line.kind == Kind::Unreadable)
        what = "not a count and a name: " + line.text;
    else if (line.found() && line.byFolding)
        what = "found with kana and width folded: " + line.name;
    else
        return;
    ui_.showFileNote(commandLine_.deckFile, line.lineNumber, what);
}
