// SPDX-License-Identifier: MIT
// voxtarn-gen: writes a large data file for the benchmarks.
//   voxtarn-gen corp|runner CARDS FILE [SEED]
#include "DataGenerator.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 4 || argc > 5 || (std::string(argv[1]) != "corp" && std::string(argv[1]) != "runner")) {
        std::fprintf(stderr, "usage: voxtarn-gen corp|runner CARDS FILE [SEED]\n");
        return 2;
    }
    bool runner = std::string(argv[1]) == "runner";
    unsigned long long cards = std::strtoull(argv[2], nullptr, 10);
    unsigned long long seed = argc == 5 ? std::strtoull(argv[4], nullptr, 10) : (runner ? 2 : 1);
    std::FILE* file = std::fopen(argv[3], "wb");
    if (!file) {
        std::perror(argv[3]);
        return 2;
    }
    try {
        DataGenerator generator(seed, runner);
        std::string block;
        for (unsigned long long i = 0; i < cards; ++i) {
            generator.appendCard(block);
            if (block.size() >= (1u << 20) || i + 1 == cards) {
                std::fwrite(block.data(), 1, block.size(), file);
                block.clear();
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "voxtarn-gen: %s\n", e.what());
        std::fclose(file);
        return 2;
    }
    if (std::fclose(file) != 0) {
        std::perror(argv[3]);
        return 2;
    }
    return 0;
}
