// The settings file: an INI file with private-profile semantics. Sections and keys are
// matched without regard to case, absent keys yield the caller's default, and every write
// is saved to disk at once (atomically).
#pragma once

#include "core/UDate.h"
#include "core/UTextFile.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zandor {

class TIniFile {
public:
    TIniFile() = default;
    // Opens the file; a missing or unreadable file reads as empty, the first write creates it.
    explicit TIniFile(std::string fileName);
    void Open(std::string fileName);
    // Takes the file's contents from text instead of the disk; writes still go to FileName.
    void LoadFromText(std::string fileName, std::string_view text);

    const std::string& FileName() const { return m_fileName; }

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // True for any integer other than 0; text that is no integer gives the default.
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;
    long long ReadInteger(std::string_view section, std::string_view key,
                          long long defaultValue) const;
    TDate ReadDate(std::string_view section, std::string_view key, const TDate& defaultValue) const;

    TWriteResult WriteString(std::string_view section, std::string_view key,
                             std::string_view value);
    // Sets several keys of one section with a single save; every other line of the file
    // (comments, other keys, their quoting) stays as it is.
    TWriteResult WriteStrings(std::string_view section,
                              const std::vector<std::pair<std::string, std::string>>& values);
    TWriteResult WriteBool(std::string_view section, std::string_view key, bool value);
    TWriteResult WriteInteger(std::string_view section, std::string_view key, long long value);
    TWriteResult WriteDate(std::string_view section, std::string_view key, const TDate& value);

    // The keys of a section in file order.
    std::vector<std::string> ReadSection(std::string_view section) const;
    // The lines of a section as key=value, in file order.
    std::vector<std::string> ReadSectionValues(std::string_view section) const;
    std::vector<std::string> ReadSections() const;
    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;

    TWriteResult EraseSection(std::string_view section);
    TWriteResult DeleteKey(std::string_view section, std::string_view key);
    // Replaces a whole section by the given key=value lines, keeping its place in the file.
    TWriteResult WriteSectionValues(std::string_view section,
                                    const std::vector<std::string>& lines);

    // The file as it would be written now.
    const std::vector<std::string>& Lines() const { return m_lines; }

private:
    struct TSectionRange {
        std::size_t header = 0; // index of the "[name]" line
        std::size_t end = 0;    // one past the section's last line
    };
    bool findSection(std::string_view section, TSectionRange& range) const;
    // Index of the key's line in the section, or npos.
    std::size_t findKey(const TSectionRange& range, std::string_view key) const;
    void setString(std::string_view section, std::string_view key, std::string_view value);
    TWriteResult save();

    std::string m_fileName;
    std::vector<std::string> m_lines;
};

// Case-insensitive comparison of the plain letters, as the settings file and the program
// lookups use it.
bool SameText(std::string_view a, std::string_view b);
std::string Trim(std::string_view text);
std::string_view TrimView(std::string_view text);

} // namespace zandor
