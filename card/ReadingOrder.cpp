// SPDX-License-Identifier: MIT
#include "ReadingOrder.h"

#include "TextReadings.h"

#include <array>
#include <string_view>

namespace card::readingorder {

namespace {

constexpr std::u32string_view kSyllabary = U"アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヰヱヲン";
constexpr std::u32string_view kSmall = U"ァィゥェォッャュョヮ";
constexpr std::u32string_view kVoicedNext = U"カキクケコサシスセソタチツテトハヒフヘホ";
constexpr std::u32string_view kSemiVoicedAfterNext = U"ハヒフヘホ";

struct Weights {
    std::uint16_t primary = 0;
    std::uint8_t voice = 0, size = 1;  // voice: 0 plain, 1 voiced, 2 semi-voiced; size: 0 small
};

constexpr std::uint16_t kSigns = 0x0100, kNumbers = 0x1000, kDigits = 0x1100, kLetters = 0x2000, kKana = 0x4000,
                        kKanji = 0x5000;

std::size_t syllable(char32_t c)
{
    return kSyllabary.find(c);
}

Weights kanaWeights(char32_t c)
{
    Weights w;
    char32_t base = c;
    if (kSmall.find(c) != std::u32string_view::npos)
        base = c + 1, w.size = 0;
    else if (c == U'ヵ' || c == U'ヶ')
        base = c == U'ヵ' ? U'カ' : U'ケ', w.size = 0;
    else if (c == U'ヴ')
        base = U'ウ', w.voice = 1;
    else if (kVoicedNext.find(c - 1) != std::u32string_view::npos)
        base = c - 1, w.voice = 1;
    else if (kSemiVoicedAfterNext.find(c - 2) != std::u32string_view::npos)
        base = c - 2, w.voice = 2;
    w.primary = std::uint16_t(kKana + syllable(base));
    return w;
}

// The vowel (ア to オ) that a long vowel mark after this syllable lengthens;
// ン lengthens itself.
std::uint16_t vowelAfter(std::uint16_t primary)
{
    const std::size_t s = primary - kKana;
    constexpr std::array<std::size_t, 3> kYa{0, 2, 4};
    constexpr std::array<std::size_t, 4> kWa{0, 1, 3, 4};
    const std::size_t vowel = s < 35 ? s % 5 : s < 38 ? kYa[s - 35] : s < 43 ? s - 38 : s < 47 ? kWa[s - 43] : s;
    return std::uint16_t(kKana + vowel);
}

bool isDigit(textfold::FoldedChar c)
{
    return c >= '0' && c <= '9';
}

// A primary weight as bytes that compare as the weights do, no code the
// start of another: a kana's in one byte, any other weight's in two. The
// first byte tells which, and is never 0 or 1, so the two zeros that end
// the primaries come before any code. A reading key is mostly kana, and a
// sort keeps the first bytes of each key: one byte a syllable lets those
// bytes tell twice as many readings apart.
void appendPrimary(std::uint16_t weight, std::string& out)
{
    constexpr auto kKanaEnd = std::uint16_t(kKana + kSyllabary.size() + 1);  // with a long vowel mark of its own
    if (weight < kKana) {
        out += char(0x02 + (weight >> 8));  // 0x02 to 0x41
        out += char(weight & 0xFF);
    } else if (weight < kKanaEnd) {
        out += char(0x42 + (weight - kKana));  // 0x42 to 0x72
    } else {
        out += char(0x80 + ((weight - kKana) >> 8));  // 0x80 to 0xFF
        out += char(weight & 0xFF);
    }
}

}  // namespace

void appendKey(const textfold::FoldedText& folded, std::string& out)
{
    std::string secondary, tertiary;
    auto primary = [&out](std::uint16_t weight) { appendPrimary(weight, out); };
    std::uint16_t last = 0;  // the primary weight before, for a long vowel mark
    for (std::size_t i = 0; i < folded.size(); ++i) {
        const textfold::FoldedChar c = folded[i];
        Weights w;
        if (isDigit(c)) {
            // A number by its value: its length without leading zeros, then its digits.
            std::size_t end = i;
            while (end < folded.size() && isDigit(folded[end]))
                ++end;
            std::size_t first = i;
            while (first + 1 < end && folded[first] == '0')
                ++first;
            primary(std::uint16_t(kNumbers + std::min<std::size_t>(end - first, 0xFF)));
            for (std::size_t d = first; d < end; ++d)
                primary(std::uint16_t(kDigits + (folded[d] - '0')));
            secondary += '\1', tertiary += '\1';
            i = end - 1;
            last = 0;
            continue;
        }
        if (textfold::isKatakana(c))
            w = kanaWeights(textfold::katakanaOf(c));
        else if (c == textfold::kLongVowelMark)
            w.primary = last >= kKana && last < kKanji ? vowelAfter(last) : std::uint16_t(kKana + kSyllabary.size()),
            w.size = 2;
        else if (c >= 'a' && c <= 'z')
            w.primary = std::uint16_t(kLetters + (c - 'a'));
        else if (c >= 0x8800)
            w.primary = std::uint16_t(kKanji + (c - 0x8800));
        else if (c >= 0x8140)
            w.primary = std::uint16_t(kSigns + 0x100 + (c - 0x8140));
        else
            w.primary = std::uint16_t(kSigns + c);
        primary(w.primary);
        secondary += char(w.voice + 1);
        tertiary += char(w.size + 1);
        last = w.primary;
    }
    out.append(2, '\0');
    out += secondary;
    out += '\0';
    out += tertiary;
}

void appendTextKey(std::string_view cp932, const TextReadings* readings, std::string& out, textfold::FoldedText& buffer)
{
    if (readings && readings->readingOf(cp932, buffer))
        appendKey(buffer, out);
    textfold::fold(cp932, buffer);
    appendKey(buffer, out);
}

}  // namespace card::readingorder
