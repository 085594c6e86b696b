// SPDX-License-Identifier: MIT
#include "OperatingSystem.h"

#include <stdexcept>

#if defined(_WIN32)

#include <windows.h>

#include <algorithm>
#include <climits>

namespace {

constexpr UINT kCodePage932 = 932;

HANDLE handleOf(card::os::FileHandle file)
{
    return reinterpret_cast<HANDLE>(file);
}

// The Win32 conversion functions count in int; card texts are lines and
// records, far below this.
int lengthOf(std::size_t size)
{
    if (size > INT_MAX / 4)
        throw std::length_error("text too long to convert");
    return static_cast<int>(size);
}

void requireCodePage932()
{
    static const bool present = IsValidCodePage(kCodePage932) != 0;
    if (!present)
        throw std::runtime_error("the system has no code page 932");
}

// UTF-16 of `in` in code page `codePage`; false on any invalid sequence.
bool toWide(UINT codePage, std::string_view in, std::wstring& wide)
{
    // One byte never gives more than one UTF-16 unit, in either code page.
    wide.resize(in.size());
    int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), lengthOf(in.size()), wide.data(),
                                lengthOf(wide.size()));
    if (n <= 0)
        return false;
    wide.resize(static_cast<std::size_t>(n));
    return true;
}

// `wide` in code page `codePage`; false when a character has no counterpart.
// No best fit for code page 932: a character it does not hold is refused,
// never turned into "?" or a look-alike that could match another card.
bool fromWide(UINT codePage, const std::wstring& wide, std::string& out)
{
    const bool cp932 = codePage == kCodePage932;
    // At most 3 bytes a UTF-16 unit in UTF-8, 2 in code page 932.
    out.resize(wide.size() * 3);
    BOOL usedDefault = FALSE;
    int n = WideCharToMultiByte(codePage, cp932 ? WC_NO_BEST_FIT_CHARS : 0, wide.data(), lengthOf(wide.size()),
                                out.data(), lengthOf(out.size()), nullptr, cp932 ? &usedDefault : nullptr);
    out.resize(static_cast<std::size_t>(std::max(n, 0)));
    return n > 0 && !usedDefault;
}

bool convert(UINT from, UINT to, std::string_view in, std::string& out)
{
    requireCodePage932();
    out.clear();
    std::wstring wide;
    return in.empty() || (toWide(from, in, wide) && fromWide(to, wide, out));
}

}  // namespace

namespace card::os {

FileHandle openRegularFile(const std::filesystem::path& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return kNoFile;
    // Pipes, the console and devices such as NUL or COM1 are no data files.
    // (A directory does not open at all without FILE_FLAG_BACKUP_SEMANTICS.)
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return kNoFile;
    }
    return reinterpret_cast<FileHandle>(file);
}

std::ptrdiff_t readFile(FileHandle file, char* buffer, std::size_t size)
{
    DWORD read = 0;
    DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    if (!ReadFile(handleOf(file), buffer, wanted, &read, nullptr))
        return -1;
    return static_cast<std::ptrdiff_t>(read);
}

bool seekFile(FileHandle file, std::uint64_t offset)
{
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(handleOf(file), to, nullptr, FILE_BEGIN) != 0;
}

void closeFile(FileHandle file)
{
    CloseHandle(handleOf(file));
}

char* allocateBlock(std::size_t size)
{
    return static_cast<char*>(VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
}

void freeBlock(char* block, std::size_t)
{
    VirtualFree(block, 0, MEM_RELEASE);
}

// Pages of a block come one by one as they are first written: an unwritten
// one was never resident.
void releaseUnusedPages(char*, char*) {}

bool cp932ToUtf8(std::string_view in, std::string& out)
{
    return convert(kCodePage932, CP_UTF8, in, out);
}

bool utf8ToCp932(std::string_view in, std::string& out)
{
    return convert(CP_UTF8, kCodePage932, in, out);
}

std::size_t usableCores()
{
    DWORD_PTR process = 0;
    DWORD_PTR system = 0;
    if (!GetProcessAffinityMask(GetCurrentProcess(), &process, &system))
        return 0;
    std::size_t count = 0;
    for (; process != 0; process &= process - 1)
        ++count;
    return count;
}

std::filesystem::path programFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0)
            return {};
        if (length < path.size())
            return std::filesystem::path(path.substr(0, length)).parent_path();
        path.resize(path.size() * 2);
    }
}

}  // namespace card::os

#else  // POSIX

#include <cerrno>
#include <fcntl.h>
#include <iconv.h>
#include <sched.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// iconv descriptors are costly to open: one pair per thread, kept.
class IconvPair {
public:
    IconvPair() : toUtf8(iconv_open("UTF-8", "CP932")), fromUtf8(iconv_open("CP932", "UTF-8"))
    {
        if (failed(toUtf8) || failed(fromUtf8)) {
            close();
            throw std::runtime_error("iconv has no CP932 converter");
        }
    }
    ~IconvPair() { close(); }
    IconvPair(const IconvPair&) = delete;
    IconvPair& operator=(const IconvPair&) = delete;

    static IconvPair& ofThisThread()
    {
        thread_local IconvPair pair;
        return pair;
    }

    iconv_t toUtf8;
    iconv_t fromUtf8;

private:
    static bool failed(iconv_t cd) { return cd == reinterpret_cast<iconv_t>(-1); }

    void close()
    {
        if (!failed(toUtf8))
            iconv_close(toUtf8);
        if (!failed(fromUtf8))
            iconv_close(fromUtf8);
    }
};

// Room for the longest result is made at once: a conversion that fills its
// output redoes its first step (UTF-8 or CP932 to the internal form) to
// find where it stopped, which took most of the time of a file read as
// UTF-8. `growth`: the most bytes a byte of `in` becomes.
bool convert(iconv_t cd, std::string_view in, std::string& out, std::size_t growth)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    out.resize(in.size() * growth);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char* dst = out.data();
    std::size_t dstLeft = out.size();
    const std::size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.resize(out.size() - dstLeft);
    return rc != static_cast<std::size_t>(-1);
}

}  // namespace

namespace card::os {

FileHandle openRegularFile(const std::filesystem::path& path)
{
    // O_NONBLOCK: opening a FIFO for reading would wait for a writer.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return kNoFile;
    struct stat st {};
    int flags = -1;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || (flags = ::fcntl(fd, F_GETFL)) < 0 ||
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return kNoFile;
    }
    return fd;
}

std::ptrdiff_t readFile(FileHandle file, char* buffer, std::size_t size)
{
    for (;;) {
        ssize_t n = ::read(static_cast<int>(file), buffer, size);
        if (n >= 0 || errno != EINTR)
            return n;
    }
}

bool seekFile(FileHandle file, std::uint64_t offset)
{
    return ::lseek(static_cast<int>(file), static_cast<off_t>(offset), SEEK_SET) >= 0;
}

void closeFile(FileHandle file)
{
    ::close(static_cast<int>(file));
}

char* allocateBlock(std::size_t size)
{
    void* block = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED)
        return nullptr;
#if defined(MADV_HUGEPAGE)
    ::madvise(block, size, MADV_HUGEPAGE);  // only a hint: without it, plain pages
#endif
    return static_cast<char*>(block);
}

void freeBlock(char* block, std::size_t size)
{
    ::munmap(block, size);
}

void releaseUnusedPages(char* from, char* end)
{
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const std::uintptr_t first = (reinterpret_cast<std::uintptr_t>(from) + page - 1) / page * page;
    const auto last = reinterpret_cast<std::uintptr_t>(end) / page * page;
    if (first < last)
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED);
}

bool cp932ToUtf8(std::string_view in, std::string& out)
{
    return convert(IconvPair::ofThisThread().toUtf8, in, out, 3);  // a half-width kana: 1 byte, 3 in UTF-8
}

bool utf8ToCp932(std::string_view in, std::string& out)
{
    return convert(IconvPair::ofThisThread().fromUtf8, in, out, 1);  // never longer than its UTF-8
}

std::size_t usableCores()
{
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) != 0)
        return 0;
    return static_cast<std::size_t>(CPU_COUNT(&set));
}

std::filesystem::path programFolder()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : program.parent_path();
}

}  // namespace card::os

#endif

namespace card::os {

// Both platforms' readFile beneath it.
bool readWholeFile(const std::filesystem::path& path, std::size_t limit, std::string& bytes)
{
    const FileHandle file = openRegularFile(path);
    if (file == kNoFile)
        return false;
    bytes.clear();
    char buffer[64 * 1024];
    std::ptrdiff_t got = 0;
    while (bytes.size() <= limit && (got = readFile(file, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, std::size_t(got));
    closeFile(file);
    return got >= 0;
}

}  // namespace card::os
