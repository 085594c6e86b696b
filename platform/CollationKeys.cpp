// SPDX-License-Identifier: MIT
#include "CollationKeys.h"

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
            throw std::runtime_error("LCMapStringW failed to make a sort key");
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
            if (std::size_t(size) <= room) {
                key.resize(start + std::size_t(size));
                return;
            }
            room = std::size_t(size);
        }
    }
};
#endif

CollationKeys::CollationKeys() : collator_(std::make_unique<Collator>()) {}

CollationKeys::~CollationKeys() = default;

void CollationKeys::appendKey(std::u16string_view text, std::string& key)
{
    collator_->appendKey(text, key);
}
