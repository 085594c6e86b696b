// Feeds arbitrary bytes through the record reader and writer, the file check, the comparisons and the CP932 converter,
// under the sanitizers: none may crash or read out of bounds on a bad file, and what must hold whatever the input is
// checked.
#include "Card.h"
#include "Cp932Converter.h"
#include "DataFileChecker.h"
#include "RecordWriter.h"
#include "TextModeFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

void checkReading(const std::string& data)
{
    auto file = TextModeFile::fromBytes(data);
    Card card;
    long cards = 0;
    int result;
    while ((result = card.read(*file)) == 0) {
        ++cards;
        for (const auto& field : {card.name, card.type, card.note, card.illust, card.rate})
            require(field.size() <= DataFile::kMaxPiece && field.find('\n') == std::string::npos,
                    "fields are single lines of at most 255 bytes");
        std::string record;
        appendRecord(record, card);
        Card again;
        require(again.read(*TextModeFile::fromBytes(record)) == 0, "a written record reads back");
        require(again.name == card.name && again.type == card.type && again.text == card.text &&
                    again.note == card.note && again.illust == card.illust && again.rate == card.rate,
                "a written record reads back as the same card");
    }
    require(result == 1 || result == -1, "read ends with 1 or -1");
    const CheckResult checked = checkDataFile(*TextModeFile::fromBytes(data));
    require(checked.cards >= cards, "the check resumes after bad records, never counts fewer");
    require(!checked.problems.empty() || checked.cards == cards, "a clean file reads the same cards");
}

// The converter on arbitrary text: every byte is decoded, and valid CP932 encodes back to the same text.
void checkConversion(const std::string& data)
{
    static Cp932Converter converter;
    const std::string utf8 = converter.toUtf8(data);
    if (converter.isValidCp932(data)) {
        const auto bytes = converter.fromUtf8(utf8);
        require(bytes && converter.toUtf8(*bytes) == utf8, "valid CP932 text encodes back to the same text");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const std::string data(reinterpret_cast<const char*>(bytes), size);
    checkReading(data);
    checkConversion(data);
    return 0;
}
