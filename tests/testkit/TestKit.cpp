#include "tests/testkit/TestKit.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace zandor::test {

TTempDir::TTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zandor-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        ADD_FAILURE() << "cannot create a temporary folder";
    m_path = pattern;
}

TTempDir::~TTempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string TTempDir::File(const std::string& name) const {
    return m_path + "/" + name;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    ASSERT_TRUE(out.good()) << path;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

std::vector<std::string> ListFolder(const std::string& path) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string FixturePath(const std::string& name) {
    return std::string(ZANDOR_FIXTURES) + "/" + name;
}

void CopySampleData(const std::string& folder) {
    std::filesystem::copy(std::string(ZANDOR_SOURCE_DIR) + "/data", folder,
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
}

TFailingWriter::TFailingWriter() : m_previous(SetFileWriter(this)) {}
TFailingWriter::~TFailingWriter() {
    SetFileWriter(m_previous);
}

TWriteResult TFailingWriter::WriteFile(const std::string&, std::string_view) {
    ++Attempts;
    return {false, "disk full (test)"};
}

} // namespace zandor::test
