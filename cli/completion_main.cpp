// SPDX-License-Identifier: MIT
// Writes voxtarn-find's bash completion to standard output; the build runs it.
#include "BashCompletion.h"

#include <cstdio>

int main()
{
    const std::string script = BashCompletion::script();
    return std::fwrite(script.data(), 1, script.size(), stdout) == script.size() && std::fflush(stdout) == 0 ? 0 : 1;
}
