// SPDX-License-Identifier: MIT
#include "CollationKeys.h"

#include <atomic>
#include <cstdint>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>

#ifndef SORT_DIGITSASNUMBERS
#define SORT_DIGITSASNUMBERS 8
#endif

// Windows makes its keys with LCMapStringW for the Japanese locale, numbers
// by value, as QCollator does there. QCollator keeps such a key in a QString
// and compares it a UTF-16 unit at a time: each pair of bytes, read as a
// little-endian unit, is written here high byte first, so that comparing
// bytes orders the keys as QCollator does.
struct CollationKeys::Collator {
    static constexpr DWORD kFlags = LCMAP_SORTKEY | SORT_DIGITSASNUMBERS;
    const LCID locale = MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), SORT_DEFAULT);
    std::string bytes;

    void appendKey(std::u16string_view text, std::string& key)
    {
        if (text.empty())
            return;  // LCMapStringW refuses no text; QCollator's key is then empty, before every other
        const auto* source = reinterpret_cast<const wchar_t*>(text.data());
        const int length = int(text.size());
        int size = LCMapStringW(locale, kFlags, source, length, nullptr, 0);
        bytes.resize(std::size_t(size) + 1);
        size = LCMapStringW(locale, kFlags, source, length, reinterpret_cast<wchar_t*>(bytes.data()), size);
        if (size == 0)
            throw std::runtime_error("LCMapStringW failed to make a sort key (error " + std::to_string(GetLastError()) + ")");
        bytes.resize(std::size_t(size + 1) & ~std::size_t(1), '\0');  // whole units
        for (std::size_t at = 0; at < bytes.size(); at += 2) {
            key.push_back(bytes[at + 1]);
            key.push_back(bytes[at]);
        }
    }
};

#else
#include <unicode/ucol.h>

// ICU's collator opened and set as QCollator opens and sets it for the
// Japanese locale with numbers by value; QCollator's keys are ICU's bytes.
struct CollationKeys::Collator {
    UCollator* collator = nullptr;

    Collator()
    {
        UErrorCode status = U_ZERO_ERROR;
        collator = ucol_open("ja", &status);
        if (U_FAILURE(status))
            throw std::runtime_error(std::string("ICU could not open the Japanese collation: ") + u_errorName(status));
        ucol_setAttribute(collator, UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
        ucol_setAttribute(collator, UCOL_STRENGTH, UCOL_DEFAULT_STRENGTH, &status);
        ucol_setAttribute(collator, UCOL_NUMERIC_COLLATION, UCOL_ON, &status);
        ucol_setAttribute(collator, UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, &status);
        if (U_FAILURE(status)) {
            ucol_close(collator);
            throw std::runtime_error(std::string("ICU could not set the Japanese collation: ") + u_errorName(status));
        }
    }
    ~Collator() { ucol_close(collator); }

    // Written straight after the key so far, in room guessed from the text's
    // length; made again when the guess was short.
    void appendKey(std::u16string_view text, std::string& key)
    {
        const std::size_t start = key.size();
        const auto* source = reinterpret_cast<const UChar*>(text.data());
        const auto length = std::int32_t(text.size());
        std::size_t room = 16 + 4 * text.size();
        for (;;) {
            key.resize(start + room);
            const std::int32_t size =
                ucol_getSortKey(collator, source, length, reinterpret_cast<std::uint8_t*>(key.data() + start), std::int32_t(room));
            if (size == 0 && !text.empty())
                throw std::runtime_error("ICU failed to make a sort key");
            if (std::size_t(size) <= room) {
                key.resize(start + std::size_t(size));
                return;
            }
            room = std::size_t(size);
        }
    }
};
#endif

namespace {
std::atomic<int> pretendedFailures{0};
}  // namespace

CollationKeys::PretendedFailure::PretendedFailure()
{
    ++pretendedFailures;
}

CollationKeys::PretendedFailure::~PretendedFailure()
{
    --pretendedFailures;
}

CollationKeys::CollationKeys()
{
    try {
        if (pretendedFailures > 0)
            throw std::runtime_error("the Japanese collation could not be opened (pretended)");
        collator_ = std::make_unique<Collator>();
    } catch (const std::exception& error) {
        problem_ = error.what();
    }
}

CollationKeys::~CollationKeys() = default;

// A key the platform failed to make leaves `key` as it was, in code points.
void CollationKeys::appendKey(std::u16string_view text, std::string& key)
{
    if (collator_) {
        const std::size_t start = key.size();
        try {
            collator_->appendKey(text, key);
            return;
        } catch (const std::exception& error) {
            key.resize(start);
            useCodePoints(error.what());
        }
    }
    appendCodePoints(text, key);
}

void CollationKeys::useCodePoints(std::string why)
{
    collator_.reset();
    if (problem_.empty())
        problem_ = std::move(why);
}

// A lone surrogate stands for itself, as a code point of its own.
void CollationKeys::appendCodePoints(std::u16string_view text, std::string& key)
{
    for (std::size_t at = 0; at < text.size(); ++at) {
        char32_t point = text[at];
        if (point >= 0xD800 && point < 0xDC00 && at + 1 < text.size() && text[at + 1] >= 0xDC00 && text[at + 1] < 0xE000)
            point = 0x10000 + ((point - 0xD800) << 10) + (text[++at] - 0xDC00);
        key += {char(point >> 16), char(point >> 8 & 0xFF), char(point & 0xFF)};
    }
}
