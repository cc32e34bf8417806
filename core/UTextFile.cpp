#include "core/UTextFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zandor {

namespace {

std::string systemError(const std::string& what, const std::string& path) {
    return what + " \"" + path + "\": " + std::strerror(errno);
}

class TAtomicFileWriter final : public TFileWriter {
public:
    TWriteResult WriteFile(const std::string& path, std::string_view data) override {
        std::string folder = ExtractFileDir(path);
        std::string pattern = (folder.empty() ? std::string(".") : folder) + PathSeparator() + "." +
                              ExtractFileName(path) + ".XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        const int fd = ::mkstemp(name.data());
        if (fd < 0)
            return {false, systemError("Cannot create a file beside", path)};
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

bool ReadWholeFile(const std::string& path, std::string& contents) {
    contents.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    struct stat info {};
    if (::fstat(::fileno(file), &info) != 0 || S_ISDIR(info.st_mode)) {
        std::fclose(file);
        return false;
    }
    if (info.st_size > 0)
        contents.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[1 << 16];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        contents.append(buffer, n);
    const bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
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

std::optional<std::vector<std::string>> ReadTextLines(const std::string& path) {
    std::string contents;
    if (!ReadWholeFile(path, contents))
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
