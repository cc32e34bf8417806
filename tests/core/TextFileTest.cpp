#include "core/UTextFile.h"
#include "tests/testkit/TestKit.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

using namespace zandor;
using namespace zandor::test;

TEST(TextFile, SplitsEveryKindOfLineEnd) {
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}}, // LF then CR: two line ends
        {"\r\n", {""}},
        {"x\xE9\ty\r\n", {"x\xE9\ty"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines;
        SplitLines(c.text, lines);
        EXPECT_EQ(lines, c.lines);
    }
}

TEST(TextFile, MissingFileReadsAsNothing) {
    TTempDir dir;
    EXPECT_FALSE(ReadTextLines(dir.File("absent.dat")).has_value());
    EXPECT_FALSE(ReadTextLines(dir.Path()).has_value()); // a folder is no file
}

TEST(TextFile, WriteReplacesTheFileAndLeavesNoTemporary) {
    TTempDir dir;
    const std::string path = dir.File("cardlist.dat");
    WriteBytes(path, "old\r\n");
    ASSERT_TRUE(WriteTextLines(path, {"one", "two"}).Ok);
    EXPECT_EQ(ReadBytes(path), "one\r\ntwo\r\n");
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::string>{"cardlist.dat"});
}

TEST(TextFile, FailedWriteKeepsTheOldFileWholeAndIsReported) {
    TTempDir dir;
    const std::string path = dir.File("cardlist.dat");
    const std::string old = "first line\r\nsecond line\r\n";
    WriteBytes(path, old);
    // Limit the size of any file this process writes so the write fails midway, as a
    // full disk would.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const TWriteResult result = WriteTextLines(path, std::vector<std::string>(100, "a long line"));
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(result.Ok);
    EXPECT_NE(result.Error.find("cardlist.dat"), std::string::npos);
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::string>{"cardlist.dat"});
}

TEST(TextFile, WriteIntoMissingFolderFails) {
    TTempDir dir;
    EXPECT_FALSE(WriteTextLines(dir.File("no/such/file.dat"), {"x"}).Ok);
}

TEST(TextFile, PathPieces) {
    EXPECT_EQ(ExtractFileDir("/a/b/c.dec"), "/a/b");
    EXPECT_EQ(ExtractFileDir("c.dec"), "");
    EXPECT_EQ(ExtractFileName("/a/b/c.dec"), "c.dec");
    EXPECT_EQ(IncludeTrailingSeparator("/a"), "/a/");
    EXPECT_EQ(IncludeTrailingSeparator("/a/"), "/a/");
}

TEST(ReadWholeFile, RefusesWhatIsNoRegularFileOrTooLargeWithTheReason) {
    TTempDir dir;
    WriteBytes(dir.File("eleven.txt"), "eleven byte");
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0644), 0);
    std::filesystem::create_directory(dir.File("folder"));
    const struct {
        std::string path;
        long long maxSize;
        const char* reason; // nullptr: read
    } cases[] = {
        {dir.File("eleven.txt"), 11, nullptr},
        {dir.File("eleven.txt"), 10, "too large"},
        {dir.File("fifo"), MaxReadFileSize, "not a regular file"},
        {dir.File("folder"), MaxReadFileSize, "is a folder"},
        {"/dev/null", MaxReadFileSize, "not a regular file"},
        {dir.File("missing"), MaxReadFileSize, "No such file or directory"},
    };
    for (const auto& c : cases) {
        std::string contents = "old", reason;
        const bool read = ReadWholeFile(c.path, contents, &reason, c.maxSize);
        EXPECT_EQ(read, c.reason == nullptr) << c.path;
        if (c.reason) {
            EXPECT_NE(reason.find(c.reason), std::string::npos) << c.path << ": " << reason;
            EXPECT_EQ(contents, "") << c.path;
        } else {
            EXPECT_EQ(contents, "eleven byte");
        }
    }
    std::string reason;
    EXPECT_FALSE(ReadTextLines(dir.File("fifo"), &reason));
    EXPECT_NE(reason.find("not a regular file"), std::string::npos);
}

TEST(AtomicWriter, WritesThroughLinksAndKeepsThem) {
    TTempDir dir;
    std::filesystem::create_directory(dir.File("real"));
    WriteBytes(dir.File("real/file.dat"), "old\r\n");
    std::filesystem::create_symlink("real/file.dat", dir.File("relative.dat"));
    std::filesystem::create_symlink(dir.File("relative.dat"), dir.File("chain.dat"));
    std::filesystem::create_symlink(dir.File("real/new.dat"), dir.File("dangling.dat"));
    const struct {
        std::string written;
        std::string lands;
    } cases[] = {
        {dir.File("relative.dat"), dir.File("real/file.dat")},
        {dir.File("chain.dat"), dir.File("real/file.dat")},
        {dir.File("dangling.dat"), dir.File("real/new.dat")},
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string text = "line " + std::to_string(++n);
        ASSERT_TRUE(WriteTextLines(c.written, {text}).Ok) << c.written;
        EXPECT_TRUE(std::filesystem::is_symlink(c.written)) << c.written;
        EXPECT_EQ(ReadBytes(c.lands), text + "\r\n") << c.written;
    }
    // Nothing but the files and links themselves is left in either folder.
    EXPECT_EQ(ListFolder(dir.File("real")).size(), 2u);
    EXPECT_EQ(ListFolder(dir.Path()).size(), 4u);
}

TEST(AtomicWriter, AFileSizeLimitFailsTheWriteInsteadOfEndingTheProgram) {
    TTempDir dir;
    const std::string path = dir.File("programm.dat");
    WriteBytes(path, "old\r\n");
    // In a child, with SIGXFSZ left at its default action, which ends a process that writes
    // past the limit unless the writer ignores it.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        rlimit small{};
        getrlimit(RLIMIT_FSIZE, &small);
        small.rlim_cur = 100;
        setrlimit(RLIMIT_FSIZE, &small);
        const TWriteResult r = WriteTextLines(path, std::vector<std::string>(100, "a long line"));
        ::_exit(r.Ok ? 10 : r.Error.find("File too large") == std::string::npos ? 11 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadBytes(path), "old\r\n");
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::string>{"programm.dat"});
}

TEST(AtomicWriter, StaleTemporariesOfTheFileAreRemovedByItsNextWrite) {
    TTempDir dir;
    for (const char* name :
         {".cardlist.dat.a1B2c3", ".cardlist.dat.XXXXXX", ".rulecards.dat.a1B2c3",
          ".cardlist.dat.toolong7", "cardlist.dat.a1B2c3"})
        WriteBytes(dir.File(name), "left by a killed write");
    std::filesystem::create_directory(dir.File(".cardlist.dat.folder"));
    ASSERT_TRUE(WriteTextLines(dir.File("cardlist.dat"), {"new"}).Ok);
    // Only the two of the file's own pattern went; another file's, other names and a
    // folder stay.
    EXPECT_EQ(
        ListFolder(dir.Path()),
        (std::vector<std::string>{".cardlist.dat.folder", ".cardlist.dat.toolong7",
                                  ".rulecards.dat.a1B2c3", "cardlist.dat", "cardlist.dat.a1B2c3"}));
}

TEST(AtomicWriter, ANameWithoutAFileIsRefused) {
    TTempDir dir;
    const TWriteResult r = WriteTextLines(dir.Path() + "/", {"x"});
    EXPECT_FALSE(r.Ok);
    EXPECT_NE(r.Error.find("Is a directory"), std::string::npos) << r.Error;
    EXPECT_TRUE(ListFolder(dir.Path()).empty());
}
