#include "FinderProcess.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <sys/wait.h>

namespace {

std::string quoted(const std::string& arg)
{
    std::string result = "'";
    for (char c : arg) {
        if (c == '\'')
            result += "'\\''";
        else
            result += c;
    }
    return result + "'";
}

std::string slurp(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

FinderProcess::FinderProcess()
{
    std::random_device random;
    dir_ = std::filesystem::temp_directory_path() /
           ("voxtarn-cli-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(dir_ / "out");
}

FinderProcess::~FinderProcess()
{
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}

void FinderProcess::write(const std::string& name, const std::string& bytes) const
{
    std::filesystem::path file = dir_ / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

FinderProcess::Result FinderProcess::run(const std::vector<std::string>& args,
                                         const std::string& stdoutFile) const
{
    std::filesystem::path out = dir_ / "out" / "stdout";
    std::filesystem::path err = dir_ / "out" / "stderr";
    // A program that blocks fails the test instead of hanging it.
    std::string command = "cd " + quoted(dir_.string()) + " && timeout 30 " + quoted(VOXTARN_FIND);
    for (const std::string& arg : args)
        command += " " + quoted(arg);
    command += " >" + quoted(stdoutFile.empty() ? out.string() : stdoutFile) + " 2>" + quoted(err.string());
    int raw = std::system(command.c_str());
    Result result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = stdoutFile.empty() ? slurp(out) : std::string();
    result.err = slurp(err);
    return result;
}
