#include "Cp932Converter.h"
#include "FinderProcess.h"

#include <gtest/gtest.h>

#include <sstream>
#include <sys/stat.h>

namespace {

// CP932 bytes of a UTF-8 literal.
std::string sjis(const std::string& utf8)
{
    Cp932Converter converter;
    std::optional<std::string> bytes = converter.fromUtf8(utf8);
    EXPECT_TRUE(bytes.has_value()) << utf8;
    return bytes.value_or("");
}

// One record of the data-file format, LF line ends, in UTF-8.
std::string record(const std::string& name, const std::string& rate = "Common",
                   const std::vector<std::string>& text = {}, const std::string& type = "T",
                   const std::string& note = "n", const std::string& illust = "i")
{
    std::string out = name + "\n" + type + "\n";
    for (const std::string& line : text)
        out += line + "\n";
    if (text.size() < 5)
        out += "\n";
    return out + note + "\n" + illust + "\n" + rate + "\n--\n";
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

constexpr const char* kOpenFailed = "データファイルをオープンできない";
constexpr const char* kFormatError = "データファイルの形式が正しくない";

}  // namespace

TEST(FinderCli, ListsCorpThenRunnerAndExitsByWhatItPrinted)
{
    FinderProcess finder;
    finder.write("corp.txt", sjis(record("灰の門", "Rare", {"* 侵入を終了する。"}, "アイス：城壁", "X", "Y") +
                                  "# a comment between records\n" + record("C2", "Common", {}, "T", "", "")));
    finder.write("runner.txt", sjis(record("蜘蛛の糸", "Uncommon", {"[1]: 強度+1。"}, "プログラム")));

    auto all = finder.run({"list", "all"});
    EXPECT_EQ(all.status, 0);
    EXPECT_EQ(all.out, "Rare\t灰の門\tアイス：城壁\tX\tY\n"
                       "Common\tC2\tT\t\t\n"
                       "Uncommon\t蜘蛛の糸\tプログラム\tn\ti\n");
    EXPECT_EQ(all.err, "");

    EXPECT_EQ(lines(finder.run({"list", "corp"}).out).size(), 2u);
    EXPECT_EQ(finder.run({"list", "runner"}).out, "Uncommon\t蜘蛛の糸\tプログラム\tn\ti\n");

    auto none = finder.run({"search", "--name", "nothing like it"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, "");

    finder.write("runner.txt", "# only a comment\n");
    auto empty = finder.run({"list", "runner"});
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.err, "");
}

TEST(FinderCli, BadArgumentsExitTwoWithAHint)
{
    FinderProcess finder;
    finder.write("corp.txt", record("A"));
    finder.write("runner.txt", record("B"));
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"bogus"},
        {"list"},
        {"list", "some"},
        {"list", "all", "corp"},
        {"list", "all", "--records=yes"},
        {"search", "--fold=yes"},
        {"search", "--mode", "fuzzy"},
        {"search", "--side", "both"},
        {"search", "--name"},
        {"search", "loose-word"},
        {"--encoding", "latin1", "list", "all"},
        {"-C"},
        {"check", "extra"},
        {"--colour", "list", "all"},
    };
    for (const auto& args : bad) {
        auto result = finder.run(args);
        std::string shown = args.empty() ? "(none)" : args[0] + (args.size() > 1 ? " " + args[1] : "");
        EXPECT_EQ(result.status, 2) << shown;
        EXPECT_EQ(result.out, "") << shown;
        EXPECT_NE(result.err.find("Try 'voxtarn-find --help'."), std::string::npos) << shown;
    }

    auto help = finder.run({"list", "all", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: voxtarn-find", 0), 0u);
    auto version = finder.run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "voxtarn-find 0.3\n");
}

TEST(FinderCli, FilesThatCannotBeOpenedAreErrorsNamedAsOpened)
{
    FinderProcess finder;
    // Without -C the files are opened, and named, by their bare names;
    // a missing corp.txt means runner.txt is not read at all.
    auto noFiles = finder.run({"list", "all"});
    EXPECT_EQ(noFiles.status, 2);
    EXPECT_EQ(noFiles.out, "");
    EXPECT_EQ(noFiles.err, std::string("corp.txt: ") + kOpenFailed + "\n");

    finder.write("corp.txt", record("A"));
    auto noRunner = finder.run({"list", "all"});
    EXPECT_EQ(noRunner.status, 2);
    EXPECT_EQ(noRunner.out, "Common\tA\tT\tn\ti\n");
    EXPECT_EQ(noRunner.err, std::string("runner.txt: ") + kOpenFailed + "\n");

    // A directory where the data file should be.
    finder.write("sub/runner.txt", record("R"));
    std::filesystem::create_directories(finder.dir() / "sub" / "corp.txt");
    auto directory = finder.run({"-C", "sub", "search", "--name", "R"});
    EXPECT_EQ(directory.status, 2);
    EXPECT_EQ(directory.err, std::string("sub/corp.txt: ") + kOpenFailed + "\n");
    EXPECT_EQ(finder.run({"-C", "sub", "search", "--side", "runner", "--name", "r"}).status, 0);

    EXPECT_EQ(finder.run({"-C", "no/such/dir", "list", "runner"}).status, 2);

    // A FIFO is refused at once, never waited on.
    std::filesystem::create_directories(finder.dir() / "pipe");
    ::mkfifo((finder.dir() / "pipe" / "corp.txt").c_str(), 0600);
    auto fifo = finder.run({"-C", "pipe", "list", "all"});
    EXPECT_EQ(fifo.status, 2);
    EXPECT_EQ(fifo.err, std::string("pipe/corp.txt: ") + kOpenFailed + "\n");
}

TEST(FinderCli, FormatErrorMidFileReportsItsLineAndKeepsTheCardsBefore)
{
    FinderProcess finder;
    // Line 1 comment, record A on lines 2-8, record B on 9-15 ends with "-- ".
    std::string corp = "# corp\n" + record("A") + record("B", "Rare");
    corp.replace(corp.rfind("--\n"), 3, "-- \n");
    corp += record("C");
    finder.write("data/corp.txt", corp);
    finder.write("data/runner.txt", record("R"));

    auto all = finder.run({"-C", "data", "list", "all"});
    EXPECT_EQ(all.status, 2);
    EXPECT_EQ(all.out, "Common\tA\tT\tn\ti\nCommon\tR\tT\tn\ti\n");
    EXPECT_EQ(all.err, std::string("data/corp.txt:15: ") + kFormatError + "\n");

    auto records = finder.run({"-C", "data", "search", "--name", "A", "--mode", "partial", "--records"});
    EXPECT_EQ(records.status, 2);
    EXPECT_EQ(records.out, record("A"));
    EXPECT_EQ(records.err, std::string("data/corp.txt:15: ") + kFormatError + "\n");

    // Cut short by the end of the file: named by the record's first line.
    finder.write("data/runner.txt", record("R") + "# x\nHalf\nT\n");
    auto cut = finder.run({"-C", "data", "list", "runner"});
    EXPECT_EQ(cut.status, 2);
    EXPECT_EQ(cut.out, "Common\tR\tT\tn\ti\n");
    EXPECT_EQ(cut.err, std::string("data/runner.txt:9: ") + kFormatError + "\n");
}

TEST(FinderCli, RecordsOutputReadsBackAsTheSameCards)
{
    FinderProcess finder;
    std::string five = record("Five", "Rare", {"A: [2]", "T: x", "* end", "- 3: tag", "line five"});
    std::string awkward = record("CR at the end\r", "Vital", {"t"}, "", "", "");
    awkward.replace(awkward.find("CR at the end\r\n"), 15, "CR at the end\r\r\n");  // keeps its CR
    std::string overlong = record(std::string(300, 'x'), "Common", {"after"});       // name splits at 255
    std::string crlf = record("Crlf", "Uncommon", {"one", "two"});
    for (std::size_t at = crlf.find('\n'); at != std::string::npos; at = crlf.find('\n', at + 2))
        crlf.insert(at, "\r");
    finder.write("corp.txt", sjis(record("零行", "Common") + "#c\n" + five) + awkward + overlong + crlf +
                                     "#inside\n" + sjis(record("末尾の札", "Rare", {"一行"}, "施設")));
    finder.write("runner.txt", "");

    auto original = finder.run({"--encoding", "cp932", "list", "corp", "--records"});
    ASSERT_EQ(original.status, 0) << original.err;
    finder.write("copy/corp.txt", original.out);
    finder.write("copy/runner.txt", "");
    auto reread = finder.run({"-C", "copy", "--encoding", "cp932", "list", "corp", "--records"});
    EXPECT_EQ(reread.status, 0) << reread.err;
    EXPECT_EQ(reread.out, original.out);
    auto lines1 = finder.run({"--encoding", "cp932", "list", "corp"});
    auto lines2 = finder.run({"-C", "copy", "--encoding", "cp932", "list", "corp"});
    EXPECT_EQ(lines(lines1.out).size(), 6u);
    EXPECT_EQ(lines2.out, lines1.out);

    // Ordinary cards give a file that passes the check.
    finder.write("plain/corp.txt", sjis(record("零行") + five + record("末尾の札", "Rare", {"一行"})));
    finder.write("plain/runner.txt", "");
    auto plain = finder.run({"-C", "plain", "list", "corp", "--records"});  // UTF-8 this time
    EXPECT_EQ(plain.out, record("零行") + five + record("末尾の札", "Rare", {"一行"}));
    finder.write("plain2/corp.txt", sjis(plain.out));
    finder.write("plain2/runner.txt", "");
    auto check = finder.run({"-C", "plain2", "check"});
    EXPECT_EQ(check.status, 0);
    EXPECT_EQ(check.out, "plain2/corp.txt: 3 cards\nplain2/runner.txt: 0 cards\n");
}

TEST(FinderCli, OutputEncodings)
{
    FinderProcess finder;
    // 0x85 0x40 is an unmapped pair and 0x83 at the end of the note a lone
    // lead byte: each shows as U+FFFD in UTF-8, and no line is lost.
    std::string name = sjis("札") + "\x85\x40" + "z";
    std::string note = std::string("n") + "\x83";
    finder.write("corp.txt", record(name, "Rare", {}, sjis("施設"), note));
    finder.write("runner.txt", sjis(record("灯", "Common")));

    auto raw = finder.run({"--encoding", "cp932", "list", "all"});
    EXPECT_EQ(raw.status, 0);
    EXPECT_EQ(raw.out, "Rare\t" + name + "\t" + sjis("施設") + "\t" + note + "\ti\n" + sjis("Common\t灯\tT\tn\ti\n"));

    auto utf8 = finder.run({"list", "all"});
    EXPECT_EQ(utf8.status, 0);
    EXPECT_EQ(utf8.out, "Rare\t札\xEF\xBF\xBDz\t施設\tn\xEF\xBF\xBD\ti\nCommon\t灯\tT\tn\ti\n");
}

TEST(FinderCli, SearchTextsModesAndSides)
{
    FinderProcess finder;
    finder.write("corp.txt", sjis(record("ABC", "Rare", {}, "アイス：城壁") + record("abx", "Common") +
                                  record("xab", "Common", {}, "アイス：猟犬") + record("b", "Rare")));
    finder.write("runner.txt", sjis(record("蜘蛛の糸", "Rare", {}, "プログラム") + record("ヴォイド")));
    auto names = [&](const std::vector<std::string>& args) {
        std::vector<std::string> result;
        for (const std::string& line : lines(finder.run(args).out))
            result.push_back(line.substr(line.find('\t') + 1, line.find('\t', line.find('\t') + 1) - line.find('\t') - 1));
        return result;
    };
    using Names = std::vector<std::string>;
    EXPECT_EQ(names({"search", "--name", "abc"}), Names({"ABC"}));
    EXPECT_EQ(names({"search", "--name", "ab", "--mode", "prefix"}), Names({"ABC", "abx"}));
    EXPECT_EQ(names({"search", "--name=bc", "--mode=partial"}), Names({"ABC"}));
    EXPECT_EQ(names({"search", "--name", "x", "--mode", "partial", "--type", "アイス", "--rate", "common"}),
              Names({"abx", "xab"}));
    EXPECT_EQ(names({"search", "--type", "アイス", "--mode", "prefix", "--rate", "Rare"}), Names({"ABC"}));
    EXPECT_EQ(names({"search", "--side", "runner", "--name", "蜘蛛", "--mode", "partial"}), Names({"蜘蛛の糸"}));

    // Folded, a typed ゔ, which CP932 lacks, is taken as ヴ.
    EXPECT_EQ(names({"search", "--side", "runner", "--fold", "--mode", "prefix", "--name", "ゔぉい"}), Names({"ヴォイド"}));
    EXPECT_EQ(finder.run({"search", "--side", "runner", "--mode", "prefix", "--name", "ゔぉい"}).status, 2);

    // With cp932 the text is taken as bytes: Shift-JIS finds, UTF-8 does not.
    EXPECT_EQ(finder.run({"--encoding", "cp932", "search", "--side", "runner", "--name", sjis("蜘蛛の糸")}).status, 0);
    EXPECT_EQ(finder.run({"--encoding", "cp932", "search", "--side", "runner", "--name", "蜘蛛の糸"}).status, 1);

    // A character that CP932 cannot hold is an error, never a stand-in.
    for (const char* option : {"--name", "--type", "--rate"}) {
        auto emoji = finder.run({"search", option, "蜘蛛😀"});
        EXPECT_EQ(emoji.status, 2) << option;
        EXPECT_EQ(emoji.out, "") << option;
        EXPECT_NE(emoji.err.find(option), std::string::npos) << emoji.err;
    }
    EXPECT_EQ(finder.run({"search", "--name", "\xff"}).status, 2);  // no UTF-8

    // Empty texts select nothing, whatever the rarity.
    EXPECT_EQ(finder.run({"search", "--name", "", "--rate", "Rare"}).status, 1);
}

TEST(FinderCli, CheckReportsEveryProblemWithItsLine)
{
    FinderProcess finder;
    std::string bad1 = record("Bad1");
    bad1.replace(bad1.rfind("--\n"), 3, "---\n");
    std::string bad2 = record("Bad2", "Rare");
    bad2.replace(bad2.rfind("--\n"), 3, "end\n--\n");
    std::string corp = "# header\n" + record("Good") +  // 1, 2-8
                       bad1 + "junk\n--\n" +           // 9-15 (not closed at 15), 16-17 skipped
                       record("Good2") +                // 18-24
                       bad2 +                           // 25-31 (not closed at 31), 32 "--"
                       record("Long", "Common", {std::string(300, 'y')}) +  // 33-40, the long line is 35
                       record("Bad\x85\x40") +          // 41-47, invalid CP932 at 41
                       "Cut\nT\n\n";                    // 48-50, cut short
    finder.write("data/corp.txt", corp);
    std::string runner = record("R");
    for (std::size_t at = runner.find('\n'); at != std::string::npos; at = runner.find('\n', at + 2))
        runner.insert(at, "\r");
    finder.write("data/runner.txt", runner);

    auto check = finder.run({"-C", "data", "check"});
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(check.out, "data/corp.txt:15: レコードが \"--\" の行で終わっていない\n"
                         "data/corp.txt:31: レコードが \"--\" の行で終わっていない\n"
                         "data/corp.txt:35: 行が254バイトを超えている (300バイト)\n"
                         "data/corp.txt:41: Shift-JIS (CP932) として正しくないバイト列がある\n"
                         "data/corp.txt:48: ファイルの終わりでレコードが途切れている\n"
                         "data/corp.txt: 4 cards\n"
                         "data/runner.txt: 1 cards\n");
    EXPECT_EQ(check.err, "");

    std::filesystem::remove(finder.dir() / "data" / "corp.txt");
    std::filesystem::create_directories(finder.dir() / "data" / "corp.txt");
    auto directory = finder.run({"-C", "data", "check"});
    EXPECT_EQ(directory.status, 2);
    EXPECT_EQ(directory.out, "data/runner.txt: 1 cards\n");
    EXPECT_EQ(directory.err, std::string("data/corp.txt: ") + kOpenFailed + "\n");

    std::filesystem::remove(finder.dir() / "data" / "runner.txt");
    EXPECT_EQ(finder.run({"-C", "data", "check"}).status, 2);
}

TEST(FinderCli, SampleDataPassesTheCheck)
{
    FinderProcess finder;
    auto check = finder.run({"-C", VOXTARN_SAMPLE_DATA, "check"});
    EXPECT_EQ(check.status, 0) << check.out << check.err;
    for (const std::string& line : lines(check.out)) {
        std::size_t count = std::stoul(line.substr(line.rfind(": ") + 2));
        EXPECT_GE(count, 30u) << line;
    }
    auto all = finder.run({"-C", VOXTARN_SAMPLE_DATA, "list", "all"});
    EXPECT_EQ(all.status, 0);
    for (const char* rarity : {"Common\t", "Uncommon\t", "Vital\t", "Rare\t"})
        EXPECT_NE(all.out.find(std::string("\n") + rarity), std::string::npos) << rarity;
    // A hiragana word finds the katakana card when folded.
    std::vector<std::string> folded = {"-C", VOXTARN_SAMPLE_DATA, "search", "--side", "runner", "--mode", "partial",
                                       "--name", "はっかー"};
    EXPECT_EQ(finder.run(folded).status, 1);
    folded.push_back("--fold");
    EXPECT_EQ(finder.run(folded).out.substr(0, 28), "Vital\t夕凪のハッカー\t");
}

TEST(FinderCli, AFailedWriteIsAnError)
{
    FinderProcess finder;
    finder.write("corp.txt", record("A"));
    finder.write("runner.txt", record("B"));
    auto full = finder.run({"list", "all"}, "/dev/full");
    EXPECT_EQ(full.status, 2);
    EXPECT_NE(full.err.find("cannot write"), std::string::npos) << full.err;
}
