#include "CommandLine.h"
#include "ConsoleSetup.h"
#include "Finder.h"

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
        std::fprintf(stderr, "voxtarn-find: %s\nTry 'voxtarn-find --help'.\n", error.c_str());
        return 2;
    }
    try {
        return Finder(*commandLine, stdout, stderr).run();
    } catch (const std::exception& e) {
        // Out of memory, or a system without a CP932 converter.
        std::fprintf(stderr, "voxtarn-find: %s\n", e.what());
        return 2;
    }
}
