// The deck editor's "Add Card Prices..." and "Add Card Rulings Summary..." commands open
// the real windows; after they close, the card panel shows the new price and rulings.
#include "core/UApplication.h"
#include "core/UMain.h"
#include "deck/UBaseListView.h"
#include "deck/UDeckED.h"
#include "maint/UAddCardRull.h"
#include "maint/UAddPrice.h"
#include "tests/maint/MaintTestKit.h"
#include "widgets/UKeywordMemo.h"
#include "widgets/UMessages.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>

using namespace zandor;
using namespace zandor::test;

namespace {

struct DeckEditorMaintenance : ::testing::Test {
    TTempDir dir;
    std::string dataDir;
    TCardDatabase db;
    std::unique_ptr<TZandorShell> shell;
    std::vector<TMessage> messages;

    void SetUp() override {
        dataDir = dir.File("data");
        std::filesystem::create_directories(dataDir);
        CopySampleData(dataDir);
        SetMessageAnswerer([this](const TMessage& m) {
            messages.push_back(m);
            return true;
        });
        LoadCardDatabase(db, dir.Path(), dataDir);
        shell = std::make_unique<TZandorShell>(db);
        shell->CreateWindows();
        ed().show();
    }
    void TearDown() override {
        shell.reset();
        SetMessageAnswerer({});
    }
    TfmDeckED& ed() { return *static_cast<TfmDeckED*>(shell->fmDeckED.data()); }
    void clickBase(const std::string& line) {
        const auto& lines = ed().BaseList().Lines();
        const auto found = std::find(lines.begin(), lines.end(), line);
        ASSERT_NE(found, lines.end()) << line;
        const QModelIndex index = ed().BaseModel().index(static_cast<int>(found - lines.begin()));
        ed().lbBase->scrollTo(index);
        QTest::mouseClick(ed().lbBase->viewport(), Qt::LeftButton, {},
                          ed().lbBase->visualRect(index).center());
    }
    // Runs what the user does in the modal window the command opens.
    template <class Window> void whenShown(std::function<void(Window&)> user, bool* seen) {
        QTimer::singleShot(0, [user, seen] {
            auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
            *seen = window != nullptr;
            if (!window) {
                if (QWidget* other = QApplication::activeModalWidget())
                    other->close();
                return;
            }
            user(*window);
        });
    }
};

} // namespace

TEST_F(DeckEditorMaintenance, AddCardPricesPricesTheBaseAndThePanelShowsIt) {
    clickBase("[SV] - Crag Wyrm");
    EXPECT_EQ(ed().lbPrice->text(), "Price: 6,00 $");
    bool seen = false;
    const QString list = QString::fromStdString(dataDir + "/import/prices.txt");
    whenShown<TfmAddPrice>(
        [list](TfmAddPrice& window) {
            window.ChooseFile = [list](QWidget*) { return list; };
            QTest::mouseClick(window.BitBtn3, Qt::LeftButton);
            EXPECT_EQ(window.plNum->text(), "Обновлено: 21 карт");
            QTest::mouseClick(window.BitBtn2, Qt::LeftButton);
        },
        &seen);
    ed().AddCardPrices1->trigger();
    EXPECT_TRUE(seen);
    EXPECT_EQ(ed().lbPrice->text(), "Price: 7,50 $");
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(ed().findChildren<TfmAddPrice*>().isEmpty()); // freed after use
}

TEST_F(DeckEditorMaintenance, AddCardRulingsSummaryTakesTheChangesOver) {
    clickBase("[SV] - Crag Wyrm");
    EXPECT_FALSE(ed().mmErrata->toPlainText().contains("played yourself"));
    bool seen = false;
    const QString file = QString::fromStdString(dataDir + "/import/rulings_changes.txt");
    whenShown<TfmAddCardRull>(
        [file](TfmAddCardRull& window) {
            window.ChooseFile = [file](QWidget*) { return file; };
            QTest::mouseClick(window.SpeedButton1, Qt::LeftButton);
            EXPECT_EQ(window.Indicator(), TRulingsIndicator::Green);
            QTest::mouseClick(window.SpeedButton2, Qt::LeftButton);
            QTest::mouseClick(window.BitBtn1, Qt::LeftButton);
        },
        &seen);
    ed().AddCardRulingsSummary1->trigger();
    EXPECT_TRUE(seen);
    EXPECT_TRUE(ed().mmErrata->toPlainText().contains("played yourself"))
        << ed().mmErrata->toPlainText().toStdString();
    EXPECT_TRUE(FileExists(dataDir + "/rulecards.bak"));
    EXPECT_TRUE(ed().findChildren<TfmAddCardRull*>().isEmpty());
}
