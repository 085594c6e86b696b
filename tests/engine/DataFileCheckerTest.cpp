#include "DataFileChecker.h"
#include "TextModeFile.h"

#include <gtest/gtest.h>

namespace {

CheckResult check(const std::string& bytes)
{
    auto file = TextModeFile::fromBytes(bytes);
    return checkDataFile(*file);
}

std::vector<long> linesOf(const CheckResult& result)
{
    std::vector<long> lines;
    for (const auto& problem : result.problems)
        lines.push_back(problem.line);
    return lines;
}

const std::string kGood = "N\nT\n\nn\ni\nr\n--\n";

}  // namespace

TEST(DataFileChecker, CleanFileCountsItsCards)
{
    auto result = check("# c\n" + kGood + kGood + "\n\n");
    EXPECT_TRUE(result.problems.empty());
    EXPECT_EQ(result.cards, 2);
}

TEST(DataFileChecker, ReportsEveryBadRecordAndResumesAfterTheNextTerminator)
{
    std::string bad = "B\nT\n\nn\ni\nr\n-- \nstray\n--\n";  // lines 8-16 after one good record
    auto result = check(kGood + bad + kGood + bad + kGood);
    EXPECT_EQ(linesOf(result), (std::vector<long>{14, 30}));
    EXPECT_EQ(result.cards, 3);
}

TEST(DataFileChecker, ReportsCutShortRecordsLongLinesAndInvalidBytes)
{
    auto cut = check(kGood + "# x\nN\nT\n");
    EXPECT_EQ(linesOf(cut), (std::vector<long>{9}));

    // A 300-byte line is one problem on one line, though it arrives in pieces;
    // it also shifts the record, which then misses its terminator.
    auto longLine = check("N\n" + std::string(300, 't') + "\n\nn\ni\nr\n--\n");
    ASSERT_FALSE(longLine.problems.empty());
    EXPECT_EQ(longLine.problems[0].line, 2);
    EXPECT_NE(longLine.problems[0].text.find("300"), std::string::npos);

    // A double-byte character split between two pieces of a long line is valid.
    std::string split = "N\n" + std::string(254, 'x') + "\x83\x41" + "\n";
    auto splitResult = check(split + "\nn\ni\nr\n--\n");
    EXPECT_EQ(linesOf(splitResult), (std::vector<long>{2}));

    auto invalid = check("N\nT\n\nn\n\xA0\nr\n--\n# \x83\n");
    EXPECT_EQ(linesOf(invalid), (std::vector<long>{5, 8}));
    EXPECT_EQ(invalid.cards, 1);
}
