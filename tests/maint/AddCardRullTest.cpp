// The rulings window, offscreen, on a copy of the sample data.
#include "deck/UCardInfo.h"
#include "maint/UAddCardRull.h"
#include "tests/maint/MaintTestKit.h"
#include "widgets/UMessages.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

using namespace zandor;
using namespace zandor::test;

namespace {

struct AddCardRull : ::testing::Test {
    TTempDir dir;
    std::string dataDir;
    TCardDatabase db;
    std::unique_ptr<TfmAddCardRull> window;
    std::vector<TMessage> messages;
    QString choice;

    void SetUp() override {
        dataDir = dir.File("data");
        std::filesystem::create_directories(dataDir);
        CopySampleData(dataDir);
        LoadCardDatabase(db, dir.Path(), dataDir);
        SetMessageAnswerer([this](const TMessage& m) {
            messages.push_back(m);
            return true;
        });
        window = std::make_unique<TfmAddCardRull>(db);
        window->ChooseFile = [this](QWidget*) { return choice; };
        window->show();
    }
    void TearDown() override {
        window.reset();
        SetMessageAnswerer({});
    }
    QString changesFile() const {
        return QString::fromStdString(dataDir + "/import/rulings_changes.txt");
    }
    // A copy of the sample changes file that says it follows another release.
    QString changesSince(const std::string& since) {
        std::vector<std::string> lines = *ReadTextLines(changesFile().toStdString());
        for (std::string& line : lines)
            if (line.find("since the") != std::string::npos)
                line = "A '+' is used to mark changes since the " + since + " release.";
        WriteTextLines(dir.File("since.txt"), lines);
        return QString::fromStdString(dir.File("since.txt"));
    }
    QColor indicator() const { return window->plInd->palette().color(QPalette::Window); }
    QColor buttonFace() const { return window->palette().color(QPalette::Button); }
    void choose(const QString& file) {
        choice = file;
        QTest::mouseClick(window->SpeedButton1, Qt::LeftButton);
    }
    std::string rulings() { return ReadBytes(dataDir + "/rulecards.dat"); }
};

} // namespace

TEST_F(AddCardRull, ShowsTheInstalledSummary) {
    EXPECT_EQ(window->windowTitle(), "Add Card Rulings Summary");
    EXPECT_EQ(window->size(), QSize(260, 169));
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(window->lbLastU->text(), "Current updated:");
    EXPECT_EQ(window->lbAddU->text(), "Add updated:");
    EXPECT_EQ(window->rxlLastU->text(), "02/05/17");
    EXPECT_TRUE(window->rxlAddU->text().isEmpty());
    EXPECT_TRUE(window->stPath->text().isEmpty());
    EXPECT_EQ(indicator(), buttonFace());
    EXPECT_EQ(window->plInd->toolTip(),
              "Зеленый - разница в месяц\nЖелтый - разница больше месяца");
    EXPECT_EQ(window->SpeedButton1->text(), "Путь к рулингам...");
    EXPECT_EQ(window->SpeedButton2->text(), "Обновить");
    EXPECT_EQ(window->SpeedButton2->toolTip(), "Внести изменения");
    EXPECT_EQ(window->BitBtn1->text(), "OK");
}

TEST_F(AddCardRull, TheIndicatorTellsWhetherTheChangesFollow) {
    struct Case {
        const char* What;
        QString File;
        QString AddUpdated;
        QColor Colour;
    };
    const std::vector<Case> cases{
        {"follows", changesFile(), "02/06/14", QColor(0, 128, 0)},
        {"skips a release", changesSince("02/04/12"), "02/06/14", QColor(255, 255, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        choose(c.File);
        EXPECT_EQ(window->stPath->text(), c.File);
        EXPECT_EQ(window->rxlAddU->text(), c.AddUpdated);
        EXPECT_EQ(indicator(), c.Colour);
    }
}

TEST_F(AddCardRull, AFileWithoutTheSinceLineCannotBeTakenOver) {
    std::vector<std::string> lines = *ReadTextLines(changesFile().toStdString());
    std::erase_if(lines,
                  [](const std::string& l) { return l.find("since the") != std::string::npos; });
    WriteTextLines(dir.File("nosince.txt"), lines);
    const std::string before = rulings();
    choose(QString::fromStdString(dir.File("nosince.txt")));
    EXPECT_TRUE(window->rxlAddU->text().isEmpty());
    EXPECT_EQ(indicator(), buttonFace());
    QTest::mouseClick(window->SpeedButton2, Qt::LeftButton);
    EXPECT_EQ(rulings(), before);
    EXPECT_FALSE(FileExists(dataDir + "/rulecards.bak"));
    EXPECT_FALSE(window->Changed());
}

TEST_F(AddCardRull, ACancelledDialogClearsThePathAndTheUpdateDoesNothing) {
    choose(changesFile());
    choose(QString());
    EXPECT_TRUE(window->stPath->text().isEmpty());
    const std::string before = rulings();
    QTest::mouseClick(window->SpeedButton2, Qt::LeftButton);
    EXPECT_EQ(rulings(), before);
    EXPECT_FALSE(window->Changed());
}

TEST_F(AddCardRull, TheUpdateTakesTheChangesOverAndKeepsABackup) {
    const std::vector<std::string> before = db.RuleLines;
    const std::vector<std::string> change = *ReadTextLines(changesFile().toStdString());
    choose(changesFile());
    QTest::mouseClick(window->SpeedButton2, Qt::LeftButton);
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(window->Changed());
    EXPECT_EQ(*ReadTextLines(dataDir + "/rulecards.bak"), before);
    EXPECT_EQ(*ReadTextLines(dataDir + "/rulecards.dat"), db.RuleLines);
    EXPECT_EQ(RulingsSummaryDate(db.RuleLines), "02/06/14");
    for (const char* card : {"Blasting Gale", "Crag Wyrm", "Stormbrew Elemental"})
        EXPECT_EQ(CollectRulingEntries(db.RuleLines, card), CollectRulingEntries(change, card))
            << card;
    // Marks of cards that did not change are gone.
    const std::vector<std::string> denial = CollectRulingEntries(db.RuleLines, "Undertow Denial");
    ASSERT_FALSE(denial.empty());
    for (const std::string& entry : denial)
        EXPECT_NE(entry[0], '+') << entry;
    // The window shows the summary as it now is; pressing again does nothing.
    EXPECT_EQ(window->rxlLastU->text(), "02/06/14");
    EXPECT_TRUE(window->stPath->text().isEmpty());
    const std::string after = rulings();
    QTest::mouseClick(window->SpeedButton2, Qt::LeftButton);
    EXPECT_EQ(rulings(), after);
    EXPECT_EQ(*ReadTextLines(dataDir + "/rulecards.bak"), before);
}

TEST_F(AddCardRull, AFailedBackupStopsTheUpdate) {
    const std::vector<std::string> before = db.RuleLines;
    const std::string bytes = rulings();
    choose(changesFile());
    {
        TFailOneFile fail("rulecards.bak");
        QTest::mouseClick(window->SpeedButton2, Qt::LeftButton);
    }
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Caption, "Ошибка");
    EXPECT_EQ(db.RuleLines, before);
    EXPECT_EQ(rulings(), bytes);
    EXPECT_FALSE(window->Changed());
}
