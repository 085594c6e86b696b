// SPDX-License-Identifier: MIT
#include "CommandLine.h"
#include "Finder.h"
#include "SystemConsole.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    setUpStandardStreams();
    std::vector<std::string> args = utf8Arguments(argc, argv);
    std::string error;
    std::optional<CommandLine> commandLine = CommandLine::parse(args, error);
    if (!commandLine) {
        writeText(stderr, "voxtarn-find: " + error + "\nTry 'voxtarn-find --help'.\n");
        return 2;
    }
    try {
        return Finder(*commandLine, stdout, stderr).run();
    } catch (const std::exception& e) {
        // Out of memory, or a system without a CP932 converter.
        writeText(stderr, std::string("voxtarn-find: ") + e.what() + "\n");
        return 2;
    }
}
