#include "Cp932Converter.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

iconv_t handle(void* p) { return static_cast<iconv_t>(p); }

bool isTrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }
bool isLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Runs iconv over the whole input. On an invalid sequence `onInvalid` is told
// where it starts and returns how many bytes to skip, or 0 to give up.
template <typename OnInvalid>
bool convert(iconv_t cd, std::string_view in, std::string& out, OnInvalid onInvalid)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    out.clear();
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char chunk[4096];
    while (srcLeft > 0) {
        char* dst = chunk;
        std::size_t dstLeft = sizeof chunk;
        std::size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(chunk, static_cast<std::size_t>(dst - chunk));
        if (rc != static_cast<std::size_t>(-1) || errno == E2BIG)
            continue;
        std::size_t skip = onInvalid(std::string_view(src, srcLeft));
        if (skip == 0)
            return false;
        src += skip;
        srcLeft -= skip;
    }
    return true;
}

}  // namespace

Cp932Converter::Cp932Converter()
    : toUtf8_(iconv_open("UTF-8", "CP932")), fromUtf8_(iconv_open("CP932", "UTF-8"))
{
    if (toUtf8_ == reinterpret_cast<void*>(-1) || fromUtf8_ == reinterpret_cast<void*>(-1))
        throw std::runtime_error("iconv has no CP932 converter");
}

Cp932Converter::~Cp932Converter()
{
    iconv_close(handle(toUtf8_));
    iconv_close(handle(fromUtf8_));
}

std::string Cp932Converter::toUtf8(std::string_view cp932)
{
    std::string out;
    convert(handle(toUtf8_), cp932, out, [&out](std::string_view rest) -> std::size_t {
        out += kReplacement;
        // An unmapped pair is one character; a lead byte before a byte that
        // cannot trail it stands alone, so the next character survives.
        auto b0 = static_cast<unsigned char>(rest[0]);
        if (rest.size() >= 2 && isLeadByte(b0) && isTrailByte(static_cast<unsigned char>(rest[1])))
            return 2;
        return 1;
    });
    return out;
}

std::optional<std::string> Cp932Converter::fromUtf8(std::string_view utf8)
{
    std::string out;
    if (!convert(handle(fromUtf8_), utf8, out, [](std::string_view) { return std::size_t{0}; }))
        return std::nullopt;
    return out;
}

bool Cp932Converter::isValidCp932(std::string_view cp932)
{
    std::string out;
    return convert(handle(toUtf8_), cp932, out, [](std::string_view) { return std::size_t{0}; });
}
