// SPDX-License-Identifier: MIT
// Times the readings of the listed cards' names, types and illustrators, as
// the window makes them after a list, and what they cost in memory beside
// the files' size:
//   voxtarn-reading-bench DIR...
// Prints per folder: cards, distinct texts read, milliseconds (of the clock
// and of the processor, both cores' together where two are used: a busy
// machine lengthens the first alone; `taskset -c 0` reads on one), the
// readings' bytes and their share of corp.txt and runner.txt together.
#include "CardLister.h"
#include "EngineOnlyFrontEnd.h"
#include "MecabAnalyser.h"
#include "TextReadings.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: voxtarn-reading-bench DIR...\n");
        return 2;
    }
    std::printf("%-20s %10s %10s %10s %10s %12s %8s\n", "folder", "cards", "texts", "ms", "cpu ms", "bytes", "of files");
    for (int arg = 1; arg < argc; ++arg) {
        const std::filesystem::path dir = argv[arg];
        bench::DiscardingView view;
        bench::StderrUi ui;
        card::CardLister lister(view, ui, dir);
        lister.OnListAll();
        std::string error;
        auto analyser = card::MecabAnalyser::open({}, error);
        if (!analyser) {
            std::fprintf(stderr, "voxtarn-reading-bench: %s\n", error.c_str());
            return 1;
        }
        card::TextReadings readings(std::move(analyser), card::ReadingCorrections::load(dir));
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t cpuStart = std::clock();
        readings.addCards(lister.cards(), 0, lister.cards().size());
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        const double cpuMs = 1000.0 * double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        std::uintmax_t fileBytes = 0;
        for (const char* file : {"corp.txt", "runner.txt"})
            fileBytes += std::filesystem::file_size(dir / file);
        std::printf("%-20s %10zu %10zu %10.1f %10.1f %12zu %7.3fx\n", dir.filename().c_str(), lister.cards().size(),
                    readings.size(), ms, cpuMs, readings.memoryBytes(), double(readings.memoryBytes()) / double(fileBytes));
    }
    return 0;
}
