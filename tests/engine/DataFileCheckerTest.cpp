// SPDX-License-Identifier: MIT
#include "DataFileChecker.h"
#include "TextModeFile.h"

#include <gtest/gtest.h>

namespace {

const std::string kGood = "N\nT\n\nn\ni\nr\n--\n";  // 7 lines

// A record whose closing line is `closing` (lines 1-7 of its own).
std::string closedBy(const std::string& closing)
{
    return "B\nT\n\nn\ni\nr\n" + closing + "\n";
}

struct CheckCase {
    std::string bytes;
    std::string problems;  // "LINE:first word of the text" each, joined by ' '
    long cards;
};

const CheckCase kCheckCases[] = {
    {"# c\n" + kGood + kGood + "\n\n", "", 2},
    // A mistyped "--" closes its own record: the next one is checked too.
    {kGood + closedBy("-- ") + kGood + closedBy("---") + kGood, "14:レコードが 28:レコードが", 3},
    // Any other closing line: the record has shifted; go on after the next "--".
    {kGood + closedBy("-x") + "stray\nT\n\nn\ni\nr\nXX\n--\n" + kGood, "14:レコードが", 2},
    {kGood + "# x\nN\nT\n", "9:ファイルの終わりでレコードが途切れている", 1},
    // A line holds 254 bytes; 255 already shift the record.
    {"N\n" + std::string(254, 't') + "\n\nn\ni\nr\n--\n", "", 1},
    {"N\n" + std::string(255, 't') + "\n\nn\ni\nr\n--\n", "2:行が254バイトを超えている 6:レコードが", 0},
    // One problem for a 300-byte line, though it arrives in two pieces.
    {"N\nT\n\n" + std::string(300, 'n') + "\ni\nr\n--\n", "4:行が254バイトを超えている 6:レコードが", 0},
    // A double-byte character split between the pieces of a long line is valid.
    {"N\n" + std::string(254, 'x') + "\x83\x41\n\nn\ni\nr\n--\n", "2:行が254バイトを超えている", 1},
    {"N\nT\n\nn\n\xA0\nr\n--\n# \x83\n", "5:Shift-JIS 8:Shift-JIS", 1},
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << ::testing::PrintToString(c.bytes); }

class Checker : public ::testing::TestWithParam<CheckCase> {};

}  // namespace

TEST_P(Checker, ReportsEveryProblemWithItsLine)
{
    auto file = card::TextModeFile::fromBytes(GetParam().bytes);
    const card::CheckResult result = card::checkDataFile(*file);
    std::string problems;
    for (const card::CheckProblem& problem : result.problems)
        problems += (problems.empty() ? "" : " ") + std::to_string(problem.line) + ":" +
                    problem.text.substr(0, problem.text.find(' '));
    EXPECT_EQ(problems, GetParam().problems);
    EXPECT_EQ(result.cards, GetParam().cards);
}

INSTANTIATE_TEST_SUITE_P(Table, Checker, ::testing::ValuesIn(kCheckCases));
