// SPDX-License-Identifier: MIT
#include "CardLister.h"
#include "ParallelLoad.h"
#include "TempDir.h"
#include "WorkPair.h"

#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <cerrno>
#include <climits>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace {

using enum card::search_mode;

using Strings = std::vector<std::string>;

// Records what the engine does to the list and the screen, in order; the lines themselves go to `lines`.
class RecordingScreen : public card::CardListOutput, public card::FinderUi {
public:
    Strings lines, events;
    std::vector<card::ReadProgress> reports;
    std::size_t stopAtReport = 0;  // the report that answers "stop", 1-based; 0 for none
    void resetContent() override { lines.clear(); events.push_back("reset"); }
    void addCard(const card::CardView& card) override { card.appendListLine(lines.emplace_back()); }
    void selectFirstLine() override { events.push_back(lines.empty() ? "select none" : "select 0"); }
    void setRedraw(bool on) override { events.push_back(on ? "redraw on" : "redraw off"); }
    void showMessage(const card::EngineMessage& message) override { events.push_back(card::messageText(message)); }
    void showNotice() override { events.push_back("notice"); }
    void hideNotice() override { events.push_back("no notice"); }
    bool keepReading(const card::ReadProgress& progress) override
    {
        reports.push_back(progress);
        return reports.size() != stopAtReport;
    }
};

std::string record(const std::string& name, const std::string& rate = "Common", const std::string& note = "note")
{
    return name + "\nType\nrule\n\n" + note + "\nillust\n" + rate + "\n--\n";
}

const std::string kOpenFailed = "データファイルをオープンできない";
std::string failingName;

// Runs as if the process had `cores` cores while it lives; on more than one, every file is read in two halves.
struct Cores {
    explicit Cores(std::size_t cores) : pretended(cores) { card::ParallelLoad::splitFilesFrom(cores > 1 ? 1 : 0); }
    ~Cores() { card::ParallelLoad::splitFilesFrom(0); }
    card::WorkPair::PretendedCores pretended;
};

const std::string kShiftJisComment = "# \x83\x4A\x81\x5B\x83\x68\n";

std::string records(const std::string& prefix, int count)
{
    std::string all;
    for (int i = 0; i < count; ++i)
        all += record(prefix + std::to_string(i));
    return all;
}

}  // namespace

#if !defined(_WIN32)
// Stands in for the C library's read(2) in this test program: reading the file named `failingName` fails with EIO once
// its first block is read, as on a damaged disk; every other read goes through unchanged.
extern "C" ssize_t read(int fd, void* buffer, size_t count)
{
    if (!failingName.empty() && lseek(fd, 0, SEEK_CUR) > 0) {
        char target[PATH_MAX];
        const ssize_t n = readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), target, sizeof target);
        if (n > 0 && std::string(target, n).ends_with("/" + failingName)) {
            errno = EIO;
            return -1;
        }
    }
    return syscall(SYS_read, fd, buffer, count);
}
#endif

namespace {

class CardListerTest : public ::testing::Test {
protected:
    TempDir dir;
    RecordingScreen screen;
    card::CardLister lister{screen, screen, dir.path()};

    // The names of the listed cards, in step with the list's lines.
    std::string names() const
    {
        std::string result;
        for (const card::CardView card : lister.cards())
            (result += result.empty() ? "" : " ") += card.name;
        EXPECT_EQ(screen.lines.size(), lister.cards().size());
        EXPECT_EQ(lister.lineCount(), screen.lines.size());
        return result;
    }
    // The events since the last call.
    Strings events() { return std::exchange(screen.events, {}); }
};

}  // namespace

TEST_F(CardListerTest, ListCommandsReplaceTheListAndSelectItsFirstLine)
{
    dir.write("corp.txt", record("C1", "Rare", "") + "# between\n" + record("C2"));
    dir.write("runner.txt", record("R1") + "\n\n# empty lines after the last record\n\n");
    lister.OnListAll();
    events();
    lister.OnListAll();
    EXPECT_EQ(names(), "C1 C2 R1");
    EXPECT_EQ(screen.lines[0], "Rare\tC1\tType\t\tillust");  // rarity first; an empty field keeps its tab
    EXPECT_EQ(std::vector<int>({lister.sideOf(0), lister.sideOf(1), lister.sideOf(2)}), std::vector<int>({0, 0, 1}));
    EXPECT_EQ(events(), (Strings{"reset", "redraw off", "notice", "no notice", "select 0", "redraw on"}));
    lister.OnListRunner();
    EXPECT_EQ(names(), "R1");
    EXPECT_EQ(lister.sideOf(0), 1);
    lister.OnListCorp();
    EXPECT_EQ(names(), "C1 C2");
    EXPECT_EQ(lister.sideOf(1), 0);
    events();
    dir.write("runner.txt", "");
    lister.OnListRunner();
    EXPECT_EQ(names(), "");
    EXPECT_EQ(events(), (Strings{"reset", "redraw off", "notice", "no notice", "select none", "redraw on"}));
}

TEST_F(CardListerTest, FilesThatCannotBeReadAreReportedOnceWhileTheNoticeIsUp)
{
    dir.write("runner.txt", record("R1"));
    lister.OnListAll();  // no corp.txt: runner.txt is not read either
    EXPECT_EQ(names(), "");
    EXPECT_EQ(events(), (Strings{"reset", "redraw off", "notice", kOpenFailed, "no notice", "select none", "redraw on"}));

    std::filesystem::remove(dir.path() / "runner.txt");
    dir.write("corp.txt", record("C1"));
    lister.OnListAll();
    EXPECT_EQ(names(), "C1");
    EXPECT_EQ(events()[3], kOpenFailed);

    // A record not closed by "--" ends its file, named by its last line; a record cut short by its first.
    dir.write("corp.txt", record("C1") + "C2\nType\n\nnote\nillust\nRare\n---\n" + record("C3"));
    dir.write("runner.txt", record("R1") + "# tail\nR2\nType\n");
    lister.OnListAll();
    EXPECT_EQ(names(), "C1 R1");
    const Strings all = events();
    EXPECT_EQ(Strings(all.begin() + 3, all.begin() + 5),
              (Strings{"データファイルの形式が正しくない\ncorp.txt 15行目", "データファイルの形式が正しくない\nrunner.txt 10行目"}));
    // A line over 254 bytes is named, and why, rather than the line where its shifted record failed.
    dir.write("runner.txt", record("R1") + "R2\nT\n\n" + std::string(300, 'n') + "\ni\nRare\n--\n");
    lister.OnListRunner();
    EXPECT_EQ(events()[3], "データファイルの形式が正しくない\nrunner.txt 12行目: 行が254バイトを超えている");

#if !defined(_WIN32)
    // A read error: the cards before it stay listed.
    std::string many;
    for (int i = 0; i < 3000; ++i)
        many += record("C" + std::to_string(i));
    for (const std::string mark : {"", "\xEF\xBB\xBF"}) {  // Shift-JIS, and UTF-8 converted as it is read
        dir.write("corp.txt", mark + many);
        failingName = "corp.txt";
        lister.OnListCorp();
        failingName.clear();
        EXPECT_GT(lister.cards().size(), 100u);
        EXPECT_LT(lister.cards().size(), 3000u);
        EXPECT_EQ(events()[3], "データファイルを読み込めない\ncorp.txt");
    }
#endif
}

TEST_F(CardListerTest, SearchListsHitsInFileOrderAndKeepsTheListWhenTheFileIsMissing)
{
    dir.write("runner.txt", record("Alpha", "Rare") + record("Beta", "Rare") + record("alphabet") +
                                "Hit\nT\n\nn\ni\nr\nXX\n" + record("alpha2"));
    lister.RunSearch(card::SearchCriteria{"alpha", "", "", 1, Prefix});
    EXPECT_EQ(names(), "Alpha alphabet");
    EXPECT_EQ(events().back(), "データファイルの形式が正しくない\nrunner.txt 31行目");
    lister.RunSearch(card::SearchCriteria{"zzz", "", "", 1, Prefix});
    EXPECT_EQ(names(), "");
    EXPECT_EQ(events()[4], "select none");

    // A missing file, or a side without a data file: a message and no more.
    lister.RunSearch(card::SearchCriteria{"beta", "", "", 1, Exact});
    events();
    for (int side : {0, 2, -1, 1 << 30}) {
        lister.RunSearch(card::SearchCriteria{"beta", "", "", side, Exact});
        EXPECT_EQ(names(), "Beta");
        EXPECT_EQ(events(), Strings{kOpenFailed});
    }
    EXPECT_EQ(lister.LoadSide(2), -1);
}

// Progress comes every 4096 records, counted across both files of 全カード; a stop keeps what was read and is noted
// with the list, and neither the stop nor the counts reach the next command.
TEST_F(CardListerTest, ProgressAndStopBelongToOneCommand)
{
    const Cores one(1);
    std::string corp, runner;
    for (int i = 0; i < 5000; ++i)
        corp += record("C" + std::to_string(i));
    for (int i = 0; i < 9000; ++i)
        runner += record("R" + std::to_string(i));
    dir.write("corp.txt", corp);
    dir.write("runner.txt", runner);
    dir.write("small/corp.txt", record("C1"));
    dir.write("small/runner.txt", record("R1"));
    screen.stopAtReport = 1;
    lister.OnListAll();
    EXPECT_TRUE(names().ends_with(" C4094 C4095"));  // runner.txt not read
    ASSERT_EQ(lister.earlyEnds().size(), 1u);
    const card::EngineMessage& stop = lister.earlyEnds()[0];
    EXPECT_EQ(messageText(stop) + " " + stop.file + " " + std::to_string(stop.line), "読み込みを中止した corp.txt 32768");
    EXPECT_EQ(events(), (Strings{"reset", "redraw off", "notice", "no notice", "select 0", "redraw on"}));

    // Files too short for a report: nothing is left to reset what the stop set.
    lister.setDataDir(dir.path() / "small");
    lister.OnListAll();
    EXPECT_EQ(names(), "C1 R1");
    EXPECT_TRUE(lister.earlyEnds().empty());

    lister.setDataDir(dir.path());
    screen.reports.clear();
    screen.stopAtReport = 0;
    lister.OnListAll();
    EXPECT_TRUE(names().ends_with(" R8998 R8999"));
    EXPECT_EQ(lister.lineCount(), 14000u);
    ASSERT_EQ(screen.reports.size(), 3u);
    std::uint64_t before = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(screen.reports[i].cards, std::vector<std::size_t>({4096, 9096, 13192})[i]);
        EXPECT_EQ(screen.reports[i].bytesTotal, corp.size() + runner.size());
        EXPECT_GT(screen.reports[i].bytesRead, i ? std::max<std::uint64_t>(before, corp.size()) : 0);
        before = screen.reports[i].bytesRead;
    }
    lister.RunSearch(card::SearchCriteria{"R1", "", "", 1, Exact});  // the progress of runner.txt alone
    EXPECT_EQ(screen.reports.back().bytesTotal, runner.size());
}

// 全カード reads both files at once on two threads, each in two halves: the list, the sides, the messages in file order
// with their lines and the early ends are those of one thread reading one file after the other, while the other file is
// still being read or not, and where a half begins at a line "--" that is no record's end.
TEST_F(CardListerTest, BothFilesReadAtOnceListAsOneThreadDoes)
{
    const std::string bad = "Bad\nType\n\nnote\nillust\nRare\n---\n";
    const std::string many = records("M", 9000), missing = "(missing)";
    // Five lines "--" of rules text in each card, and a comment after them that puts the middle of the file into the
    // name of card 1500: the line "--" after the middle ends no card. Then CR LF line ends.
    std::string dashes, crLf;
    for (int i = 0; i < 3000; ++i) {
        dashes += "D" + std::to_string(1000 + i) + "\nT\n--\n--\n--\n--\n--\nn\ni\nRare\n--\n";
        crLf += "W" + std::to_string(i) + "\r\nType\r\n\r\nnote\r\nillust\r\nRare\r\n--\r\n";
    }
    dashes += "#" + std::string(kShiftJisComment.size(), 'x') + "\n";
    struct Row {
        std::string corp, runner, failing;
    } rows[] = {
        {record("C1") + bad + record("C2"), many, ""},             // a format error while runner.txt is still read
        {many + bad, record("R1") + "R2\nType\n", ""},              // the other way round, both files with an error
        {many, missing, ""},                                        // no runner.txt: its message after corp.txt's cards
        {missing, many, ""},                                        // no corp.txt: runner.txt is not read
        {records("C", 3000), many, "runner.txt"},                   // a read error in runner.txt
        {"\xEF\xBB\xBF" + records("U", 3000), many + bad, "corp.txt"},  // UTF-8 with a read error, and a format error
        {"", "", ""},
        {dashes, dashes, ""},                                       // a wrong guess at the half
        {crLf + bad + crLf, "#\n" + crLf + "\x1A" + many, ""},       // an error in the second half; Ctrl-Z in the first
        {records("B", 20000) + bad, many, ""},                      // an error past the first progress reports
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.corp.substr(0, 20) + " | " + row.runner.substr(0, 20));
        for (const auto& [file, text] : {std::pair{"corp.txt", row.corp}, std::pair{"runner.txt", row.runner}}) {
            std::filesystem::remove(dir.path() / file);
            if (text != missing)  // a Shift-JIS comment first: a file read as UTF-8 is never split
                dir.write(file, text.empty() || text.starts_with("\xEF") ? text : kShiftJisComment + text);
        }
        for (bool keep : {true, false}) {  // cards kept, or lines only printed
            lister.setKeepCards(keep);
            std::string results[2];
            for (std::size_t cores : {1, 2}) {
                const Cores pretended(cores);
                failingName = row.failing;
                lister.OnListAll();
                failingName.clear();
                std::string& result = results[cores - 1];
                result = keep ? names() : std::to_string(screen.lines.size()) + " " + (screen.lines.empty() ? "" : screen.lines.back());
                result += " |";
                for (std::size_t i = 0; i < lister.cards().size(); ++i)
                    result += std::to_string(lister.sideOf(i));
                for (const std::string& event : events())
                    result += " | " + event;
                for (const card::EngineMessage& end : lister.earlyEnds())
                    result += " | " + end.file + ":" + std::to_string(end.line);
            }
            EXPECT_EQ(results[1], results[0]) << keep;
        }
        lister.setKeepCards(true);
    }
}

// A stop at any progress report, on one thread or two, cards kept or only printed: the list holds the cards of the
// files in their order up to where the stop found the reading, the file it stopped named with the line of its last
// card, and nothing after it; the next command reads everything again.
TEST_F(CardListerTest, AReadingStoppedAtAnyReportKeepsAPrefixOfTheList)
{
    constexpr int kCorp = 20000, kRunner = 40000, kLines = 8;  // lines a record; long enough for reports on two threads
    dir.write("corp.txt", kShiftJisComment + records("C", kCorp));
    dir.write("runner.txt", kShiftJisComment + records("R", kRunner));
    for (bool keep : {true, false}) {
        lister.setKeepCards(keep);
        std::vector<std::size_t> listedAt[2];  // by cores, at each stop
        for (std::size_t cores : {1, 2}) {
            const Cores pretended(cores);
            for (screen.stopAtReport = 1; screen.stopAtReport < 1000; ++screen.stopAtReport) {
                screen.reports.clear();
                lister.OnListAll();
                const std::size_t listed = screen.lines.size();
                if (lister.earlyEnds().empty()) {
                    EXPECT_EQ(listed, std::size_t(kCorp + kRunner));
                    break;
                }
                listedAt[cores - 1].push_back(listed);
                const bool inCorp = listed < kCorp;
                ASSERT_GT(listed, 0u);
                EXPECT_TRUE(screen.lines.back().starts_with("Common\t" + std::string(inCorp ? "C" : "R") +
                                                            std::to_string(inCorp ? listed - 1 : listed - kCorp - 1) + "\t"));
                ASSERT_EQ(lister.earlyEnds().size(), 1u);
                const card::EngineMessage& stop = lister.earlyEnds()[0];
                EXPECT_EQ(stop.file + ":" + std::to_string(stop.line),
                          (inCorp ? "corp.txt:" + std::to_string(listed * kLines + 1) : "runner.txt:" + std::to_string((listed - kCorp) * kLines + 1)));
                EXPECT_EQ(screen.reports.size(), screen.stopAtReport);  // none after the stop
                EXPECT_EQ(lister.cards().size(), keep ? listed : 0);
            }
            EXPECT_GE(listedAt[cores - 1].size(), 1u) << cores;
            screen.stopAtReport = 0;
            lister.OnListAll();
            EXPECT_EQ(screen.lines.size(), std::size_t(kCorp + kRunner));
            EXPECT_TRUE(lister.earlyEnds().empty());
        }
        if (!keep) {
            EXPECT_EQ(listedAt[1], listedAt[0]);
        }
    }
    lister.setKeepCards(true);
}
