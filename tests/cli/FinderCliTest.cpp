// SPDX-License-Identifier: MIT
// voxtarn-find run as a user runs it, on the data folders in data/: what only the command line shows (arguments, exit
// status, encodings, messages as FILE:LINE, output that cannot be written). Matching and reading are the engine tests'
// business.
#include "Sjis.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

// One record of the data-file format, LF line ends.
std::string record(const std::string& name, const std::string& rate = "Common", const std::string& rule = "",
                   const std::string& type = "T")
{
    return name + "\n" + type + "\n" + (rule.empty() ? "" : rule + "\n") + "\nn\ni\n" + rate + "\n--\n";
}

std::string slurp(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string quoted(const std::string& arg)
{
    std::string result = "'";
    for (char c : arg)
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

// Where the output goes, and the data folders git cannot hold: big/, 8000 records of over 200 bytes and a bad one at
// the end, more than one block of output; pipe/, whose corp.txt is a FIFO; runner/, without corp.txt, a name of 254 bytes;
// lateutf8/, UTF-8 whose corp.txt begins with more than 64 KiB of ASCII comments.
const TempDir& scratch()
{
    static const TempDir dir;
    static const bool written = [] {
        std::string big, comments;
        for (int i = 0; i < 8000; ++i)
            big += record(std::to_string(i) + std::string(200, 'x'));
        for (int i = 0; i < 700; ++i)
            comments += "# " + std::string(100, 'c') + "\n";
        dir.fifo("pipe/corp.txt");
        dir.write("runner/runner.txt", record("R") + record(std::string(254, 'x')));
        dir.write("lateutf8/corp.txt", comments + record("灰の門", "Rare", "", "アイス"));
        dir.write("lateutf8/runner.txt", record("札"));
        // readings/: a readings.txt with a good line, a comment and a line without its tab.
        dir.write("readings/corp.txt", sjis(record("深海の都", "Rare") + record("ミラーハウス")));
        dir.write("readings/runner.txt", sjis(record("札")));
        dir.write("readings/readings.txt", "# 読み\n都\tみやこ\n深海 しんかい\n");
        // mixed/: a UTF-8 corp.txt with a character Shift-JIS lacks (line 1), a mistyped "--" (line 14) and, past the
        // 64 KiB that decide the encoding, a byte that is no UTF-8; a runner.txt with a line of 300 bytes.
        std::string filler;
        while (filler.size() < 64 * 1024)
            filler += record("F");
        dir.write("mixed/corp.txt", record("札😀") + "B\nT\n\nn\ni\nCommon\n---\n" + filler + record("X\x80"));
        dir.write("mixed/runner.txt", "R\nT\n\n" + std::string(300, 'n') + "\ni\nCommon\n--\n");
        return !dir.write("big/corp.txt", big + "Bad\nT\n\nn\ni\nr\nXX\n").empty();
    }();
    (void)written;
    return dir;
}

struct Outcome {
    int status;
    std::string out, err;
};

// voxtarn-find with `args`, started in the data folder `where` (the files of tests/cli/data); stdout to `stdoutFile`
// when one is given.
Outcome run(const Args& args, const std::string& where = ".", const std::string& stdoutFile = "")
{
    const bool scratchDir =
        where == "big" || where == "pipe" || where == "runner" || where == "lateutf8" || where == "mixed" ||
                            where == "readings";
    const fs::path dir = scratchDir ? scratch().path() / where : fs::path(VOXTARN_CLI_DATA) / where;
    const fs::path out = scratch().path() / "stdout", err = scratch().path() / "stderr";
    // A program that blocks fails the test instead of hanging it.
    std::string command = "cd " + quoted(dir) + " && timeout 30 " + quoted(VOXTARN_FIND);
    for (const std::string& arg : args)
        command += " " + quoted(arg);
    command += " >" + quoted(stdoutFile.empty() ? out.string() : stdoutFile) + " 2>" + quoted(err);
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, stdoutFile.empty() ? slurp(out) : "", slurp(err)};
}

struct CliCase {
    Args args;
    int status;
    std::string out, err;  // an `out` ending in "..." is a prefix; "*" is anything
    std::string where = ".";
};

void PrintTo(const CliCase& c, std::ostream* os)
{
    for (const std::string& arg : c.args)
        *os << arg << ' ';
}

const std::string kOpenFailed = ": データファイルをオープンできない\n";
const std::string kFormat = ": データファイルの形式が正しくない\n";
const std::string kHint = "\nTry 'voxtarn-find --help'.\n";
const std::string kCorpUtf8 = "Rare\t灰の門\tアイス：城壁\tX\tY\nCommon\tC2\tT\t\t\nRare\t札\uFFFDz\t施設\tn\uFFFD\ti\n";
const std::string kRunnerUtf8 =
    "Uncommon\t蜘蛛の糸\tプログラム\tn\ti\nCommon\t-h\tT\tn\ti\nCommon\t--version\tT\tn\ti\nCommon\tヴォイド\tT\tn\ti\n";

const std::string kCsvHeader =
    "\xEF\xBB\xBFカード名,カード種類,テキスト1,テキスト2,テキスト3,テキスト4,テキスト5,注記,イラスト,入手頻度\r\n";

const CliCase kCases[] = {
    // Corporate before Runner; 0 when a card was printed, 1 when none.
    {{"list", "all"}, 0, kCorpUtf8 + kRunnerUtf8, ""},
    {{"list", "runner"}, 0, kRunnerUtf8, ""},
    {{"--encoding", "CP932", "list", "corp"}, 0,
     sjis("Rare\t灰の門\tアイス：城壁\tX\tY\nCommon\tC2\tT\t\t\nRare\t札") + "\x85\x40z\t" + sjis("施設") + "\tn\x83\ti\n", ""},
    {{"search", "--name", "nothing like it"}, 1, "", ""},
    {{"search", "--rate", "Rare"}, 1, "", "voxtarn-find: カード名称かカード種類を入れてください\n"},
    // Each option reaches the search.
    {{"search", "--side", "Runner", "--mode", "PARTIAL", "--name", "蜘蛛"}, 0, "Uncommon\t蜘蛛の糸\tプログラム\tn\ti\n", ""},
    {{"search", "--type=アイス", "--mode=prefix", "--rate", "rare"}, 0, "Rare\t灰の門\tアイス：城壁\tX\tY\n", ""},
    {{"search", "--name", "-h", "--side", "runner"}, 0, "Common\t-h\tT\tn\ti\n", ""},
    {{"search", "--side", "runner", "--name", "--version"}, 0, "Common\t--version\tT\tn\ti\n", ""},
    // Folded, a typed ゔ, which CP932 lacks, is taken as ヴ; not folded, it is refused.
    {{"search", "--side", "runner", "--fold", "--mode", "prefix", "--name", "ゔぉい"}, 0, "Common\tヴォイド\tT\tn\ti\n", ""},
    {{"search", "--side", "runner", "--mode", "prefix", "--name", "ゔぉい"}, 2, "", "voxtarn-find: --name: the text is no UTF-8 or holds a character that CP932 cannot hold\n"},
    {{"-C", VOXTARN_SAMPLE_DATA, "search", "--side", "runner", "--mode", "partial", "--name", "はっかー"}, 1, "", ""},
    {{"-C", VOXTARN_SAMPLE_DATA, "search", "--side", "runner", "--mode", "partial", "--name", "はっかー", "--fold"}, 0,
     "Vital\t夕凪のハッカー\t...", ""},
    // A text is cut at 254 bytes, as the search dialog cuts it.
    {{"--encoding", "cp932", "search", "--side", "runner", "--mode", "prefix", "--name", std::string(300, 'x')}, 0, "Common\t" + std::string(254, 'x') + "\tT\tn\ti\n", "", "runner"},
    {{"--encoding", "cp932", "search", "--side", "runner", "--name", sjis("蜘蛛の糸")}, 0,
     sjis("Uncommon\t蜘蛛の糸\tプログラム\tn\ti\n"), ""},
    {{"search", "--side", "runner", "--name", "蜘蛛の糸", "--records"}, 0, record("蜘蛛の糸", "Uncommon", "[1]: 強度+1。", "プログラム"), ""},
    // A text CP932 cannot hold is an error, never a stand-in.
    {{"search", "--name", "蜘蛛😀"}, 2, "", "voxtarn-find: --name: the text is no UTF-8 or holds a character that CP932 cannot hold\n"},
    {{"search", "--type", "😀"}, 2, "", "voxtarn-find: --type: the text is no UTF-8 or holds a character that CP932 cannot hold\n"},
    {{"search", "--rate", "\xff"}, 2, "", "voxtarn-find: --rate: the text is no UTF-8 or holds a character that CP932 cannot hold\n"},
    // filter: the words joined by spaces, read as the filter box reads them; an argument that is no option of filter is
    // a word, every argument after "--" is one.
    {{"filter", "t:アイス", "-r:common"}, 0, "Rare\t灰の門\tアイス：城壁\tX\tY\n", ""},
    {{"filter", "--side", "runner", "-t:T"}, 0, "Uncommon\t蜘蛛の糸\tプログラム\tn\ti\n", ""},
    {{"filter", "--", "-h", "--side"}, 0, kCorpUtf8 + "Uncommon\t蜘蛛の糸\tプログラム\tn\ti\nCommon\t--version\tT\tn\ti\nCommon\tヴォイド\tT\tn\ti\n", ""},
    {{"filter", "--side=runner", "n:蜘蛛", "--records"}, 0, record("蜘蛛の糸", "Uncommon", "[1]: 強度+1。", "プログラム"), ""},
    {{"filter", "--side", "corp"}, 0, kCorpUtf8, ""},
    // --color marks what the words that keep cards matched, as grep does; auto marks nothing in a pipe.
    {{"filter", "--side", "runner", "--color=always", "n:の糸 | r=common -n:ヴ"}, 0,
     "Uncommon\t蜘蛛\x1b[01;31m\x1b[Kの糸\x1b[m\x1b[K\tプログラム\tn\ti\n\x1b[01;31m\x1b[KCommon\x1b[m\x1b[K\t-h\tT\tn\ti\n"
     "\x1b[01;31m\x1b[KCommon\x1b[m\x1b[K\t--version\tT\tn\ti\n", ""},
    {{"--encoding", "cp932", "filter", "--color", "always", "--side", "runner", sjis("n:の糸")}, 0,
     sjis("Uncommon\t蜘蛛\x1b[01;31m\x1b[Kの糸\x1b[m\x1b[K\tプログラム\tn\ti\n"), ""},
    {{"filter", "--side", "runner", "--color=auto", "n:の糸"}, 0, "Uncommon\t蜘蛛の糸\tプログラム\tn\ti\n", ""},
    {{"filter", "--color", "sometimes"}, 2, "", "voxtarn-find: invalid value for --color: sometimes" + kHint},
    {{"filter", "t:アイス r:rare | n:蜘蛛"}, 0, "Rare\t灰の門\tアイス：城壁\tX\tY\nUncommon\t蜘蛛の糸\tプログラム\tn\ti\n", ""},
    {{"filter", "--side", "runner", "-x:\"[1]: 強\"", "r=common)"}, 0,
     "Common\t-h\tT\tn\ti\nCommon\t--version\tT\tn\ti\nCommon\tヴォイド\tT\tn\ti\n", "voxtarn-find: 絞り込みで無視: 21文字目の )\n"},
    {{"--encoding", "cp932", "filter", sjis("名：灰")}, 0, sjis("Rare\t灰の門\tアイス：城壁\tX\tY\n"), ""},
    // Not folded, a ゔ in a word with more than kana is in no card; folded, or in kana alone, it is the ヴ it folds to.
    {{"filter", "--side", "runner", "ゔぉいX"}, 1, "", "voxtarn-find: CP932 cannot hold ゔ: no card holds it\n"},
    {{"filter", "--fold", "--side", "runner", "ゔぉい", "ド"}, 0, "Common\tヴォイド\tT\tn\ti\n", ""},
    {{"-C", "bad", "filter", "r:common"}, 2, "Common\tA\tT\tn\ti\nCommon\tR\tT\tn\ti\n", "bad/corp.txt:15" + kFormat + "bad/runner.txt:9" + kFormat},
    {{"filter", "--side", "both"}, 2, "", "voxtarn-find: invalid value for --side: both" + kHint},
    // A byte that is no UTF-8 is an error, as a word and after "-".
    {{"filter", "\xff"}, 2, "", "voxtarn-find: filter: a word is no UTF-8\n"},
    {{"filter", "--", "-\xff"}, 2, "", "voxtarn-find: filter: a word is no UTF-8\n"},
    {{"filter", "-t:T", "n:\xe7\x81"}, 2, "", "voxtarn-find: filter: a word is no UTF-8\n"},
    {{"filter", "\xc0\xaf"}, 2, "", "voxtarn-find: filter: a word is no UTF-8\n"},  // "/" in overlong forms
    {{"filter", "n:\xe0\x80\xaf"}, 2, "", "voxtarn-find: filter: a word is no UTF-8\n"},
    {{"filter", "--", "-\xed\xa0\x80"}, 2, "", "voxtarn-find: filter: a word is no UTF-8\n"},  // a lone surrogate
    // Files named as opened: bare, or with the -C folder.
    {{"list", "all"}, 2, "", "corp.txt" + kOpenFailed, "none"},
    {{"list", "all"}, 2, "Common\tA\tT\tn\ti\n", "runner.txt" + kOpenFailed, "dir"},
    {{"-C", "dir", "search", "--side", "runner", "--name", "A"}, 2, "", "dir/runner.txt" + kOpenFailed},
    {{"-C", "no/such/dir", "list", "corp"}, 2, "", "no/such/dir/corp.txt" + kOpenFailed},
    {{"-C", "corp.txt", "list", "all"}, 2, "", "voxtarn-find: corp.txt: not a folder\n"},
    {{"list", "all"}, 2, "", "corp.txt" + kOpenFailed, "pipe"},  // a FIFO is refused at once, never waited on
    {{"-C", "bad", "list", "all"}, 2, "Common\tA\tT\tn\ti\nCommon\tR\tT\tn\ti\n", "bad/corp.txt:15" + kFormat + "bad/runner.txt:9" + kFormat},
    {{"-C", "bad", "search", "--name", "A", "--mode", "partial", "--records"}, 2, record("A"), "bad/corp.txt:15" + kFormat},
    // check: every problem as FILE:LINE; a mistyped "--" ends its own record.
    {{"-C", "check", "check"}, 1,
     "check/corp.txt:15: レコードが \"--\" の行で終わっていない\ncheck/corp.txt:29: レコードが \"--\" の行で終わっていない\n"
     "check/corp.txt:33: 行が254バイトを超えている (300バイト)\ncheck/corp.txt:39: Shift-JIS (CP932) として正しくないバイト列がある\n"
     "check/corp.txt:46: ファイルの終わりでレコードが途切れている\ncheck/corp.txt: 4 cards\n"
     "check/runner.txt:8: 0x1A でファイルが終わり、後に続く 7行は読まれない\ncheck/runner.txt: 1 cards\n", ""},
    {{"-C", "dir", "check"}, 2, "dir/corp.txt: 1 cards\n", "dir/runner.txt" + kOpenFailed},
    {{"check"}, 2, "runner.txt: 2 cards\n", "corp.txt" + kOpenFailed, "runner"},
    {{"-C", VOXTARN_SAMPLE_DATA, "check"}, 0, "*", ""},  // the sample cards pass the check
    // Both kinds of UTF-8 problem among the file's own, in the order of the lines.
    {{"check"}, 1,
     "corp.txt: UTF-8\ncorp.txt:1: Shift-JIS にない文字を 〓 にした\ncorp.txt:14: レコードが \"--\" の行で終わっていない\n"
     "corp.txt:24165: UTF-8 として正しくないバイト列を 〓 にした\ncorp.txt: 3452 cards\n"
     "runner.txt:4: 行が254バイトを超えている (300バイト)\nrunner.txt:6: レコードが \"--\" の行で終わっていない\nrunner.txt: 0 cards\n",
     "", "mixed"},
    // The reason follows FILE:LINE: and the headline.
    {{"list", "runner"}, 2, "", "runner.txt:4" + kFormat.substr(0, kFormat.size() - 1) + ": 行が254バイトを超えている\n", "mixed"},
    // Files saved as UTF-8 (corp.txt with the byte order mark) read as Shift-JIS; check names the lines that lost a
    // character.
    // Decks: each found card once, in the file's order, with its count and side; a line that is no card is told
    // with its line number; Shift-JIS and CR LF as well as UTF-8.
    {{"deck", "decks/ok.txt"}, 0, "3\tcorp\tRare\t灰の門\tアイス：城壁\tX\tY\n2\trunner\tUncommon\t蜘蛛の糸\tプログラム\tn\ti\n", ""},
    {{"deck", "decks/hand.txt"}, 1, "3\tcorp\tRare\t灰の門\tアイス：城壁\tX\tY\n1\trunner\tCommon\tヴォイド\tT\tn\ti\n",
     "decks/hand.txt:4: found with kana and width folded: ヴォイド\ndecks/hand.txt:5: not in the card files: なぞの札\n"
     "decks/hand.txt:6: not a count and a name: 0 z\n"},
    {{"deck", "--records", "decks/hand.txt"}, 1, "灰の門\nアイス：城壁\n* 侵入を終了する。\n\nX\nY\nRare\n--\n" + record("ヴォイド"),
     "decks/hand.txt:4: found with kana and width folded: ヴォイド\ndecks/hand.txt:5: not in the card files: なぞの札\n"
     "decks/hand.txt:6: not a count and a name: 0 z\n"},
    // CSV: the mark, the header, CR LF; UTF-8 whatever --encoding says; a name a spreadsheet would run guarded; a
    // deck line not found with only its count and name.
    {{"--encoding", "cp932", "filter", "--side", "runner", "--format", "csv", "n:-"}, 0,
     kCsvHeader + "'-h,T,,,,,,n,i,Common\r\n'--version,T,,,,,,n,i,Common\r\n", ""},
    {{"list", "corp", "--format=CSV"}, 2, kCsvHeader, "corp.txt" + kOpenFailed, "none"},
    {{"deck", "--format", "csv", "decks/hand.txt"}, 1,
     "\xEF\xBB\xBF枚数,サイド,カード名,カード種類,テキスト1,テキスト2,テキスト3,テキスト4,テキスト5,注記,イラスト,入手頻度\r\n"
     "3,Corporate,灰の門,アイス：城壁,* 侵入を終了する。,,,,,X,Y,Rare\r\n1,Runner,ヴォイド,T,,,,,,n,i,Common\r\n"
     "1,,なぞの札,,,,,,,,,\r\n",
     "decks/hand.txt:4: found with kana and width folded: ヴォイド\ndecks/hand.txt:5: not in the card files: なぞの札\n"
     "decks/hand.txt:6: not a count and a name: 0 z\n"},
    {{"search", "--name", "灰の門", "--format", "records", "--format", "xml"}, 2, "", "voxtarn-find: invalid value for --format: xml" + kHint},
    {{"--encoding", "cp932", "deck", "decks/ok.txt"}, 0, sjis("3\tcorp\tRare\t灰の門\tアイス：城壁\tX\tY\n2\trunner\tUncommon\t蜘蛛の糸\tプログラム\tn\ti\n"), ""},
    {{"-C", "dir", "deck", "decks/ok.txt"}, 2, "", "dir/runner.txt" + kOpenFailed + "decks/ok.txt:3: not in the card files: 灰の門\ndecks/ok.txt:5: not in the card files: 蜘蛛の糸\n"},
    {{"deck", "decks"}, 2, "", "voxtarn-find: decks: is a folder\n"},
    {{"deck", "decks/none.txt"}, 2, "", "voxtarn-find: decks/none.txt: cannot be opened\n"},
    {{"deck"}, 2, "", "voxtarn-find: deck needs a FILE" + kHint},
    {{"deck", "decks/ok.txt", "--fold"}, 2, "", "voxtarn-find: unknown option for deck: --fold" + kHint},
    {{"-C", "utf8", "list", "all"}, 0, "Rare\t灰の門\tアイス〓\tn\ti\nUncommon\t蜘蛛の糸\tプログラム\tn\ti\n", ""},
    {{"-C", "utf8", "check"}, 1,
     "utf8/corp.txt: UTF-8\nutf8/corp.txt:2: Shift-JIS にない文字を 〓 にした\nutf8/corp.txt: 1 cards\n"
     "utf8/runner.txt: UTF-8\nutf8/runner.txt: 1 cards\n", ""},
    // ASCII alone for 64 KiB decides nothing: the first other bytes are UTF-8, and the rest is read as such.
    {{"list", "corp"}, 0, "Rare\t灰の門\tアイス\tn\ti\n", "", "lateutf8"},
    {{"check"}, 0, "corp.txt: UTF-8\ncorp.txt: 1 cards\nrunner.txt: UTF-8\nrunner.txt: 1 cards\n", "", "lateutf8"},
    // Sorted by reading (kana and kanji together), by text, by rarity; the name's reading as a last column; kana
    // words find names by reading; a wrong line of readings.txt named, the others used.
    {{"list", "all", "--sort", "name"}, 0,
     "Common\t--version\tT\tn\ti\nCommon\t-h\tT\tn\ti\nCommon\tC2\tT\t\t\nCommon\tヴォイド\tT\tn\ti\n"
     "Uncommon\t蜘蛛の糸\tプログラム\tn\ti\nRare\t灰の門\tアイス：城壁\tX\tY\nRare\t札\uFFFDz\t施設\tn\uFFFD\ti\n", ""},
    {{"list", "all", "--sort", "NAME", "--no-reading"}, 0,
     "Common\t--version\tT\tn\ti\nCommon\t-h\tT\tn\ti\nCommon\tC2\tT\t\t\nCommon\tヴォイド\tT\tn\ti\n"
     "Rare\t灰の門\tアイス：城壁\tX\tY\nRare\t札\uFFFDz\t施設\tn\uFFFD\ti\nUncommon\t蜘蛛の糸\tプログラム\tn\ti\n", ""},
    {{"list", "all", "--sort", "rate"}, 0,
     "Common\tC2\tT\t\t\nCommon\t-h\tT\tn\ti\nCommon\t--version\tT\tn\ti\nCommon\tヴォイド\tT\tn\ti\n"
     "Uncommon\t蜘蛛の糸\tプログラム\tn\ti\nRare\t灰の門\tアイス：城壁\tX\tY\nRare\t札\uFFFDz\t施設\tn\uFFFD\ti\n", ""},
    {{"search", "--side", "runner", "--name", "蜘蛛の糸", "--show-reading"}, 0, "Uncommon\t蜘蛛の糸\tプログラム\tn\ti\tクモノイト\n", ""},
    {{"list", "corp", "--show-reading"}, 0,
     "Rare\t灰の門\tアイス：城壁\tX\tY\tハイノモン\nCommon\tC2\tT\t\t\tC2\nRare\t札\uFFFDz\t施設\tn\uFFFD\ti\t札\uFFFDz\n", ""},
    {{"filter", "--side", "runner", "--sort", "type", "くもの", "|", "ゔぉいど"}, 0,
     "Common\tヴォイド\tT\tn\ti\nUncommon\t蜘蛛の糸\tプログラム\tn\ti\n", ""},
    {{"filter", "--color", "always", "いのも"}, 0,
     "Rare\t\x1b[01;31m\x1b[K灰の門\x1b[m\x1b[K\tアイス：城壁\tX\tY\n", ""},
    {{"list", "all", "--sort", "name", "--show-reading"}, 0,
     "Common\t札\tT\tn\ti\tサツ\nRare\t深海の都\tT\tn\ti\tシンカイノミヤコ\nCommon\tミラーハウス\tT\tn\ti\tミラーハウス\n",
     "voxtarn-find: readings.txt:3: no tab between the word and its reading, line left out\n", "readings"},
    {{"filter", "しんかいのみやこ"}, 0, "Rare\t深海の都\tT\tn\ti\n",
     "voxtarn-find: readings.txt:3: no tab between the word and its reading, line left out\n", "readings"},
    {{"list", "all", "--sort", "colour"}, 2, "", "voxtarn-find: invalid value for --sort: colour" + kHint},
    {{"deck", "decks/ok.txt", "--sort", "name"}, 2, "", "voxtarn-find: unknown option for deck: --sort" + kHint},
    // Arguments: --help and --version win; anything else wrong exits 2 with a hint.
    {{"list", "all", "--help"}, 0, "Usage: voxtarn-find ...", ""},
    {{"--version", "-h"}, 0, "Usage: voxtarn-find ...", ""},
    {{"--version"}, 0, "voxtarn-find " VOXTARN_VERSION "\n", ""},
    {{}, 2, "", "voxtarn-find: no command given (list, search, filter, deck or check)" + kHint},
    {{"bogus"}, 2, "", "voxtarn-find: unknown command: bogus" + kHint},
    {{"list"}, 2, "", "voxtarn-find: list needs all, runner or corp" + kHint},
    {{"list", "some"}, 2, "", "voxtarn-find: list takes all, runner or corp, not some" + kHint},
    {{"list", "-"}, 2, "", "voxtarn-find: list takes all, runner or corp, not -" + kHint},
    {{"list", "all", "corp"}, 2, "", "voxtarn-find: unexpected argument: corp" + kHint},
    {{"list", "all", "--records=yes"}, 2, "", "voxtarn-find: --records takes no value" + kHint},
    {{"search", "--fold=yes"}, 2, "", "voxtarn-find: --fold takes no value" + kHint},
    {{"search", "--mode", "fuzzy"}, 2, "", "voxtarn-find: invalid value for --mode: fuzzy" + kHint},
    {{"search", "--side", "both"}, 2, "", "voxtarn-find: invalid value for --side: both" + kHint},
    {{"search", "--name"}, 2, "", "voxtarn-find: --name needs a value" + kHint},
    {{"search", "loose-word"}, 2, "", "voxtarn-find: unexpected argument: loose-word" + kHint},
    {{"--encoding", "latin1", "list", "all"}, 2, "", "voxtarn-find: invalid value for --encoding: latin1" + kHint},
    {{"-C"}, 2, "", "voxtarn-find: -C needs a value" + kHint},
    {{"check", "extra"}, 2, "", "voxtarn-find: check takes no arguments: extra" + kHint},
    {{"--colour", "list", "all"}, 2, "", "voxtarn-find: unknown option: --colour" + kHint},
    {{"-C=dir", "list", "all"}, 2, "", "voxtarn-find: unknown option: -C=dir" + kHint},
};

class FinderCli : public ::testing::TestWithParam<CliCase> {};

}  // namespace

TEST_P(FinderCli, StatusOutputAndMessages)
{
    const CliCase& c = GetParam();
    const Outcome result = run(c.args, c.where);
    EXPECT_EQ(result.status, c.status);
    if (c.out == "*") {
    } else if (c.out.ends_with("...")) {
        EXPECT_EQ(result.out.substr(0, c.out.size() - 3), c.out.substr(0, c.out.size() - 3));
    } else {
        EXPECT_EQ(result.out, c.out);
    }
    EXPECT_EQ(result.err, c.err);
}

INSTANTIATE_TEST_SUITE_P(Table, FinderCli, ::testing::ValuesIn(kCases));

TEST(FinderCliOutput, AFailedWriteStopsTheCommandWithOneMessage)
{
    for (const char* where : {".", "big"}) {
        const Outcome full = run({"list", "corp"}, where, "/dev/full");
        EXPECT_EQ(full.status, 2);
        EXPECT_EQ(full.err, "voxtarn-find: cannot write to standard output\n") << where;
    }
}

// Records go out as they are read, whole across every refill of the read buffer, up to the bad one.
TEST(FinderCliOutput, RecordsOfABigFileComeOutWholeUpToTheBadOne)
{
    std::string expected;
    for (int i = 0; i < 8000; ++i)
        expected += record(std::to_string(i) + std::string(200, 'x'));
    const Outcome result = run({"list", "all", "--records"}, "big");
    EXPECT_EQ(result.status, 2);
    EXPECT_TRUE(result.out == expected) << result.out.size() << " bytes, " << expected.size() << " expected";
    EXPECT_EQ(result.err, "corp.txt:56007" + kFormat + "runner.txt" + kOpenFailed);
}

// As grep: a reader that has seen enough ends the finder by SIGPIPE, without a word (the shell's 141).
TEST(FinderCliOutput, APipeClosedEarlyEndsItBySigpipe)
{
    const fs::path status = scratch().path() / "status";
    const std::string command = "cd " + quoted(scratch().path() / "big") + " && { timeout 30 " + quoted(VOXTARN_FIND) +
                                " list corp 2>" + quoted(scratch().path() / "stderr") + "; echo $? >" + quoted(status) +
                                "; } | head -c 1 >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(slurp(status), "141\n");
    EXPECT_EQ(slurp(scratch().path() / "stderr"), "");
}

TEST(FinderCliOutput, HelpKeepsTheLayoutTheManualPageIsMadeFrom)
{
    EXPECT_EQ(run({"--help"}).out, slurp(fs::path(VOXTARN_CLI_DATA) / "help.txt"));
}
