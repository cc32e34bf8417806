#include "core/UIniFile.h"

#include <charconv>
#include <utility>

namespace zandor {

namespace {

constexpr std::size_t npos = std::string::npos;

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// "[name]" gives name; anything else is no section header.
bool sectionName(std::string_view line, std::string_view& name) {
    line = TrimView(line);
    if (line.size() < 2 || line.front() != '[')
        return false;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos)
        return false;
    name = TrimView(line.substr(1, close - 1));
    return true;
}

bool isComment(std::string_view line) {
    line = TrimView(line);
    return line.empty() || line.front() == ';';
}

// The key of a key=value line; a line without "=" is a key with an empty value.
std::string_view lineKey(std::string_view line) {
    const std::size_t eq = line.find('=');
    return TrimView(eq == std::string_view::npos ? line : line.substr(0, eq));
}

std::string_view lineValue(std::string_view line) {
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return {};
    std::string_view value = TrimView(line.substr(eq + 1));
    // Private-profile readers drop one pair of surrounding quotes.
    if (value.size() >= 2 && ((value.front() == '"' && value.back() == '"') ||
                              (value.front() == '\'' && value.back() == '\'')))
        value = value.substr(1, value.size() - 2);
    return value;
}

std::optional<long long> parseInteger(std::string_view text) {
    text = TrimView(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

} // namespace

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    return true;
}

std::string_view TrimView(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.remove_suffix(1);
    return text;
}

std::string Trim(std::string_view text) {
    return std::string(TrimView(text));
}

TIniFile::TIniFile(std::string fileName) {
    Open(std::move(fileName));
}

void TIniFile::Open(std::string fileName) {
    m_fileName = std::move(fileName);
    m_lines.clear();
    if (auto lines = ReadTextLines(m_fileName))
        m_lines = std::move(*lines);
}

void TIniFile::LoadFromText(std::string fileName, std::string_view text) {
    m_fileName = std::move(fileName);
    SplitLines(text, m_lines);
}

bool TIniFile::findSection(std::string_view section, TSectionRange& range) const {
    section = TrimView(section);
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        std::string_view name;
        if (!sectionName(m_lines[i], name) || !SameText(name, section))
            continue;
        range.header = i;
        range.end = i + 1;
        while (range.end < m_lines.size() && !sectionName(m_lines[range.end], name))
            ++range.end;
        return true;
    }
    return false;
}

std::size_t TIniFile::findKey(const TSectionRange& range, std::string_view key) const {
    key = TrimView(key);
    for (std::size_t i = range.header + 1; i < range.end; ++i)
        if (!isComment(m_lines[i]) && SameText(lineKey(m_lines[i]), key))
            return i;
    return npos;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
    TSectionRange range;
    if (!findSection(section, range))
        return std::string(defaultValue);
    const std::size_t line = findKey(range, key);
    if (line == npos)
        return std::string(defaultValue);
    return std::string(lineValue(m_lines[line]));
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

long long TIniFile::ReadInteger(std::string_view section, std::string_view key,
                                long long defaultValue) const {
    TSectionRange range;
    if (!findSection(section, range))
        return defaultValue;
    const std::size_t line = findKey(range, key);
    if (line == npos)
        return defaultValue;
    return parseInteger(lineValue(m_lines[line])).value_or(defaultValue);
}

TDate TIniFile::ReadDate(std::string_view section, std::string_view key,
                         const TDate& defaultValue) const {
    const std::string text = ReadString(section, key, "");
    return ParseShortDate(text).value_or(defaultValue);
}

void TIniFile::setString(std::string_view section, std::string_view key, std::string_view value) {
    const std::string line = std::string(TrimView(key)) + "=" + std::string(value);
    TSectionRange range;
    if (!findSection(section, range)) {
        m_lines.push_back("[" + std::string(TrimView(section)) + "]");
        m_lines.push_back(line);
        return;
    }
    const std::size_t existing = findKey(range, key);
    if (existing != npos) {
        m_lines[existing] = line;
        return;
    }
    // A new key goes after the section's last entry, before any blank lines that part it
    // from the next section.
    std::size_t at = range.end;
    while (at > range.header + 1 && TrimView(m_lines[at - 1]).empty())
        --at;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), line);
}

TWriteResult TIniFile::WriteString(std::string_view section, std::string_view key,
                                   std::string_view value) {
    setString(section, key, value);
    return save();
}

TWriteResult
TIniFile::WriteStrings(std::string_view section,
                       const std::vector<std::pair<std::string, std::string>>& values) {
    for (const auto& [key, value] : values)
        setString(section, key, value);
    return save();
}

TWriteResult TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    return WriteString(section, key, value ? "1" : "0");
}

TWriteResult TIniFile::WriteInteger(std::string_view section, std::string_view key,
                                    long long value) {
    return WriteString(section, key, std::to_string(value));
}

TWriteResult TIniFile::WriteDate(std::string_view section, std::string_view key,
                                 const TDate& value) {
    return WriteString(section, key, FormatShortDate(value));
}

std::vector<std::string> TIniFile::ReadSection(std::string_view section) const {
    std::vector<std::string> keys;
    TSectionRange range;
    if (!findSection(section, range))
        return keys;
    for (std::size_t i = range.header + 1; i < range.end; ++i)
        if (!isComment(m_lines[i]))
            keys.emplace_back(lineKey(m_lines[i]));
    return keys;
}

std::vector<std::string> TIniFile::ReadSectionValues(std::string_view section) const {
    std::vector<std::string> values;
    TSectionRange range;
    if (!findSection(section, range))
        return values;
    for (std::size_t i = range.header + 1; i < range.end; ++i)
        if (!isComment(m_lines[i]))
            values.push_back(std::string(lineKey(m_lines[i])) + "=" +
                             std::string(lineValue(m_lines[i])));
    return values;
}

std::vector<std::string> TIniFile::ReadSections() const {
    std::vector<std::string> names;
    for (const std::string& line : m_lines) {
        std::string_view name;
        if (sectionName(line, name))
            names.emplace_back(name);
    }
    return names;
}

bool TIniFile::SectionExists(std::string_view section) const {
    TSectionRange range;
    return findSection(section, range);
}

bool TIniFile::ValueExists(std::string_view section, std::string_view key) const {
    TSectionRange range;
    return findSection(section, range) && findKey(range, key) != npos;
}

TWriteResult TIniFile::EraseSection(std::string_view section) {
    TSectionRange range;
    if (!findSection(section, range))
        return {};
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(range.header),
                  m_lines.begin() + static_cast<std::ptrdiff_t>(range.end));
    return save();
}

TWriteResult TIniFile::DeleteKey(std::string_view section, std::string_view key) {
    TSectionRange range;
    if (!findSection(section, range))
        return {};
    const std::size_t line = findKey(range, key);
    if (line == npos)
        return {};
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(line));
    return save();
}

TWriteResult TIniFile::WriteSectionValues(std::string_view section,
                                          const std::vector<std::string>& lines) {
    TSectionRange range;
    std::vector<std::string> block;
    block.push_back("[" + std::string(TrimView(section)) + "]");
    block.insert(block.end(), lines.begin(), lines.end());
    if (!findSection(section, range)) {
        m_lines.insert(m_lines.end(), block.begin(), block.end());
        return save();
    }
    // Keep the blank lines that part the section from the next one.
    std::size_t end = range.end;
    while (end > range.header + 1 && TrimView(m_lines[end - 1]).empty())
        --end;
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(range.header),
                  m_lines.begin() + static_cast<std::ptrdiff_t>(end));
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(range.header), block.begin(),
                   block.end());
    return save();
}

TWriteResult TIniFile::save() {
    if (m_fileName.empty())
        return {false, "The settings file has no name."};
    return WriteTextLines(m_fileName, m_lines);
}

} // namespace zandor
