// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#if !defined(_WIN32)
#include <sys/stat.h>
#endif

// A folder of its own for one test, removed with it.
class TempDir {
public:
    TempDir() { std::filesystem::create_directories(path_); }
    ~TempDir() { std::filesystem::remove_all(path_); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

    std::filesystem::path write(const std::string& name, const std::string& bytes) const
    {
        std::filesystem::create_directories((path_ / name).parent_path());
        std::ofstream(path_ / name, std::ios::binary) << bytes;
        return path_ / name;
    }

    std::filesystem::path link(const std::string& name, const std::filesystem::path& target) const
    {
        std::filesystem::create_symlink(target, path_ / name);
        return path_ / name;
    }

#if !defined(_WIN32)
    std::filesystem::path fifo(const std::string& name) const
    {
        std::filesystem::create_directories((path_ / name).parent_path());
        ::mkfifo((path_ / name).c_str(), 0600);
        return path_ / name;
    }
#endif

private:
    std::filesystem::path path_ =
        std::filesystem::temp_directory_path() / ("voxtarn-test-" + std::to_string(std::random_device()()));
};
