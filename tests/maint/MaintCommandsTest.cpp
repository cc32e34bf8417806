// The maintenance commands of "zandor", run in-process on a copy of the sample data, the
// download served by a web server on the loopback interface.
#include "app/UCommandLine.h"
#include "core/USettings.h"
#include "deck/UCardInfo.h"
#include "maint/UMaintCommands.h"
#include "maint/UPriceList.h"
#include "maint/URulingsUpdate.h"
#include "tests/maint/MaintTestKit.h"
#include "tests/maint/TestHttpServer.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace zandor;
using namespace zandor::test;

namespace {

struct Commands : ::testing::Test {
    TTempDir dir;
    std::string out, err;
    void SetUp() override { CopySampleData(dir.Path()); }
    int run(std::vector<std::string> args) {
        std::ostringstream o, e;
        args.insert(args.begin(), {"--data", dir.Path()});
        const int code = RunCommandLine(args, o, e);
        out = o.str();
        err = e.str();
        return code;
    }
    std::string file(const std::string& name) { return dir.File(name); }
    TCardDatabase load() {
        TCardDatabase db;
        LoadCardDatabase(db, dir.Path(), dir.Path());
        return db;
    }
};

const std::string sampleResult = "Обновлено: 21 карт\n"
                                 "Не найдено в базе: 2 карт\n"
                                 "Glassfire Drake (GL)\n"
                                 "Facet Weaver (GL)\n";

} // namespace

TEST_F(Commands, PricesUpdateFromAFile) {
    ASSERT_EQ(run({"prices", "update", file("import/prices.txt")}), 0) << err;
    EXPECT_EQ(out, sampleResult);
    EXPECT_TRUE(err.empty());
    const TCardDatabase db = load();
    EXPECT_EQ(FindCard(db, "Crag Wyrm", "SV").Value, "7,50");
    EXPECT_EQ(FindCard(db, "Version", "@@").Flavor, FormatShortDate(CurrentDate()));
}

TEST_F(Commands, PricesDownload) {
    TTestHttpServer server;
    server.Body = QByteArray::fromStdString(ReadBytes(file("import/prices.txt")));
    // The command is called with the program's folder in a temporary folder, so that the
    // saved "price.txt" lands there.
    TTempDir program;
    const auto download = [&](const std::string& url) {
        TCardDatabase db;
        LoadCardDatabase(db, program.Path(), dir.Path());
        std::ostringstream o, e;
        const int code = RunPricesDownloadCommand(db, url, o, e);
        out = o.str();
        err = e.str();
        return code;
    };
    // From the setting ...
    TCardDatabase db = load();
    db.Settings.WriteString(ini::Update, PriceHostKey, server.Host().toStdString());
    ASSERT_EQ(download(""), 0) << err;
    EXPECT_EQ(out, sampleResult);
    EXPECT_EQ(server.Requests, 1);
    EXPECT_EQ(ReadBytes(program.File("price.txt")), server.Body.toStdString());
    // ... or from --url, as a host or as a full address.
    ASSERT_EQ(download(server.Host().toStdString()), 0) << err;
    EXPECT_EQ(out, sampleResult);
    ASSERT_EQ(download(server.Url().toStdString()), 0) << err;
    EXPECT_EQ(server.Requests, 3);
    EXPECT_TRUE(server.Request.startsWith("GET /pricelists/current-zandor "));
}

TEST_F(Commands, PricesFailures) {
    const std::string cards = ReadBytes(file("cardlist.dat"));
    TTestHttpServer server;
    server.Status = 404;
    server.Reason = "Not Found";
    struct Case {
        std::vector<std::string> Args;
        int Code;
        const char* InError;
    };
    const std::vector<Case> cases{
        {{"prices", "download"}, 1, "PriceHost"},
        {{"prices", "download", "--url", server.Host().toStdString()}, 1, "404"},
        {{"prices", "update", file("no-such-list.txt")}, 1, "cannot read"},
        {{"prices", "update"}, 1, "update FILE"},
        {{"prices", "fetch", "x"}, 1, "update FILE"},
        {{"rulings", "check"}, 1, "check FILE"},
        {{"rulings", "check", file("no-such-file.txt")}, 1, "cannot read"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Args.back());
        EXPECT_EQ(run(c.Args), c.Code);
        EXPECT_TRUE(out.empty()) << out;
        EXPECT_NE(err.find(c.InError), std::string::npos) << err;
    }
    EXPECT_EQ(ReadBytes(file("cardlist.dat")), cards);
}

TEST_F(Commands, RulingsCheckAndUpdate) {
    ASSERT_EQ(run({"rulings", "check", file("import/rulings_changes.txt")}), 0) << err;
    EXPECT_EQ(out, "Current updated: 02/05/17\nAdd updated: 02/06/14\nIndicator: green\n");

    std::vector<std::string> lines = *ReadTextLines(file("import/rulings_changes.txt"));
    std::vector<std::string> skipped = lines, undated = lines;
    for (std::string& line : skipped)
        if (line.find("since the") != std::string::npos)
            line = "A '+' is used to mark changes since the 01/01/01 release.";
    std::erase_if(undated,
                  [](const std::string& l) { return l.find("since the") != std::string::npos; });
    WriteTextLines(file("skipped.txt"), skipped);
    WriteTextLines(file("undated.txt"), undated);
    ASSERT_EQ(run({"rulings", "check", file("skipped.txt")}), 0);
    EXPECT_EQ(out, "Current updated: 02/05/17\nAdd updated: 02/06/14\nIndicator: yellow\n");
    ASSERT_EQ(run({"rulings", "check", file("undated.txt")}), 0);
    EXPECT_EQ(out, "Current updated: 02/05/17\nAdd updated: \nIndicator: none\n");

    const std::string before = ReadBytes(file("rulecards.dat"));
    EXPECT_EQ(run({"rulings", "update", file("undated.txt")}), 1);
    EXPECT_FALSE(err.empty());
    EXPECT_EQ(ReadBytes(file("rulecards.dat")), before);

    EXPECT_EQ(run({"rulings", "update", file("import/rulings_changes.txt")}), 0) << err;
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(err.empty());
    EXPECT_EQ(ReadBytes(file("rulecards.bak")), before);
    const TCardDatabase db = load();
    EXPECT_EQ(RulingsSummaryDate(db.RuleLines), "02/06/14");
    EXPECT_EQ(CollectRulingEntries(db.RuleLines, "Stormbrew Elemental"),
              CollectRulingEntries(lines, "Stormbrew Elemental"));
    ASSERT_EQ(run({"rulings", "check", file("import/rulings_changes.txt")}), 0);
    EXPECT_EQ(out, "Current updated: 02/06/14\nAdd updated: 02/06/14\nIndicator: yellow\n");
}

TEST_F(Commands, TheUsageNamesTheCommands) {
    ASSERT_EQ(run({"--help"}), 0);
    for (const char* line : {"prices update FILE", "prices download [--url URL]",
                             "rulings check FILE", "rulings update FILE"})
        EXPECT_NE(out.find(line), std::string::npos) << line;
}
