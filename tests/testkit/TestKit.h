// Helpers shared by the tests: temporary folders that clean up after themselves, small
// file writers and readers, and a writer seam that fails on purpose.
#pragma once

#include "core/UTextFile.h"

#include <string>
#include <vector>

namespace zandor::test {

// A fresh folder below the system's temporary folder, removed with everything in it.
class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;
    const std::string& Path() const { return m_path; }
    // Path plus separator plus name.
    std::string File(const std::string& name) const;

private:
    std::string m_path;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
std::vector<std::string> ListFolder(const std::string& path);
std::string FixturePath(const std::string& name);
// Copies the bundled sample data folder into folder.
void CopySampleData(const std::string& folder);

// Fails every write with a fixed message and counts the attempts; installed for its
// lifetime.
class TFailingWriter final : public TFileWriter {
public:
    TFailingWriter();
    ~TFailingWriter() override;
    TWriteResult WriteFile(const std::string& path, std::string_view data) override;
    int Attempts = 0;

private:
    TFileWriter* m_previous;
};

} // namespace zandor::test
