// Any bytes as a ".dec" file on disk, loaded as the deck editor loads it: the old-format
// test and conversion, the "PR" rewrite written back to the file, and the Apprentice
// export of what was loaded.
#include "core/UTextFile.h"
#include "deck/UDeckFile.h"
#include "fuzz/DeckFuzzBase.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

using zandor::fuzz::check;

namespace {

const std::string& folder() {
    static const std::string path = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zandor-fuzz-deck-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        return pattern;
    }();
    return path;
}

// after is before with at most one "PR" made "PY".
bool onlyPrToPy(const std::string& before, const std::string& after) {
    if (before.size() != after.size())
        return false;
    int changed = 0;
    for (std::size_t i = 0; i < before.size(); ++i)
        if (before[i] != after[i]) {
            if (before[i] != 'R' || after[i] != 'Y' || i == 0 || before[i - 1] != 'P')
                return false;
            ++changed;
        }
    return changed <= 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 20000)
        return 0;
    const std::string path = folder() + "/fuzzed deck.dec";
    zandor::fuzz::InstallPlainWriter();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (!zandor::CurrentFileWriter().WriteFile(path, bytes).Ok)
        std::abort();
    std::vector<std::string> read;
    zandor::SplitLines(bytes, read);

    const zandor::TDeckFile deck = zandor::LoadDeckFile(path, zandor::fuzz::SmallBase());
    check(deck.Ok);
    check(deck.DeckName == "fuzzed deck");
    // Conversion keeps one line per line; a rewrite changes only "PR" to "PY", on disk too.
    check(deck.Lines.size() == read.size());
    std::string written;
    check(zandor::ReadWholeFile(path, written));
    if (deck.Rewritten) {
        check(deck.Rewrite.Ok);
        std::vector<std::string> onDisk;
        zandor::SplitLines(written, onDisk);
        check(written == zandor::JoinLines(onDisk));
        check(onDisk.size() == read.size());
        for (std::size_t n = 0; n < read.size(); ++n)
            check(onlyPrToPy(read[n], onDisk[n]));
    } else {
        check(written == bytes); // nothing else is ever written back
    }
    if (!deck.OldFormat) {
        for (std::size_t n = 0; n < read.size(); ++n)
            check(onlyPrToPy(read[n], deck.Lines[n]));
    }

    const std::vector<std::string> exported = zandor::ApprenticeLines(deck.DeckName, deck.Lines);
    check(exported.size() == deck.Lines.size() + 1);
    check(exported[0] == "//NAME: fuzzed deck");
    return 0;
}
