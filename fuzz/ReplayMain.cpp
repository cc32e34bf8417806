// Runs a fuzz target over every file of its seed corpus, for builds without libFuzzer: the
// target's own checks abort on a failure, so a clean run is a passed test.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
// Targets that set something up first (a QGuiApplication, say) define this.
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS-FOLDER\n", argv[0]);
        return 2;
    }
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    std::size_t replayed = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1], error)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                      std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        ++replayed;
    }
    if (error || replayed == 0) {
        std::fprintf(stderr, "no seeds in %s\n", argv[1]);
        return 1;
    }
    // The empty input too: every target must take it.
    LLVMFuzzerTestOneInput(nullptr, 0);
    std::printf("%zu seeds replayed\n", replayed);
    return 0;
}
