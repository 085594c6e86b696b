// SPDX-License-Identifier: MIT
#include "DeckFile.h"

#include "CardLayout.h"
#include "CardStore.h"
#include "Cp932Converter.h"
#include "OperatingSystem.h"
#include "RecordReader.h"
#include "TextModeFile.h"
#include "Utf8Transcoder.h"

#include <algorithm>
#include <system_error>

namespace card {

namespace {

bool isAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool samePath(const std::filesystem::path& a, const std::filesystem::path& b)
{
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error))
        return true;
    // A file not written yet: the paths themselves, made whole.
    std::error_code errorA;
    std::error_code errorB;
    const std::filesystem::path wholeA = std::filesystem::weakly_canonical(a, errorA);
    const std::filesystem::path wholeB = std::filesystem::weakly_canonical(b, errorB);
    return !errorA && !errorB && wholeA == wholeB;
}

// Whether the file's first record is a card: a deck never is one.
bool readsAsCardRecords(const std::filesystem::path& path)
{
    std::unique_ptr<TextModeFile> file = TextModeFile::open(path);
    if (!file)
        return false;
    CardStore store(CardStore::kFields * CardStore::kMaxField, 1);
    return RecordReader(*file).read(store) == 0;
}

}  // namespace

DeckFile::Refusal DeckFile::read(const std::filesystem::path& path, std::string& utf8)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return Refusal::Folder;
    std::string bytes;
    if (!os::readWholeFile(path, kMaxBytes, bytes))
        return Refusal::CannotOpen;
    if (Refusal refusal = check(bytes); refusal != Refusal::None)
        return refusal;
    utf8 = decode(bytes);
    return Refusal::None;
}

DeckFile::Refusal DeckFile::check(std::string_view bytes)
{
    if (bytes.size() > kMaxBytes)
        return Refusal::TooLarge;
    if (bytes.find('\0') != std::string_view::npos)
        return Refusal::HasNul;
    return Refusal::None;
}

std::string DeckFile::decode(std::string_view bytes)
{
    if (bytes.starts_with(Utf8Transcoder::kByteOrderMark))
        return std::string(bytes.substr(Utf8Transcoder::kByteOrderMark.size()));
    if (isAscii(bytes) || Utf8Transcoder::isUtf8(bytes))
        return std::string(bytes);
    return Cp932Converter().toUtf8(bytes);
}

bool DeckFile::isCardFile(const std::filesystem::path& path, const std::filesystem::path& dataDir)
{
    for (const char* file : datafiles)
        if (samePath(path, dataDir / file))
            return true;
    return readsAsCardRecords(path);
}

}  // namespace card
