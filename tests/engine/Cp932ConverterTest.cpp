// SPDX-License-Identifier: MIT
#include "Cp932Converter.h"
#include "Utf8Sequence.h"

#include <gtest/gtest.h>

// The same rows run against both converters: glibc's iconv "CP932" in the
// Linux build and the system's code page 932 in the Windows build. Where
// the two tables differ, a row gives both answers: GLIBC_WINDOWS(glibc's,
// Windows').
#if defined(_WIN32)
#define GLIBC_WINDOWS(glibc, windows) windows
#else
#define GLIBC_WINDOWS(glibc, windows) glibc
#endif

namespace {
const std::string kBad = "\xEF\xBF\xBD";  // U+FFFD
const std::optional<std::string> kRefused;
}  // namespace

TEST(Cp932Converter, DecodesEveryCharacterAndMarksInvalidBytes)
{
    const std::pair<std::string, std::string> rows[] = {
        {"\x83\x41\x83\x93 ABC", "アン ABC"},
        {"\xB1\x81\x60\x87\x40\xFA\x40\xF0\x40", "ｱ\uFF5E①ⅰ\uE000"},
        {std::string("a\0b", 3), std::string("a\0b", 3)},
        {"\x1A\x1C\x7F", "\x1A\x1C\x7F"},  // control codes stay what they are
        // Each invalid byte, unmapped pair or lone lead byte is one U+FFFD
        // and the characters around it survive.
        {"a\xA0" "b\xFD", "a" + kBad + "b" + kBad},
        {"a\x85\x40" "b", "a" + kBad + "b"},
        {"a\x83", "a" + kBad},
        {"\x83 x", kBad + " x"},
        // Windows' table holds 0x80 as U+0080; glibc's has no 0x80.
        {"a\x80" "b", GLIBC_WINDOWS("a" + kBad + "b", "a\u0080b")},
    };
    card::Cp932Converter converter;
    for (const auto& [cp932, utf8] : rows) {
        EXPECT_EQ(converter.toUtf8(cp932), utf8) << cp932;
        EXPECT_EQ(converter.isValidCp932(cp932), utf8.find(kBad) == std::string::npos) << cp932;
    }
    // Long input crosses the converter's internal chunks.
    std::string many;
    for (int i = 0; i < 5000; ++i)
        many += "\x83\x41";
    EXPECT_EQ(converter.toUtf8(many).size(), 15000u);
}

TEST(Cp932Converter, EncodesWhatCp932HoldsAndRefusesTheRest)
{
    const std::pair<std::string, std::optional<std::string>> rows[] = {
        {"アン ABC", "\x83\x41\x83\x93 ABC"},
        {"", ""},
        // No substitute that could match other cards; the converter is
        // reusable after a refusal.
        {"a\U0001F600", kRefused},
        {"\xFF", kRefused},
        {"\xED\xA0\x80", kRefused},  // a lone surrogate in UTF-8
        {"\xE0\x81\x81", kRefused},  // "A" in an overlong form
        {"\uFF5E\uFF0D①", "\x81\x60\x81\x7C\x87\x40"},
        // glibc maps these look-alikes onto CP932 characters (wave dash,
        // minus sign, yen, overline, cent, pound, not, em dash, double
        // vertical line); Windows without best fit holds none of them.
        {"\u301C", GLIBC_WINDOWS("\x81\x60", kRefused)},
        {"\u2212", GLIBC_WINDOWS("\x81\x7C", kRefused)},
        {"\u00A5\u203E", GLIBC_WINDOWS("\x5C\x7E", kRefused)},
        {"\u00A2\u00A3\u00AC", GLIBC_WINDOWS("\x81\x91\x81\x92\x81\xCA", kRefused)},
        {"\u2014\u2016", GLIBC_WINDOWS("\x81\x5C\x81\x61", kRefused)},
        // Windows' table holds U+0080 and U+F8F0 to U+F8F3 as single bytes
        // (it reads 0xA0 and 0xFD to 0xFF back as invalid all the same).
        {"\u0080\uF8F0\uF8F3", GLIBC_WINDOWS(kRefused, "\x80\xA0\xFF")},
    };
    card::Cp932Converter converter;
    for (const auto& [utf8, cp932] : rows)
        EXPECT_EQ(converter.fromUtf8(utf8), cp932) << utf8;
}

// What the converters are given is checked first: not every system's
// converter refuses what UTF-8 forbids.
TEST(Utf8Sequence, TellsWellFormedTextFromEveryForbiddenForm)
{
    const std::pair<std::string, bool> rows[] = {
        {"", true},
        {"ABC アン\u00E9\U0001F600", true},
        {"\xED\x9F\xBF\xEE\x80\x80", true},  // U+D7FF and U+E000, either side of the surrogates
        {"\xEF\xBF\xBF\xF4\x8F\xBF\xBF", true},
        {"ア\xED\xA0\x80", false},  // a surrogate
        {"ア\xE0\x81\x81", false},  // "A" in an overlong form
        {"\xC1\xBF", false},
        {"ア\xE3\x82", false},  // a character cut short at the end
        {"\xE3\x82\x41ア", false},  // a letter where a continuation byte belongs
        {"\xE3\x41\x82", false},
        {"\xF4\x90\x80\x80", false},  // past U+10FFFF
        {"\x82\xA0", false},  // a continuation byte first
    };
    for (const auto& [text, valid] : rows)
        EXPECT_EQ(card::utf8::isValid(text), valid) << text;
}
