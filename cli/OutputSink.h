// SPDX-License-Identifier: MIT
#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

// Collects output in one large buffer and hands it to the stream in big
// blocks: a million list lines cost a few hundred writes, not a million.
class OutputSink {
public:
    // Thrown by append() when a full block cannot be written (a closed pipe,
    // a full disk): the command stops there instead of reading on for output
    // that nobody receives.
    struct WriteFailed : std::runtime_error {
        WriteFailed() : std::runtime_error("cannot write to standard output") {}
    };

    // `cp932`: the output is CP932 text, not UTF-8 (a console is told).
    explicit OutputSink(std::FILE* stream, bool cp932 = false);
    ~OutputSink();
    OutputSink(const OutputSink&) = delete;
    OutputSink& operator=(const OutputSink&) = delete;

    void append(std::string_view bytes);
    void append(char byte);
    // Appends what `write(std::string&)` adds to the end of the buffer: a
    // line or record built in place costs no copy of its own.
    template <typename Write>
    void appendBuilt(Write write)
    {
        write(buffer_);
        flushIfFull();
    }

    // Writes out everything held so far; false once any write has failed.
    // Never throws.
    bool flush();

private:
    void flushIfFull();

    std::FILE* stream_;
    bool cp932_;
    std::string buffer_;
    bool failed_ = false;
};
