#include "core/UTextFile.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zandor {

namespace {

std::string systemError(const std::string& what, const std::string& path) {
    return what + " \"" + path + "\": " + std::strerror(errno);
}

// The temporary file being written, for the signal handler to remove; empty between
// writes. A fixed buffer, because the handler may only do what is safe in a signal.
char pendingTemporary[4096];

// The signals the program can catch that end it by default: a temporary file is removed
// before the signal takes its course.
constexpr int endingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
struct sigaction previousActions[sizeof endingSignals / sizeof endingSignals[0]];

void removePendingTemporary(int signal) {
    if (pendingTemporary[0])
        ::unlink(pendingTemporary);
    pendingTemporary[0] = 0;
    for (std::size_t i = 0; i < sizeof endingSignals / sizeof endingSignals[0]; ++i)
        if (endingSignals[i] == signal)
            ::sigaction(signal, &previousActions[i], nullptr);
    ::raise(signal); // delivered as the handler returns, to whatever handled it before
}

// For the time of one write: the ending signals remove the temporary file, and a file-size
// limit makes write() fail with EFBIG (reported) instead of killing the program.
class TWriteSignalGuard {
public:
    TWriteSignalGuard() {
        struct sigaction action {};
        action.sa_handler = removePendingTemporary;
        ::sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < sizeof endingSignals / sizeof endingSignals[0]; ++i)
            ::sigaction(endingSignals[i], &action, &previousActions[i]);
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        ::sigemptyset(&ignore.sa_mask);
        ::sigaction(SIGXFSZ, &ignore, &m_previousFileSize);
    }
    ~TWriteSignalGuard() {
        pendingTemporary[0] = 0;
        for (std::size_t i = 0; i < sizeof endingSignals / sizeof endingSignals[0]; ++i)
            ::sigaction(endingSignals[i], &previousActions[i], nullptr);
        ::sigaction(SIGXFSZ, &m_previousFileSize, nullptr);
    }
    TWriteSignalGuard(const TWriteSignalGuard&) = delete;
    TWriteSignalGuard& operator=(const TWriteSignalGuard&) = delete;

private:
    struct sigaction m_previousFileSize {};
};

// Removes the temporary files of earlier writes of the file that never finished (the
// program was killed midway): they follow the pattern "." + name + "." + six characters.
void removeStaleTemporaries(const std::string& folder, const std::string& fileName) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const std::string prefix = "." + fileName + ".";
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.size() == prefix.size() + 6 && name.substr(0, prefix.size()) == prefix) {
            const std::string path = IncludeTrailingSeparator(folder) + std::string(name);
            struct stat info {};
            if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode))
                ::unlink(path.c_str());
        }
    }
    ::closedir(dir);
}

class TAtomicFileWriter final : public TFileWriter {
public:
    TWriteResult WriteFile(const std::string& named, std::string_view data) override {
        // The temporary file lies beside the file finally written, so that the rename
        // replaces that file and not a link to it.
        const std::string path = ResolveFileLinks(named);
        const std::string folder =
            ExtractFileDir(path).empty() ? std::string(".") : ExtractFileDir(path);
        const std::string fileName = ExtractFileName(path);
        if (fileName.empty()) {
            errno = EISDIR;
            return {false, systemError("Cannot write", named)};
        }
        TWriteSignalGuard guard;
        removeStaleTemporaries(folder, fileName);
        const std::string pattern = IncludeTrailingSeparator(folder) + "." + fileName + ".XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        // The ending signals wait while the temporary file is made and noted, so that none
        // comes between the two.
        sigset_t ending, previousMask;
        ::sigemptyset(&ending);
        for (const int signal : endingSignals)
            ::sigaddset(&ending, signal);
        ::sigprocmask(SIG_BLOCK, &ending, &previousMask);
        const int fd = ::mkostemp(name.data(), O_CLOEXEC);
        const int createError = errno;
        if (fd >= 0 && std::strlen(name.data()) < sizeof pendingTemporary)
            std::memcpy(pendingTemporary, name.data(), std::strlen(name.data()) + 1);
        ::sigprocmask(SIG_SETMASK, &previousMask, nullptr);
        if (fd < 0) {
            errno = createError;
            return {false, systemError("Cannot create a file beside", path)};
        }
        const std::string temporary(name.data());
        std::size_t written = 0;
        while (written < data.size()) {
            const ssize_t n = ::write(fd, data.data() + written, data.size() - written);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                if (n == 0)
                    errno = ENOSPC;
                return fail(fd, temporary, systemError("Cannot write", path));
            }
            written += static_cast<std::size_t>(n);
        }
        if (::fsync(fd) != 0)
            return fail(fd, temporary, systemError("Cannot flush", path));
        // Keep the permissions of the file being replaced; new files get the usual mode.
        struct stat old {};
        if (::stat(path.c_str(), &old) == 0)
            ::fchmod(fd, old.st_mode & 07777);
        else
            ::fchmod(fd, 0644);
        if (::close(fd) != 0) {
            const std::string error = systemError("Cannot close", path);
            ::unlink(temporary.c_str());
            return {false, error};
        }
        if (::rename(temporary.c_str(), path.c_str()) != 0) {
            const std::string error = systemError("Cannot replace", path);
            ::unlink(temporary.c_str());
            return {false, error};
        }
        pendingTemporary[0] = 0;
        // The new name itself is made durable with the folder.
        const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folderFd >= 0) {
            ::fsync(folderFd);
            ::close(folderFd);
        }
        return {};
    }

private:
    static TWriteResult fail(int fd, const std::string& temporary, const std::string& error) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return {false, error};
    }
};

TAtomicFileWriter realWriter;
TFileWriter* currentWriter = &realWriter;

} // namespace

TFileWriter& CurrentFileWriter() {
    return *currentWriter;
}

TFileWriter* SetFileWriter(TFileWriter* writer) {
    TFileWriter* previous = currentWriter;
    currentWriter = writer ? writer : &realWriter;
    return previous == &realWriter ? nullptr : previous;
}

int OpenRegularFile(const std::string& path, long long& size, std::string* reason,
                    long long maxSize) {
    const auto failed = [reason](const std::string& why) {
        if (reason)
            *reason = why;
        return -1;
    };
    // Opened without blocking, so that a FIFO with no writer is refused instead of waited
    // for; the type is checked before a byte is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return failed(std::strerror(errno));
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const std::string why = std::strerror(errno);
        ::close(fd);
        return failed(why);
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return failed(S_ISDIR(info.st_mode) ? "is a folder"
                                            : "is not a regular file (a FIFO, socket or device)");
    }
    if (info.st_size > maxSize) {
        ::close(fd);
        return failed("is too large (" + std::to_string(info.st_size) + " bytes; at most " +
                      std::to_string(maxSize) + ")");
    }
    size = info.st_size;
    return fd;
}

bool ReadWholeFile(const std::string& path, std::string& contents, std::string* reason,
                   long long maxSize) {
    contents.clear();
    const auto failed = [reason](const std::string& why) {
        if (reason)
            *reason = why;
        return false;
    };
    long long size = 0;
    const int fd = OpenRegularFile(path, size, reason, maxSize);
    if (fd < 0)
        return false;
    if (size > 0)
        contents.reserve(static_cast<std::size_t>(size));
    char buffer[1 << 16];
    while (true) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const std::string why = std::strerror(errno);
            ::close(fd);
            contents.clear();
            return failed(why);
        }
        if (n == 0)
            break;
        // A file that grows while it is read is still held to the limit.
        if (static_cast<long long>(contents.size()) + n > maxSize) {
            ::close(fd);
            contents.clear();
            return failed("is too large (more than " + std::to_string(maxSize) + " bytes)");
        }
        contents.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return true;
}

std::string CannotReadMessage(const std::string& path, const std::string& reason) {
    return "cannot read \"" + path + "\": " + reason;
}

void SplitLines(std::string_view text, std::vector<std::string>& lines) {
    lines.clear();
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        const char* start = p;
        while (p < end && *p != '\r' && *p != '\n')
            ++p;
        lines.emplace_back(start, static_cast<std::size_t>(p - start));
        if (p < end && *p++ == '\r' && p < end && *p == '\n')
            ++p;
    }
}

std::optional<std::vector<std::string>> ReadTextLines(const std::string& path,
                                                      std::string* reason) {
    std::string contents;
    if (!ReadWholeFile(path, contents, reason))
        return std::nullopt;
    std::vector<std::string> lines;
    SplitLines(contents, lines);
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::size_t length = 0;
    for (const std::string& line : lines)
        length += line.size() + 2;
    std::string text;
    text.reserve(length);
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

TWriteResult WriteTextLines(const std::string& path, const std::vector<std::string>& lines) {
    return CurrentFileWriter().WriteFile(path, JoinLines(lines));
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat first {
    }, second{};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::string ResolveFileLinks(const std::string& path) {
    std::string current = path;
    // As many steps as the system itself follows before it gives up on a loop.
    for (int step = 0; step < 40; ++step) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        std::vector<char> buffer(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) +
                                 1);
        const ssize_t n = ::readlink(current.c_str(), buffer.data(), buffer.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size())
            return current;
        std::string target(buffer.data(), static_cast<std::size_t>(n));
        if (target.front() != PathSeparator()) {
            const std::string folder = ExtractFileDir(current);
            if (!folder.empty())
                target = IncludeTrailingSeparator(folder) + target;
        }
        current = target;
    }
    return path; // a loop: the write fails on the name as given
}

bool DirectoryExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

char PathSeparator() {
    return '/';
}

std::string ExtractFileDir(const std::string& path) {
    const std::size_t slash = path.find_last_of(PathSeparator());
    if (slash == std::string::npos)
        return {};
    if (slash == 0)
        return std::string(1, PathSeparator());
    return path.substr(0, slash);
}

std::string ExtractFileName(const std::string& path) {
    const std::size_t slash = path.find_last_of(PathSeparator());
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string IncludeTrailingSeparator(const std::string& folder) {
    if (!folder.empty() && folder.back() == PathSeparator())
        return folder;
    return folder + PathSeparator();
}

std::string ProgramFolder() {
    std::vector<char> buffer(4096);
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0)
        return ".";
    return ExtractFileDir(std::string(buffer.data(), static_cast<std::size_t>(n)));
}

} // namespace zandor
