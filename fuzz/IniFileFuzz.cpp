// Any bytes as a settings file: reading, writing and deleting never crash, and a value
// just written reads back. Writes go to memory, so the fuzzer runs at full speed.
#include "core/UIniFile.h"

#include <cstdint>
#include <cstdlib>

namespace {

class TMemoryWriter final : public zandor::TFileWriter {
public:
    zandor::TWriteResult WriteFile(const std::string&, std::string_view data) override {
        Last.assign(data);
        return {};
    }
    std::string Last;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TMemoryWriter writer;
    static const bool installed = (zandor::SetFileWriter(&writer), true);
    (void)installed;
    zandor::TIniFile ini;
    ini.LoadFromText("fuzz.ini", std::string_view(reinterpret_cast<const char*>(data), size));
    for (const std::string& section : ini.ReadSections()) {
        for (const std::string& key : ini.ReadSection(section)) {
            (void)ini.ReadBool(section, key, true);
            (void)ini.ReadDate(section, key, {2011, 11, 11});
        }
        (void)ini.ReadSectionValues(section);
    }
    if (!ini.WriteString("Fuzz", "Key", "value").Ok)
        std::abort();
    if (ini.ReadString("fuzz", "key", "") != "value")
        std::abort();
    // What was saved reads back the same.
    zandor::TIniFile reread;
    reread.LoadFromText("fuzz.ini", writer.Last);
    if (reread.ReadString("Fuzz", "Key", "") != "value")
        std::abort();
    ini.DeleteKey("Fuzz", "Key");
    if (!ini.ReadSections().empty())
        ini.EraseSection(ini.ReadSections().front());
    return 0;
}
