// SPDX-License-Identifier: MIT
#include "TextFold.h"

#include "Cp932Converter.h"
#include "SearchMode.h"
#include "ShiftJis.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string_view>
#include <utility>

// The table is built once, at the first folded search, from the same
// converter that turns typed text into CP932: every CP932 character is
// decoded, folded by the Unicode relations below, and the folded character
// looked up among the decoded ones. Built at first use rather than at build
// time, it agrees with the converter of each platform (iconv here, the
// system's code page functions on Windows), holds no hand-made copy of the
// code page, and costs a program that never folds nothing; a few
// milliseconds for the first folded search.
namespace card::textfold {
namespace {

constexpr char32_t kReplacement = 0xFFFD;  // the converter's mark for no character
constexpr std::size_t kLeadBytes = 60;     // 0x81-0x9F and 0xE0-0xFC

// Full-width forms of U+FF61-U+FF9F, the half-width katakana and
// punctuation, in that order: Unicode gives this relation only as data (the
// decompositions), not by arithmetic. The half-width voiced marks become
// the spacing marks ゛ and ゜, the only ones CP932 has.
constexpr std::u32string_view kFullWidthOfHalfWidth =
    U"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
    U"ハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
// The katakana whose voiced form is the next code point (カ, ガ), and those
// whose semi-voiced form is the one after it (ハ, バ, パ). ウ and ヴ stand
// apart in Unicode.
constexpr std::u32string_view kVoicedNext = U"カキクケコサシスセソタチツテトハヒフヘホ";
constexpr std::u32string_view kSemiVoicedAfterNext = U"ハヒフヘホ";

constexpr char32_t kHalfWidthSemiVoicedMark = 0xFF9F;  // the last half-width katakana
constexpr unsigned char kVoicedMarkByte = 0xDE;
constexpr unsigned char kSemiVoicedMarkByte = 0xDF;

bool isHiraganaWithKatakana(char32_t c)
{
    return (c >= U'ぁ' && c <= U'ゖ') || c == U'ゝ' || c == U'ゞ';
}

// The Unicode character that `c` folds to.
char32_t foldCodePoint(char32_t c)
{
    if (isHiraganaWithKatakana(c))
        c += U'ア' - U'あ';
    else if (c >= U'！' && c <= U'～')
        c -= U'！' - U'!';
    else if (c == U'　')
        c = U' ';
    else if (c >= U'｡' && c <= kHalfWidthSemiVoicedMark)
        c = kFullWidthOfHalfWidth[c - U'｡'];
    if (c >= U'A' && c <= U'Z')
        c += U'a' - U'A';
    return c;
}

std::size_t leadSlot(unsigned char lead)
{
    return lead <= 0x9F ? lead - 0x81u : lead - 0xE0u + 31u;
}

// The code points of valid UTF-8, as the converter gives it.
std::u32string codePoints(std::string_view utf8)
{
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size();) {
        auto b = static_cast<unsigned char>(utf8[i]);
        std::size_t length = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? b : b & (0x7F >> length);
        for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        out += c;
        i += length;
    }
    return out;
}

// Every character of CP932 with the Unicode character the converter decodes
// it to (U+FFFD for a code CP932 leaves unmapped).
class CodePage {
public:
    CodePage();

    std::size_t size() const { return codes_.size(); }
    FoldedChar code(std::size_t i) const { return codes_[i]; }
    char32_t unicode(std::size_t i) const { return unicode_[i]; }
    // The first code of the Unicode character `c`, or `otherwise` when
    // CP932 does not hold it.
    FoldedChar representative(char32_t c, FoldedChar otherwise) const;

private:
    std::vector<FoldedChar> codes_;
    std::u32string unicode_;
    std::vector<std::pair<char32_t, FoldedChar>> firstCodes_;  // sorted by character
};

// Decodes all characters in one call: the converter turns each of them,
// mapped or not, into exactly one code point.
CodePage::CodePage()
{
    std::string bytes;
    for (unsigned b = 0; b < 256; ++b) {
        if (!sjis::isLeadByte(static_cast<unsigned char>(b))) {
            codes_.push_back(static_cast<FoldedChar>(b));
            bytes += static_cast<char>(b);
        }
    }
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (sjis::isLeadByte(static_cast<unsigned char>(lead)) &&
                sjis::isTrailByte(static_cast<unsigned char>(trail))) {
                codes_.push_back(static_cast<FoldedChar>(lead << 8 | trail));
                bytes += static_cast<char>(lead);
                bytes += static_cast<char>(trail);
            }
        }
    }
    unicode_ = codePoints(Cp932Converter().toUtf8(bytes));
    if (unicode_.size() != codes_.size())
        throw std::runtime_error("the CP932 converter does not decode one character per code");
    for (std::size_t i = 0; i < codes_.size(); ++i) {
        if (unicode_[i] != kReplacement)
            firstCodes_.emplace_back(unicode_[i], codes_[i]);
    }
    auto byCharacter = [](const auto& a, const auto& b) { return a.first < b.first; };
    std::stable_sort(firstCodes_.begin(), firstCodes_.end(), byCharacter);
    auto sameCharacter = [](const auto& a, const auto& b) { return a.first == b.first; };
    firstCodes_.erase(std::unique(firstCodes_.begin(), firstCodes_.end(), sameCharacter), firstCodes_.end());
}

FoldedChar CodePage::representative(char32_t c, FoldedChar otherwise) const
{
    auto found = std::lower_bound(firstCodes_.begin(), firstCodes_.end(), std::pair<char32_t, FoldedChar>(c, 0));
    return found != firstCodes_.end() && found->first == c ? found->second : otherwise;
}

class FoldTable {
public:
    explicit FoldTable(const CodePage& codePage);

    FoldedChar single(unsigned char b) const { return single_[b]; }
    FoldedChar pair(unsigned char lead, unsigned char trail) const { return pair_[leadSlot(lead) * 256 + trail]; }
    // The folded half-width letter `letter` with the mark `mark` after it,
    // or 0 when the letter takes no such mark.
    FoldedChar marked(unsigned char letter, unsigned char mark) const
    {
        return (mark == kVoicedMarkByte ? voiced_ : semiVoiced_)[letter];
    }

private:
    void fillFolds(const CodePage& codePage);
    void fillMarkedLetters(const CodePage& codePage);
    FoldedChar& entry(FoldedChar code);

    std::array<FoldedChar, 256> single_{};
    std::array<FoldedChar, kLeadBytes * 256> pair_{};
    std::array<FoldedChar, 256> voiced_{};
    std::array<FoldedChar, 256> semiVoiced_{};
};

// Every code starts as itself: a byte or pair CP932 leaves unmapped, or
// one the engine reads as a character but the converter would split,
// folds to nothing but itself.
FoldTable::FoldTable(const CodePage& codePage)
{
    for (unsigned b = 0; b < 256; ++b)
        single_[b] = static_cast<FoldedChar>(b);
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!sjis::isLeadByte(static_cast<unsigned char>(lead)))
            continue;
        for (unsigned trail = 0; trail < 256; ++trail)
            entry(static_cast<FoldedChar>(lead << 8 | trail)) = static_cast<FoldedChar>(lead << 8 | trail);
    }
    fillFolds(codePage);
    fillMarkedLetters(codePage);
}

FoldedChar& FoldTable::entry(FoldedChar code)
{
    if (code < 0x100)
        return single_[code];
    return pair_[leadSlot(static_cast<unsigned char>(code >> 8)) * 256 + (code & 0xFF)];
}

void FoldTable::fillFolds(const CodePage& codePage)
{
    for (std::size_t i = 0; i < codePage.size(); ++i) {
        const char32_t c = codePage.unicode(i);
        if (c == kReplacement)
            continue;
        const FoldedChar itself = codePage.representative(c, codePage.code(i));
        const char32_t folded = foldCodePoint(c);
        entry(codePage.code(i)) = folded == c ? itself : codePage.representative(folded, itself);
    }
}

// CP932 holds the half-width katakana U+FF61-U+FF9F as the bytes 0xA1-0xDF.
void FoldTable::fillMarkedLetters(const CodePage& codePage)
{
    for (unsigned b = 0xA1; b <= 0xDF; ++b) {
        const char32_t letter = foldCodePoint(U'｡' + (b - 0xA1));
        const char32_t voiced = letter == U'ウ'                                         ? U'ヴ'
                                : kVoicedNext.find(letter) != std::u32string_view::npos ? letter + 1
                                                                                        : 0;
        const char32_t semiVoiced = kSemiVoicedAfterNext.find(letter) != std::u32string_view::npos ? letter + 2 : 0;
        if (voiced)
            voiced_[b] = codePage.representative(voiced, 0);
        if (semiVoiced)
            semiVoiced_[b] = codePage.representative(semiVoiced, 0);
    }
}

const FoldTable& table()
{
    static const FoldTable instance{CodePage()};
    return instance;
}

}  // namespace

namespace {

// Folds `cp932` into `out`, which has room for cp932.size() characters,
// telling `atChar` the byte where each folded character begins; returns
// how many characters it wrote.
template <typename AtChar>
std::size_t foldInto(std::string_view cp932, FoldedChar* out, AtChar atChar)
{
    const FoldTable& folds = table();
    FoldedChar* next = out;
    const std::size_t size = cp932.size();
    for (std::size_t i = 0; i < size;) {
        atChar(i);
        const auto b = static_cast<unsigned char>(cp932[i]);
        if (b < 0x80) {  // ASCII: no lead byte, and no voiced mark joins it
            *next++ = folds.single(b);
            ++i;
            continue;
        }
        if (i + 1 < size) {
            const auto after = static_cast<unsigned char>(cp932[i + 1]);
            if (sjis::isLeadByte(b)) {
                *next++ = folds.pair(b, after);
                i += 2;
                continue;
            }
            if (after == kVoicedMarkByte || after == kSemiVoicedMarkByte) {
                if (const FoldedChar marked = folds.marked(b, after)) {
                    *next++ = marked;
                    i += 2;
                    continue;
                }
            }
        }
        *next++ = folds.single(b);
        ++i;
    }
    return static_cast<std::size_t>(next - out);
}

}  // namespace

void fold(std::string_view cp932, FoldedText& out)
{
    out.resize(cp932.size());
    out.resize(foldTo(cp932, out.data()));
}

void fold(std::string_view cp932, FoldedText& out, std::vector<std::size_t>& starts)
{
    starts.clear();
    out.resize(cp932.size());
    out.resize(foldInto(cp932, out.data(), [&starts](std::size_t at) { starts.push_back(at); }));
    starts.push_back(cp932.size());
}

std::size_t foldTo(std::string_view cp932, FoldedChar* out)
{
    return foldInto(cp932, out, [](std::size_t) {});
}

bool matches(std::span<const FoldedChar> field, std::span<const FoldedChar> text, search_mode mode)
{
    switch (mode) {
    case search_mode::Exact: return std::equal(field.begin(), field.end(), text.begin(), text.end());
    case search_mode::Prefix: return field.size() >= text.size() && std::equal(text.begin(), text.end(), field.begin());
    case search_mode::Partial:
        return text.empty() || std::search(field.begin(), field.end(), text.begin(), text.end()) != field.end();
    default: return false;
    }
}

std::string withKatakanaForMissingHiragana(std::string_view utf8)
{
    // ゔ, ゕ and ゖ are E3 82 94-96 in UTF-8; ヴ, ヵ and ヶ are E3 83 B4-B6.
    std::string out(utf8);
    for (std::size_t at = out.find("\xE3\x82"); at != std::string::npos && at + 2 < out.size();
         at = out.find("\xE3\x82", at + 1)) {
        const auto last = static_cast<unsigned char>(out[at + 2]);
        if (last >= 0x94 && last <= 0x96) {
            out[at + 1] = '\x83';
            out[at + 2] = static_cast<char>(last + 0x20);
        }
    }
    return out;
}

}  // namespace card::textfold
