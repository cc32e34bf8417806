// Any bytes as a settings file: reading, writing and deleting never crash, and a value
// just written reads back.
#include "core/UIniFile.h"

#include <cstdint>
#include <cstdlib>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/zandor-fuzz-" + std::to_string(::getpid()) + ".ini";
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    zandor::TIniFile ini(path);
    for (const std::string& section : ini.ReadSections()) {
        for (const std::string& key : ini.ReadSection(section)) {
            (void)ini.ReadBool(section, key, true);
            (void)ini.ReadDate(section, key, {2011, 11, 11});
        }
        (void)ini.ReadSectionValues(section);
    }
    if (!ini.WriteString("Fuzz", "Key", "value").Ok)
        return 0;
    if (ini.ReadString("fuzz", "key", "") != "value")
        std::abort();
    ini.DeleteKey("Fuzz", "Key");
    if (!ini.ReadSections().empty())
        ini.EraseSection(ini.ReadSections().front());
    return 0;
}
