// SPDX-License-Identifier: MIT
#include "FileSizeLimit.h"

#if defined(_WIN32)

FileSizeLimit::FileSizeLimit() = default;
FileSizeLimit::~FileSizeLimit() = default;
bool FileSizeLimit::works() { return false; }

#else

#include <csignal>
#include <sys/resource.h>

FileSizeLimit::FileSizeLimit()
{
    std::signal(SIGXFSZ, SIG_IGN);  // a failed write, not a killed process
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    saved_ = limit.rlim_cur;
    limit.rlim_cur = 8;
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = saved_;
    setrlimit(RLIMIT_FSIZE, &limit);
}

bool FileSizeLimit::works() { return true; }

#endif
