// SPDX-License-Identifier: MIT
#pragma once

// While it lives, writing a file past a few bytes fails as on a full disk, for root too; the limit before is restored
// afterwards. Only POSIX systems have such a per-process limit: elsewhere `works()` is false and nothing changes.
class FileSizeLimit {
public:
    FileSizeLimit();
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    static bool works();

private:
    unsigned long long saved_ = 0;
};
