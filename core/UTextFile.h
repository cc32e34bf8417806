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

bool ReadWholeFile(const std::string& path, std::string& contents);
// Splits at CR LF, lone CR and lone LF; a final line end adds no empty line.
void SplitLines(std::string_view text, std::vector<std::string>& lines);
// The file's lines, or nothing when it cannot be read.
std::optional<std::vector<std::string>> ReadTextLines(const std::string& path);
// Every line followed by CR LF, written atomically.
TWriteResult WriteTextLines(const std::string& path, const std::vector<std::string>& lines);
std::string JoinLines(const std::vector<std::string>& lines);

bool FileExists(const std::string& path);
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
