// The play table reached as a user reaches it: the launcher's "Test Play", the deck
// editor's test command into the table or into the load deck dialog, and "X" going back.
#include "core/UApplication.h"
#include "core/UCardDatabase.h"
#include "core/UMain.h"
#include "deck/UDeckED.h"
#include "deck/UDeckEDLogic.h"
#include "play/UNewTest.h"
#include "play/UfmTest.h"
#include "tests/testkit/TestKit.h"
#include "widgets/UMessages.h"
#include "widgets/UPictureButton.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace zandor;
using namespace zandor::test;

namespace {

void whenShown(std::function<void()> user) {
    QTimer::singleShot(0, std::move(user));
}

struct PlayShell : ::testing::Test {
    TTempDir dir;
    TCardDatabase db;
    std::unique_ptr<TZandorShell> shell;

    void SetUp() override {
        const std::string data = dir.File("data");
        std::filesystem::create_directories(data);
        CopySampleData(data);
        SetMessageAnswerer([](const TMessage&) { return true; });
        PlayTestDecks() = {};
        LoadCardDatabase(db, dir.Path(), data);
        shell = std::make_unique<TZandorShell>(db);
        shell->CreateWindows();
        shell->fmMain->show();
    }
    void TearDown() override {
        shell.reset();
        SetMessageAnswerer({});
        PlayTestDecks() = {};
    }
    TfmPlay& table() { return *static_cast<TfmPlay*>(shell->fmPlay.data()); }
    TfmLoadDeck& loadDeck() { return *static_cast<TfmLoadDeck*>(shell->fmLoadDeck.data()); }
    TfmDeckED& editor() { return *static_cast<TfmDeckED*>(shell->fmDeckED.data()); }
};

} // namespace

TEST_F(PlayShell, TestPlayOpensTheTableAndXGoesBackToTheLauncher) {
    ASSERT_NE(qobject_cast<TfmPlay*>(shell->fmPlay.data()), nullptr);
    QTest::mouseClick(shell->fmMain->iabTestPlay, Qt::LeftButton);
    EXPECT_TRUE(table().isVisible());
    EXPECT_FALSE(shell->fmMain->isVisible());
    EXPECT_EQ(db.PlayOrigin, "Main");
    QTest::mouseClick(table().SpeedButton1, Qt::LeftButton);
    EXPECT_FALSE(table().isVisible());
    EXPECT_TRUE(shell->fmMain->isVisible());
}

TEST_F(PlayShell, EditorTestCommandFillsPlayerOneAndXGoesBackToTheEditor) {
    editor().SetDeckLines({"    12 [EM] - Crag Runner"});
    editor().show();
    shell->fmMain->hide();
    QTest::mouseClick(editor().sbTest, Qt::LeftButton);
    EXPECT_TRUE(table().isVisible());
    EXPECT_FALSE(editor().isVisible());
    EXPECT_EQ(db.PlayOrigin, "DeckED");
    EXPECT_EQ(PlayTestDecks().Player1Deck, std::vector<std::string>{"    12 [EM] - Crag Runner"});
    // New Game takes the deck through the load deck dialog.
    whenShown([this] { QTest::mouseClick(loadDeck().bbOk, Qt::LeftButton); });
    QTest::mouseClick(table().sbNewGame, Qt::LeftButton);
    EXPECT_EQ(table().lbHandP1->count(), 7);
    EXPECT_EQ(table().pbLibP1->toolTip(), QStringLiteral("Library: 5 cards"));
    QTest::mouseClick(table().SpeedButton1, Qt::LeftButton);
    EXPECT_TRUE(editor().isVisible());
    EXPECT_FALSE(shell->fmMain->isVisible());
}

TEST_F(PlayShell, DeckEditionSendsTheEditedDeckBackToTheActivePage) {
    PlayTestDecks().Player2Deck = {"    3 [EM] - Crag Runner", "   "};
    QTest::mouseClick(shell->fmMain->iabTestPlay, Qt::LeftButton);
    std::vector<std::string> inEditor;
    bool editorWasModal = false;
    whenShown([&] {
        loadDeck().pcDeck->setCurrentIndex(1);
        whenShown([&] {
            editorWasModal = editor().isVisible() && editor().isModal();
            for (int i = 0; i < editor().lbDeck->count(); ++i)
                inEditor.push_back(editor().lbDeck->item(i)->text().toStdString());
            editor().SetDeckLines({"    5 [EM] - Bellows Goblin"});
            QTest::mouseClick(editor().sbTest, Qt::LeftButton);
        });
        QTest::mouseClick(loadDeck().sbDeckEd, Qt::LeftButton);
        EXPECT_EQ(TfmLoadDeck::Lines(loadDeck().lbP2),
                  std::vector<std::string>{"    5 [EM] - Bellows Goblin"});
        QTest::mouseClick(loadDeck().bbOk, Qt::LeftButton);
    });
    QTest::mouseClick(table().sbNewGame, Qt::LeftButton);
    EXPECT_TRUE(editorWasModal);
    EXPECT_EQ(inEditor, std::vector<std::string>{"    3 [EM] - Crag Runner"});
    EXPECT_FALSE(editor().isVisible());
    EXPECT_EQ(PlayTestDecks().Player2Deck, std::vector<std::string>{"    5 [EM] - Bellows Goblin"});
    EXPECT_EQ(table().lbHandP2->count(), 5);
    EXPECT_TRUE(table().isVisible());
    EXPECT_EQ(db.PlayOrigin, "Main");
}
