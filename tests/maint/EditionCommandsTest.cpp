// The maintenance commands of `zandor` on a copy of the sample data: the printed lines, the
// messages and exit codes of refusals, and what the files hold afterwards.
#include "app/UCommandLine.h"
#include "core/UCardDatabase.h"
#include "tests/testkit/TestKit.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace zandor;
using namespace zandor::test;

namespace {

struct MaintCli : ::testing::Test {
    TTempDir dir;
    std::ostringstream out, err;
    void SetUp() override { CopySampleData(dir.Path()); }
    int run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        args.insert(args.begin(), {"--data", dir.Path()});
        return RunCommandLine(args, out, err);
    }
    TCardDatabase load() {
        TCardDatabase db;
        LoadCardDatabase(db, dir.Path(), dir.Path());
        return db;
    }
    std::string spoiler() const { return dir.File("import/glasswater.txt"); }
};

} // namespace

TEST_F(MaintCli, TheSampleSpoilerImportsCleanly) {
    ASSERT_EQ(run({"edition", "list"}), 0);
    EXPECT_EQ(out.str(), "4E - Fourth Codex\nEM - Emberhold\nSV - Saltveil\n");
    const std::size_t before = load().CardLines.size();

    ASSERT_EQ(
        run({"edition", "add", "--key", "GL", "--name", "Glasswater", "--spoiler", spoiler()}), 0)
        << err.str();
    EXPECT_EQ(out.str(), "Добавлено: 20 карт\n");
    EXPECT_EQ(err.str(), "");
    TCardDatabase db = load();
    EXPECT_EQ(db.CardLines.size(), before + 20);
    const TZandorCard weaver = FindCard(db, "Facet Weaver", "GL");
    EXPECT_EQ(weaver.Color, "Gld");
    EXPECT_EQ(weaver.Artist, " Tovin Haller");
    EXPECT_EQ(FindCard(db, "Shine/Shade (Shade)", "GL").Rarity, "U");
    EXPECT_EQ(CardProgram(db.ProgramLines, "Glasswater Strand"), "ComesTap KEYWORLD[_MU_ _MR_]");
    // The section's entry in lower case replaced the program of the base's card.
    EXPECT_EQ(CardProgram(db.ProgramLines, "Crag Wyrm"), "KEYWORLD[_FL_ _FS_]");

    ASSERT_EQ(run({"edition", "list"}), 0);
    EXPECT_EQ(out.str(), "GL - Glasswater\n4E - Fourth Codex\nEM - Emberhold\nSV - Saltveil\n");

    EXPECT_EQ(run({"edition", "add", "--key", "gl", "--name", "Again", "--spoiler", spoiler()}), 1);
    EXPECT_EQ(err.str(), "Редакция уже существует\n");
    EXPECT_EQ(out.str(), "");

    ASSERT_EQ(run({"edition", "delete", "GL"}), 0) << err.str();
    EXPECT_EQ(out.str(), "Удалено: 20 карт\n");
    EXPECT_EQ(load().CardLines.size(), before);
}

TEST_F(MaintCli, RefusalsPrintTheMessageAndChangeNothing) {
    const std::string ini = ReadBytes(dir.File("Zandor.ini"));
    const std::string cards = ReadBytes(dir.File("cardlist.dat"));
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"edition", "add", "--key", "GL", "--spoiler", "x.txt"}, "Не все поля заполнены\n"},
        {{"edition", "add", "--key", "GL", "--name", "Glasswater"}, "Не все поля заполнены\n"},
        {{"edition", "add", "--key", "GLAS", "--name", "Glasswater", "--only-catalogue"},
         "Ключ редакции не может быть длиннее 3 символов: карты хранят только 3 символа ключа\n"},
        {{"edition", "delete", "ZZ"}, "Редакция не найдена: ZZ\n"},
        {{"card", "set", "Crag Wyrm", "--edition", "EM", "Value=1"},
         "Карта не найдена: Crag Wyrm\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.args), 1) << c.args[1];
        EXPECT_EQ(err.str(), c.message) << c.args[1];
        EXPECT_EQ(ReadBytes(dir.File("Zandor.ini")), ini);
        EXPECT_EQ(ReadBytes(dir.File("cardlist.dat")), cards);
    }
    EXPECT_EQ(run({"edition", "add", "--key", "GL", "--name", "Glasswater", "--spoiler",
                   dir.File("none.txt")}),
              1);
    EXPECT_NE(err.str().find("none.txt"), std::string::npos);
    EXPECT_EQ(run({"edition", "add", "--key", "GL", "--name", "G", "--spoiler", spoiler(),
                   "--field-key", "Colour=Hue:"}),
              1);
    EXPECT_EQ(run({"card", "set", "Crag Wyrm", "--edition", "SV", "Power=3"}), 1);
    EXPECT_EQ(run({"edition", "remove", "GL"}), 2);
    EXPECT_EQ(run({"card", "set", "Crag Wyrm", "Value=1"}), 2);
    EXPECT_EQ(ReadBytes(dir.File("Zandor.ini")), ini);
    EXPECT_EQ(ReadBytes(dir.File("cardlist.dat")), cards);
}

TEST_F(MaintCli, FieldKeysCatalogueOnlyAndCardSet) {
    WriteBytes(dir.File("alt.txt"), "Name: Gale Kestrel\r\nHue: Blue\r\nIllus: Tam Orrin\r\n"
                                    "Name: Dim Kestrel\r\nHue: Black\r\n");
    ASSERT_EQ(run({"edition", "add", "--key", "KS", "--name", "Kestrels", "--spoiler",
                   dir.File("alt.txt"), "--field-key", "Name=Name:", "--field-key",
                   "Color= Hue: ", "--field-key", "Artist=Illus:"}),
              0)
        << err.str();
    EXPECT_EQ(out.str(), "Добавлено: 2 карт\n");
    TCardDatabase db = load();
    EXPECT_EQ(FindCard(db, "Gale Kestrel", "KS").Artist, " Tam Orrin");
    EXPECT_EQ(FindCard(db, "Dim Kestrel", "KS").Color, "B");

    const std::size_t cards = db.CardLines.size();
    ASSERT_EQ(run({"edition", "add", "--key", "NW", "--name", "Nowhere", "--spoiler",
                   dir.File("alt.txt"), "--only-catalogue"}),
              0);
    EXPECT_EQ(out.str(), "Добавлено: 0 карт\n");
    EXPECT_EQ(load().CardLines.size(), cards);

    ASSERT_EQ(run({"card", "set", "Crag Wyrm", "--edition", "SV", "Value= 3,50 ", "Color=Gold",
                   "Program=", "Text=Flying\nwhen it attacks"}),
              0)
        << err.str();
    EXPECT_EQ(out.str(), "[SV] - Crag Wyrm\n");
    db = load();
    const TZandorCard wyrm = FindCard(db, "Crag Wyrm", "SV");
    EXPECT_EQ(wyrm.Value, "3,50");
    EXPECT_EQ(wyrm.Color, "Gol");
    EXPECT_EQ(wyrm.Text, "Flying when it attacks");
    EXPECT_EQ(CardProgram(db.ProgramLines, "Crag Wyrm"), "");
}

TEST_F(MaintCli, AboutPrintsTheBoxTexts) {
    ASSERT_EQ(run({"about"}), 0);
    EXPECT_EQ(out.str(), "Zandor Library\nVersion 0.60 beta\nPrice last update: 02.07.2001\n"
                         "Card Rulings Summary last update: 17.05.2002\nBase 0.8 version\n");
}
