// Whole-file reads into lines and atomic whole-file writes of the data files, through a
// small writer seam that tests replace to make writes fail on purpose.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zandor {

struct TWriteResult {
    bool Ok = true;
    std::string Error; // what the user is told when Ok is false
};

// Writes a whole file. The real writer goes through a temporary file in the same folder
// and renames it over the old one, so a failure at any point leaves the old file whole.
class TFileWriter {
public:
    virtual ~TFileWriter() = default;
    virtual TWriteResult WriteFile(const std::string& path, std::string_view data) = 0;
};

TFileWriter& CurrentFileWriter();
// Installs a writer for the whole process and returns the one it replaced; nullptr
// restores the real one.
TFileWriter* SetFileWriter(TFileWriter* writer);

// No data file, deck or picture larger than this is read: the largest card base is a few
// tens of MB, and a command must not be made to take gigabytes by a file named to it.
inline constexpr long long MaxReadFileSize = 256LL * 1024 * 1024;

// Reads a regular file whole. A folder, a FIFO, a device or a file larger than maxSize is
// refused without being read (a FIFO would block, a device never end). On failure reason,
// when given, says why in words ("No such file or directory", "is a folder").
bool ReadWholeFile(const std::string& path, std::string& contents, std::string* reason = nullptr,
                   long long maxSize = MaxReadFileSize);
// Opens a regular file for reading, refusing a folder, a FIFO, a device or a file larger
// than maxSize as ReadWholeFile does; gives the descriptor and the size, or -1 with reason.
int OpenRegularFile(const std::string& path, long long& size, std::string* reason = nullptr,
                    long long maxSize = MaxReadFileSize);
// "cannot read \"path\": reason", the one wording of every failed read.
std::string CannotReadMessage(const std::string& path, const std::string& reason);
// Splits at CR LF, lone CR and lone LF; a final line end adds no empty line.
void SplitLines(std::string_view text, std::vector<std::string>& lines);
// The file's lines, or nothing when it cannot be read (reason then says why).
std::optional<std::vector<std::string>> ReadTextLines(const std::string& path,
                                                      std::string* reason = nullptr);
// Every line followed by CR LF, written atomically.
TWriteResult WriteTextLines(const std::string& path, const std::vector<std::string>& lines);
std::string JoinLines(const std::vector<std::string>& lines);

bool FileExists(const std::string& path);
// Whether both paths name one existing file, through links and other spellings alike.
bool SameFile(const std::string& a, const std::string& b);
// The file a path finally names when its last part is a symbolic link (links followed,
// relative ones from their own folder); the path itself otherwise. A write through a link
// replaces the file it points to and keeps the link.
std::string ResolveFileLinks(const std::string& path);
bool DirectoryExists(const std::string& path);
char PathSeparator();
// The folder of a path without its trailing separator ("" for a bare name).
std::string ExtractFileDir(const std::string& path);
// The name of a path without its folder.
std::string ExtractFileName(const std::string& path);
// Folder plus separator, unless it already ends with one.
std::string IncludeTrailingSeparator(const std::string& folder);
// The folder of the running program, without a trailing separator.
std::string ProgramFolder();

} // namespace zandor
