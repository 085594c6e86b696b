// SPDX-License-Identifier: MIT
#pragma once

#include <string>

// The bash completion script of voxtarn-find, made from its option table:
// commands, the options of each, the words a choice takes, folders for DIR.
class BashCompletion {
public:
    static std::string script();
};
