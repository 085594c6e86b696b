#include "CardLister.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Records what the engine does to the list and the screen, in order.
class RecordingScreen : public CardListView, public FinderUi {
public:
    std::vector<std::string> lines;
    int selected = -1;
    std::vector<std::string> events;
    std::vector<EngineMessage> messages;

    void resetContent() override
    {
        lines.clear();
        selected = -1;
        events.push_back("reset");
    }
    void addString(std::string line) override { lines.push_back(std::move(line)); }
    void selectFirstLine() override
    {
        selected = lines.empty() ? -1 : 0;
        events.push_back("select");
    }
    void setRedraw(bool on) override { events.push_back(on ? "redraw on" : "redraw off"); }
    void showMessage(const EngineMessage& message) override
    {
        messages.push_back(message);
        events.push_back("message " + messageText(message));
    }
    void showNotice() override { events.push_back("notice"); }
    void hideNotice() override { events.push_back("no notice"); }
};

std::string record(const std::string& name, const std::string& rate = "Common")
{
    return name + "\nType\nrule\n\nnote\nillust\n" + rate + "\n--\n";
}

class CardListerTest : public ::testing::Test {
protected:
    TempDir dir;
    RecordingScreen screen;
    CardLister lister{screen, screen, dir.path()};

    std::vector<std::string> names() const
    {
        std::vector<std::string> result;
        for (const auto& card : lister.cards())
            result.push_back(card->name);
        return result;
    }
};

}  // namespace

TEST_F(CardListerTest, ListAllShowsCorporateThenRunnerAndSelectsFirstLine)
{
    dir.write("corp.txt", record("C1") + "# between\n" + record("C2"));
    dir.write("runner.txt", record("R1"));
    lister.OnListAll();
    EXPECT_EQ(names(), (std::vector<std::string>{"C1", "C2", "R1"}));
    EXPECT_EQ(screen.lines.size(), 3u);
    EXPECT_EQ(screen.lines[0], "Common\tC1\tType\tnote\tillust");
    EXPECT_EQ(screen.selected, 0);
    EXPECT_EQ(screen.events,
              (std::vector<std::string>{"reset", "redraw off", "notice", "no notice", "select", "redraw on"}));

    // Twice: one copy of each card, list and array in step.
    lister.OnListAll();
    EXPECT_EQ(names().size(), 3u);
    EXPECT_EQ(screen.lines.size(), 3u);

    lister.OnListRunner();
    EXPECT_EQ(names(), (std::vector<std::string>{"R1"}));
    lister.OnListCorp();
    EXPECT_EQ(names(), (std::vector<std::string>{"C1", "C2"}));
    EXPECT_TRUE(screen.messages.empty());
}

TEST_F(CardListerTest, MissingFilesAreReportedOnceWhileTheNoticeIsUp)
{
    dir.write("runner.txt", record("R1"));
    lister.OnListAll();  // no corp.txt: runner.txt is not read either
    EXPECT_TRUE(lister.cards().empty());
    EXPECT_EQ(screen.selected, -1);
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].kind, EngineMessage::OpenFailed);
    EXPECT_EQ(screen.messages[0].file, "corp.txt");
    EXPECT_EQ(screen.events[3], "message データファイルをオープンできない");

    std::filesystem::remove(dir.path() / "runner.txt");
    dir.write("corp.txt", record("C1"));
    screen.messages.clear();
    lister.OnListAll();
    EXPECT_EQ(names(), (std::vector<std::string>{"C1"}));
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].file, "runner.txt");

    // A directory in place of the file cannot be opened either.
    std::filesystem::create_directory(dir.path() / "runner.txt");
    screen.messages.clear();
    lister.OnListRunner();
    EXPECT_TRUE(lister.cards().empty());
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].kind, EngineMessage::OpenFailed);
}

TEST_F(CardListerTest, FormatErrorStopsTheFileAndNamesItsLine)
{
    dir.write("corp.txt", record("C1") + "C2\nType\n\nnote\nillust\nRare\n---\n" + record("C3"));
    dir.write("runner.txt", record("R1"));
    lister.OnListAll();
    EXPECT_EQ(names(), (std::vector<std::string>{"C1", "R1"}));
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(messageText(screen.messages[0]), "データファイルの形式が正しくない\ncorp.txt 15行目");

    // A record cut short that holds text is reported at its first line...
    dir.write("runner.txt", record("R1") + "# tail\nR2\nType\n");
    screen.messages.clear();
    lister.OnListRunner();
    EXPECT_EQ(names(), (std::vector<std::string>{"R1"}));
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].line, 10);

    // ...but empty lines and comments after the last record are no error.
    dir.write("runner.txt", record("R1") + "\n\n# end\n\n");
    screen.messages.clear();
    lister.OnListRunner();
    EXPECT_EQ(names(), (std::vector<std::string>{"R1"}));
    EXPECT_TRUE(screen.messages.empty());

    // An empty file lists nothing and says nothing.
    dir.write("runner.txt", "");
    lister.OnListRunner();
    EXPECT_TRUE(lister.cards().empty());
    EXPECT_TRUE(screen.messages.empty());
}

TEST_F(CardListerTest, SearchListsHitsInFileOrderAndKeepsTheListWhenTheFileIsMissing)
{
    dir.write("runner.txt", record("Alpha", "Rare") + record("Beta", "Rare") + record("alphabet", "Common"));
    SearchCriteria criteria{"alpha", "", "", 1, Prefix};
    lister.RunSearch(criteria);
    EXPECT_EQ(names(), (std::vector<std::string>{"Alpha", "alphabet"}));
    EXPECT_EQ(screen.selected, 0);

    criteria.rate = "rare";
    lister.RunSearch(criteria);
    EXPECT_EQ(names(), (std::vector<std::string>{"Alpha"}));

    // Zero hits: empty list, nothing selected, no message.
    criteria.name = "zzz";
    lister.RunSearch(criteria);
    EXPECT_TRUE(lister.cards().empty());
    EXPECT_EQ(screen.selected, -1);
    EXPECT_TRUE(screen.messages.empty());

    // A missing file leaves the previous list untouched and shows no notice.
    criteria = SearchCriteria{"beta", "", "", 1, Exact};
    lister.RunSearch(criteria);
    ASSERT_EQ(names(), (std::vector<std::string>{"Beta"}));
    screen.events.clear();
    criteria.side = 0;
    lister.RunSearch(criteria);
    EXPECT_EQ(names(), (std::vector<std::string>{"Beta"}));
    EXPECT_EQ(screen.lines.size(), 1u);
    EXPECT_EQ(screen.events, (std::vector<std::string>{"message データファイルをオープンできない"}));

    // A side without a data file is treated like a file that cannot be opened.
    for (int side : {2, -1, 1 << 30}) {
        criteria.side = side;
        lister.RunSearch(criteria);
        EXPECT_EQ(names(), (std::vector<std::string>{"Beta"}));
        EXPECT_EQ(lister.LoadSide(side), -1);
    }
}

TEST_F(CardListerTest, SearchStopsAtABadRecordAndKeepsEarlierHits)
{
    dir.write("corp.txt", record("Hit1") + record("Other") + "Hit3\nT\n\nn\ni\nr\nXX\n" + record("Hit4"));
    lister.RunSearch(SearchCriteria{"hit", "", "", 0, Prefix});
    EXPECT_EQ(names(), (std::vector<std::string>{"Hit1"}));
    ASSERT_EQ(screen.messages.size(), 1u);
    EXPECT_EQ(screen.messages[0].kind, EngineMessage::FormatError);
    EXPECT_EQ(screen.messages[0].line, 23);
}

TEST(ListLine, RarityFirstAndEmptyFieldsKeepTheirTabs)
{
    Card card;
    card.rate = "Rare";
    card.name = "N";
    card.type = "T";
    card.note = "X";
    card.illust = "Y";
    EXPECT_EQ(listLine(card), "Rare\tN\tT\tX\tY");
    card.note.clear();
    card.illust.clear();
    EXPECT_EQ(listLine(card), "Rare\tN\tT\t\t");
}

TEST_F(CardListerTest, WithoutKeepingCardsTheLinesStillComeAndAreCounted)
{
    dir.write("corp.txt", record("C1") + record("C2"));
    dir.write("runner.txt", record("R1"));
    lister.setKeepCards(false);
    lister.OnListAll();
    EXPECT_TRUE(lister.cards().empty());
    EXPECT_EQ(lister.lineCount(), 3u);
    EXPECT_EQ(screen.lines.size(), 3u);
    lister.RunSearch(SearchCriteria{"zzz", "", "", 0, Exact});
    EXPECT_EQ(lister.lineCount(), 0u);
}
