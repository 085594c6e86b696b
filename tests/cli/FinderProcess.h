#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Runs the built voxtarn-find in a scratch folder of its own and keeps what
// it printed. The folder holds the data files a test writes and goes with
// the object.
class FinderProcess {
public:
    struct Result {
        int status = -1;
        std::string out;
        std::string err;
    };

    FinderProcess();
    ~FinderProcess();
    FinderProcess(const FinderProcess&) = delete;
    FinderProcess& operator=(const FinderProcess&) = delete;

    const std::filesystem::path& dir() const { return dir_; }
    // Writes `bytes` unchanged to dir()/name (name may hold a subfolder).
    void write(const std::string& name, const std::string& bytes) const;

    // voxtarn-find with `args`, started in dir(); stdout to `stdoutFile`
    // when given (e.g. /dev/full), else captured.
    Result run(const std::vector<std::string>& args, const std::string& stdoutFile = {}) const;

private:
    std::filesystem::path dir_;
};
