#include "Finder.h"

#include "CardLister.h"
#include "ConsoleListView.h"
#include "DataFileChecker.h"
#include "DataFiles.h"
#include "RecordWriter.h"
#include "SearchCriteria.h"
#include "SystemConsole.h"
#include "TextFold.h"
#include "TextModeFile.h"
#include "Utf8Path.h"

namespace {
constexpr int kFound = 0;
constexpr int kNothing = 1;
constexpr int kError = 2;
}  // namespace

Finder::Finder(const CommandLine& commandLine, std::FILE* out, std::FILE* err)
    : commandLine_(commandLine), out_(out, commandLine.encoding == CommandLine::Encoding::Cp932), ui_(out_, err)
{
}

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
    switch (commandLine_.command) {
    case CommandLine::Command::Help:
        out_.append(CommandLine::usage());
        return kFound;
    case CommandLine::Command::Version:
        out_.append("voxtarn-find " VOXTARN_VERSION "\n");
        return kFound;
    case CommandLine::Command::ListAll:
    case CommandLine::Command::ListRunner:
    case CommandLine::Command::ListCorp: return runList();
    case CommandLine::Command::Search: return runSearch();
    case CommandLine::Command::Check: return runCheck();
    }
    return kError;
}

// Without -C the files are opened by their bare names, so messages name
// them as "corp.txt"; with -C DIR as "DIR/corp.txt".
std::filesystem::path Finder::dataDir() const
{
    return commandLine_.dataDirGiven ? pathFromUtf8(commandLine_.dataDir) : std::filesystem::path();
}

Cp932Converter* Finder::utf8Converter()
{
    return commandLine_.encoding == CommandLine::Encoding::Utf8 ? &converter_ : nullptr;
}

int Finder::runList()
{
    return runOnList([this](CardLister& lister) {
        switch (commandLine_.command) {
        case CommandLine::Command::ListRunner: lister.OnListRunner(); break;
        case CommandLine::Command::ListCorp: lister.OnListCorp(); break;
        default: lister.OnListAll(); break;
        }
    });
}

int Finder::runSearch()
{
    std::optional<SearchCriteria> criteria = searchCriteria();
    if (!criteria)
        return kError;
    return runOnList([&criteria](CardLister& lister) { lister.RunSearch(*criteria); });
}

// The lines go out as they come; only records need the cards afterwards.
int Finder::runOnList(const std::function<void(CardLister&)>& command)
{
    ConsoleListView view(out_, utf8Converter(), !commandLine_.records);
    CardLister lister(view, ui_, dataDir());
    lister.setKeepCards(commandLine_.records);
    command(lister);
    return listStatus(lister);
}

int Finder::listStatus(const CardLister& lister)
{
    if (commandLine_.records)
        printRecords(lister);
    if (ui_.messageCount() > 0)
        return kError;
    return lister.lineCount() == 0 ? kNothing : kFound;
}

void Finder::printRecords(const CardLister& lister)
{
    std::string record;
    for (const card::CardView card : lister.cards()) {
        record.clear();
        appendRecord(record, card);
        if (Cp932Converter* converter = utf8Converter())
            out_.append(converter->toUtf8(record));
        else
            out_.append(record);
    }
}

std::optional<SearchCriteria> Finder::searchCriteria()
{
    SearchCriteria criteria;
    std::optional<std::string> name = cardText("--name", commandLine_.name);
    std::optional<std::string> type = cardText("--type", commandLine_.type);
    std::optional<std::string> rate = cardText("--rate", commandLine_.rate);
    if (!name || !type || !rate)
        return std::nullopt;
    criteria.name = std::move(*name);
    criteria.type = std::move(*type);
    criteria.rate = std::move(*rate);
    criteria.side = commandLine_.side;
    criteria.mode = commandLine_.mode;
    criteria.fold = commandLine_.fold;
    return criteria;
}

// A character that CP932 cannot hold is an error, never a substitute that
// could match some other card; only a folded search takes a hiragana that
// CP932 lacks as the katakana it folds to anyway.
std::optional<std::string> Finder::cardText(const std::string& option, const std::string& text)
{
    if (commandLine_.encoding == CommandLine::Encoding::Cp932 && !kUnicodeArguments)
        return text;
    std::optional<std::string> bytes =
        converter_.fromUtf8(commandLine_.fold ? textfold::withKatakanaForMissingHiragana(text) : text);
    if (!bytes)
        ui_.showError(option + ": the text is no UTF-8 or holds a character that CP932 cannot hold");
    return bytes;
}

int Finder::runCheck()
{
    bool problemsFound = false;
    bool filesRead = true;
    for (const char* file : datafiles)
        filesRead = checkFile(file, problemsFound) && filesRead;
    if (!filesRead)
        return kError;
    return problemsFound ? kNothing : kFound;
}

bool Finder::checkFile(const char* file, bool& problemsFound)
{
    std::filesystem::path opened = dataDir() / file;
    std::string path = utf8FromPath(opened);
    std::unique_ptr<TextModeFile> data = TextModeFile::open(opened);
    if (!data) {
        ui_.showMessage({EngineMessage::OpenFailed, file, path, 0});
        return false;
    }
    CheckResult result = checkDataFile(*data);
    for (const CheckProblem& problem : result.problems) {
        out_.append(fileLineText(path, problem.line, problem.text));
        out_.append('\n');
    }
    problemsFound = problemsFound || !result.problems.empty();
    out_.append(fileLineText(path, 0, std::to_string(result.cards) + " cards"));
    out_.append('\n');
    if (data->readFailed()) {
        ui_.showMessage({EngineMessage::ReadFailed, file, path, 0});
        return false;
    }
    return true;
}
