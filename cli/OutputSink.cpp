// SPDX-License-Identifier: MIT
#include "OutputSink.h"

#include "SystemConsole.h"

namespace {
constexpr std::size_t kBlockSize = 1 << 20;
}

OutputSink::OutputSink(std::FILE* stream, bool cp932) : stream_(stream), cp932_(cp932)
{
    buffer_.reserve(kBlockSize + 4096);
}

OutputSink::~OutputSink()
{
    flush();
}

void OutputSink::append(std::string_view bytes)
{
    buffer_ += bytes;
    flushIfFull();
}

void OutputSink::append(char byte)
{
    buffer_ += byte;
    flushIfFull();
}

void OutputSink::flushIfFull()
{
    if (buffer_.size() >= kBlockSize && !flush())
        throw WriteFailed();
}

bool OutputSink::flush()
{
    if (!buffer_.empty() && !failed_) {
        if (!writeText(stream_, buffer_, cp932_))
            failed_ = true;
    }
    buffer_.clear();
    if (std::fflush(stream_) != 0)
        failed_ = true;
    return !failed_;
}
