// Any bytes as the arguments of the command-line program (split at NUL and LF) over a small
// data folder: every command, option and mistake ends with a status of 0 to 3 and never
// crashes. The program's own picture command is left out (it needs a window system), and
// every file name stays inside the scratch folder.
#include "app/UCommandLine.h"
#include "core/UTextFile.h"
#include "fuzz/DeckFuzzBase.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <unistd.h>

using zandor::fuzz::check;

namespace {

const std::string& folder() {
    static const std::string path = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zandor-fuzz-cli-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        const zandor::TCardDatabase& db = zandor::fuzz::SmallBase();
        std::vector<std::string> cards(db.CardLines.begin(), db.CardLines.end());
        zandor::WriteTextLines(pattern + "/cardlist.dat", cards);
        zandor::WriteTextLines(pattern + "/Zandor.ini", db.Settings.Lines());
        zandor::WriteTextLines(pattern + "/programm.dat", {"Gold Elf=ComesTap_Counter:2_"});
        zandor::WriteTextLines(pattern + "/d.dec",
                               {"    2 [QBE] - Gold Elf", "SB: 1 [QAL] - Mossy Hollow", " 3 Jolt"});
        // Relative names the fuzzer writes land here.
        if (::chdir(pattern.c_str()) != 0)
            std::abort();
        return pattern;
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 2000)
        return 0;
    std::vector<std::string> args{"--data", folder()};
    std::string word;
    for (std::size_t i = 0; i <= size; ++i) {
        if (i == size || data[i] == 0 || data[i] == '\n') {
            // No word names a place outside the folder, and no picture is drawn.
            if (word.find('/') != std::string::npos || word == "..")
                word = "x";
            if (word == "render")
                word = "find";
            args.push_back(word);
            word.clear();
            if (args.size() > 40)
                break;
        } else {
            word += static_cast<char>(data[i]);
        }
    }
    std::ostringstream out, err;
    const int code = zandor::RunCommandLine(args, out, err);
    check(code >= 0 && code <= 3);
    // Failures say something.
    if (code != 0 && code != 1)
        check(!err.str().empty());
    return 0;
}
