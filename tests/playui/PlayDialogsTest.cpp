// The play test's dialogs, real widgets driven by mouse events: loading decks with the
// edition-key rewrite, the sideboard trades, the die, the split choice and the input box.
#include "core/UCardDatabase.h"
#include "core/URandom.h"
#include "deck/UDeckEDLogic.h"
#include "play/UNewTest.h"
#include "play/UNewTestLogic.h"
#include "play/USBorad.h"
#include "play/USplit.h"
#include "play/Ukube.h"
#include "play/uPT.h"
#include "render/UTableTile.h"
#include "tests/testkit/TestKit.h"
#include "widgets/UMessages.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

using namespace zandor;
using namespace zandor::test;

namespace {

void whenShown(std::function<void()> user) {
    QTimer::singleShot(0, std::move(user));
}

std::vector<std::string> listLines(const QListWidget* list) {
    return TfmLoadDeck::Lines(list);
}

std::vector<std::string> gridTexts(const QTableWidget* grid) {
    std::vector<std::string> rows;
    for (int r = 0; r < grid->rowCount(); ++r)
        rows.push_back(grid->item(r, 0) ? grid->item(r, 0)->text().toStdString() : "");
    return rows;
}

class TScriptedRandom final : public TRandomGenerator {
public:
    explicit TScriptedRandom(std::vector<int> values) : m_values(std::move(values)) {
        m_previous = SetRandomGenerator(this);
    }
    ~TScriptedRandom() override { SetRandomGenerator(m_previous); }
    int Next(int) override { return m_values[std::min(m_next++, m_values.size() - 1)]; }

private:
    std::vector<int> m_values;
    std::size_t m_next = 0;
    TRandomGenerator* m_previous;
};

struct LoadDeck : ::testing::Test {
    TTempDir dir;
    TCardDatabase db;
    std::unique_ptr<TfmLoadDeck> dialog;
    std::vector<TMessage> messages;
    QString chosen;

    void SetUp() override {
        PlayTestDecks() = {};
        db.DeckDir = dir.Path();
        dialog = std::make_unique<TfmLoadDeck>(db);
        dialog->OpenDeck = [this](QWidget*, const QString& folder) {
            EXPECT_EQ(folder.toStdString(), db.DeckDir);
            return chosen;
        };
        SetMessageAnswerer([this](const TMessage& m) {
            messages.push_back(m);
            return true;
        });
        dialog->show();
    }
    void TearDown() override {
        SetMessageAnswerer({});
        PlayTestDecks() = {};
    }
    void load(const std::string& path) {
        chosen = QString::fromStdString(path);
        QTest::mouseClick(dialog->sbLoadDeck, Qt::LeftButton);
    }
};

} // namespace

TEST_F(LoadDeck, OldEditionKeyIsRewrittenOnceInEachLineExceptBackslashLines) {
    const std::string path = dir.File("ember.dec");
    WriteBytes(path, "    2 [PR] - Moss Vat\r\n"
                     "\\ PR stays in a note\r\n"
                     "    1 [PR] - PRowler Hound\r\n"
                     "SB: 3 [SV] - Cinder Whelp\r\n");
    load(path);
    const std::vector<std::string> expected{"    2 [PY] - Moss Vat", "\\ PR stays in a note",
                                            "    1 [PY] - PRowler Hound",
                                            "SB: 3 [SV] - Cinder Whelp"};
    EXPECT_EQ(listLines(dialog->lbP1), expected);
    EXPECT_EQ(PlayTestDecks().Player1Deck, expected);
    EXPECT_TRUE(PlayTestDecks().Player2Deck.empty());
    EXPECT_EQ(ReadBytes(path), "    2 [PY] - Moss Vat\r\n\\ PR stays in a note\r\n"
                               "    1 [PY] - PRowler Hound\r\nSB: 3 [SV] - Cinder Whelp\r\n");
    EXPECT_EQ(db.DeckDir, dir.Path());
    EXPECT_TRUE(messages.empty());
}

TEST_F(LoadDeck, SecondPageFillsPlayerTwoOnly) {
    PlayTestDecks().Player1Deck = {"    4 [SV] - Gravel Ogre"};
    dialog->hide();
    dialog->show(); // the lists are refilled from the decks on every showing
    EXPECT_EQ(listLines(dialog->lbP1), PlayTestDecks().Player1Deck);
    const std::string path = dir.File("tide.dec");
    WriteBytes(path, "    3 [EM] - Brine Oracle\r\n");
    dialog->pcDeck->setCurrentIndex(1);
    load(path);
    EXPECT_EQ(listLines(dialog->lbP2), std::vector<std::string>{"    3 [EM] - Brine Oracle"});
    EXPECT_EQ(PlayTestDecks().Player2Deck, std::vector<std::string>{"    3 [EM] - Brine Oracle"});
    EXPECT_EQ(listLines(dialog->lbP1), std::vector<std::string>{"    4 [SV] - Gravel Ogre"});
    EXPECT_EQ(PlayTestDecks().Player1Deck, std::vector<std::string>{"    4 [SV] - Gravel Ogre"});
}

TEST_F(LoadDeck, UnchangedFileIsNotWrittenAndUnwritableFileStillLoads) {
    const std::string plain = dir.File("plain.dec");
    WriteBytes(plain, "    1 [EM] - Brine Oracle\r\n");
    {
        TFailingWriter writer;
        load(plain);
        EXPECT_EQ(writer.Attempts, 0);
    }
    EXPECT_EQ(listLines(dialog->lbP1).size(), 1u);
    EXPECT_TRUE(messages.empty());

    const std::string locked = dir.File("locked.dec");
    WriteBytes(locked, "    2 [PR] - Moss Vat\r\n");
    {
        TFailingWriter writer;
        load(locked);
        EXPECT_EQ(writer.Attempts, 1);
    }
    EXPECT_EQ(listLines(dialog->lbP1), std::vector<std::string>{"    2 [PY] - Moss Vat"});
    EXPECT_EQ(ReadBytes(locked), "    2 [PR] - Moss Vat\r\n");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Caption, ErrorCaption);
    EXPECT_TRUE(messages[0].Text.contains(QStringLiteral("could not be rewritten")));
}

TEST_F(LoadDeck, CancelledOrMissingFileChangesNothing) {
    PlayTestDecks().Player1Deck = {"    4 [SV] - Gravel Ogre"};
    dialog->hide();
    dialog->show();
    load("");
    load(dir.File("nowhere.dec"));
    EXPECT_EQ(listLines(dialog->lbP1), std::vector<std::string>{"    4 [SV] - Gravel Ogre"});
    EXPECT_TRUE(messages.empty());
}

TEST_F(LoadDeck, SideboardRoundTripDropsCommentsAndKeepsGridsAfterClose) {
    dialog->lbP1->addItem(QStringLiteral("    2 [EM] - Moss Vat"));
    dialog->lbP1->addItem(QStringLiteral("// a comment"));
    dialog->lbP1->addItem(QStringLiteral("SB: 1 [EM] - Cinder Whelp"));
    std::vector<std::string> deckGrid, sbGrid;
    whenShown([&] {
        deckGrid = gridTexts(dialog->fmSideBoard->sgDeck);
        sbGrid = gridTexts(dialog->fmSideBoard->sgSB);
        dialog->fmSideBoard->sgDeck->setCurrentCell(0, 0);
        dialog->fmSideBoard->sgSB->setCurrentCell(0, 0);
        QTest::mouseClick(dialog->fmSideBoard->sbTrade, Qt::LeftButton);
        QTest::mouseClick(dialog->fmSideBoard->sbClose, Qt::LeftButton);
    });
    QTest::mouseClick(dialog->sbSideboard, Qt::LeftButton);
    EXPECT_EQ(deckGrid, std::vector<std::string>{"2 [EM] - Moss Vat"});
    EXPECT_EQ(sbGrid, std::vector<std::string>{"1 [EM] - Cinder Whelp"});
    // Close still writes the traded grids back; the comment is gone.
    EXPECT_EQ(listLines(dialog->lbP1),
              (std::vector<std::string>{"    1 [EM] - Moss Vat", "    1 [EM] - Cinder Whelp",
                                        "SB: 1 [EM] - Moss Vat"}));
    // The module list is not touched by the sideboard command.
    EXPECT_TRUE(PlayTestDecks().Player1Deck.empty());

    // One main-deck line and one comment come back as the main-deck line alone.
    dialog->lbP1->clear();
    dialog->lbP1->addItem(QStringLiteral("    3 [SV] - Gravel Ogre"));
    dialog->lbP1->addItem(QStringLiteral("/ notes"));
    whenShown([&] { QTest::mouseClick(dialog->fmSideBoard->sbClose, Qt::LeftButton); });
    QTest::mouseClick(dialog->sbSideboard, Qt::LeftButton);
    EXPECT_EQ(listLines(dialog->lbP1), std::vector<std::string>{"    3 [SV] - Gravel Ogre"});
}

TEST_F(LoadDeck, DeckEditionHandsOverNonEmptyLinesAndStoresBothLists) {
    dialog->lbP2->addItem(QStringLiteral("    2 [EM] - Moss Vat"));
    dialog->lbP2->addItem(QStringLiteral("   "));
    dialog->pcDeck->setCurrentIndex(1);
    std::vector<std::string> handed;
    dialog->EditDeck = [&](const std::vector<std::string>& lines) {
        handed = lines;
        dialog->ReceiveEditorDeck({"    3 [EM] - Moss Vat"});
    };
    QTest::mouseClick(dialog->sbDeckEd, Qt::LeftButton);
    EXPECT_EQ(handed, std::vector<std::string>{"    2 [EM] - Moss Vat"});
    EXPECT_EQ(PlayTestDecks().Player2Deck, std::vector<std::string>{"    3 [EM] - Moss Vat"});
    EXPECT_TRUE(PlayTestDecks().Player1Deck.empty());
}

TEST(SideboardTrade, TradesOfTheCasesThatMatter) {
    const struct {
        const char* What;
        TSideboardRows Before;
        int DeckRow, SbRow;
        bool Traded;
        TSideboardRows After;
        int DeckRowAfter, SbRowAfter;
    } cases[] = {
        {"two A against one B",
         {{"2 [EM] - Aa", "1 [EM] - Cc"}, {"1 [EM] - Bb"}},
         0,
         0,
         true,
         {{"1 [EM] - Aa", "1 [EM] - Cc", "1 [EM] - Bb"}, {"1 [EM] - Aa"}},
         0,
         0},
        {"sideboard card already in the deck's first row",
         {{"1 [EM] - Bb", "2 [EM] - Aa"}, {"2 [EM] - Bb"}},
         1,
         0,
         true,
         {{"2 [EM] - Bb", "1 [EM] - Aa"}, {"1 [EM] - Bb", "1 [EM] - Aa"}},
         1,
         0},
        {"last copy of the only deck row",
         {{"1 [EM] - Aa"}, {"1 [EM] - Bb", "1 [EM] - Aa"}},
         0,
         0,
         true,
         {{"1 [EM] - Bb"}, {"2 [EM] - Aa"}},
         0,
         0},
        {"same card on both sides",
         {{"1 [EM] - Aa"}, {"1 [EM] - Aa"}},
         0,
         0,
         true,
         {{"1 [EM] - Aa"}, {"1 [EM] - Aa"}},
         0,
         0},
        {"empty deck row", {{""}, {"1 [EM] - Bb"}}, 0, 0, false, {{""}, {"1 [EM] - Bb"}}, 0, 0},
        {"empty sideboard row",
         {{"1 [EM] - Aa"}, {"  "}},
         0,
         0,
         false,
         {{"1 [EM] - Aa"}, {"  "}},
         0,
         0},
        {"comment row", {{"/ x"}, {"1 [EM] - Bb"}}, 0, 0, false, {{"/ x"}, {"1 [EM] - Bb"}}, 0, 0},
        {"count that is no number",
         {{"two [EM] - Aa"}, {"1 [EM] - Bb"}},
         0,
         0,
         false,
         {{"two [EM] - Aa"}, {"1 [EM] - Bb"}},
         0,
         0},
        {"a matching row whose count is no number",
         {{"2 [EM] - Aa", "x [EM] - Bb"}, {"1 [EM] - Bb"}},
         0,
         0,
         false,
         {{"2 [EM] - Aa", "x [EM] - Bb"}, {"1 [EM] - Bb"}},
         0,
         0},
        {"row outside the grid",
         {{"1 [EM] - Aa"}, {"1 [EM] - Bb"}},
         3,
         0,
         false,
         {{"1 [EM] - Aa"}, {"1 [EM] - Bb"}},
         3,
         0},
    };
    for (const auto& c : cases) {
        TSideboardRows rows = c.Before;
        int deckRow = c.DeckRow, sbRow = c.SbRow;
        EXPECT_EQ(TradeSideboard(rows, deckRow, sbRow), c.Traded) << c.What;
        EXPECT_EQ(rows.Deck, c.After.Deck) << c.What;
        EXPECT_EQ(rows.Sideboard, c.After.Sideboard) << c.What;
        EXPECT_EQ(deckRow, c.DeckRowAfter) << c.What;
        EXPECT_EQ(sbRow, c.SbRowAfter) << c.What;
    }
}

TEST(SideboardDialog, TradeButtonKeepsTheDeckRowSelected) {
    TfmSideBoard sideboard;
    sideboard.SetRows({{"2 [EM] - Aa", "1 [EM] - Cc"}, {"1 [EM] - Bb"}});
    sideboard.show();
    sideboard.sgDeck->setCurrentCell(0, 0);
    sideboard.sgSB->setCurrentCell(0, 0);
    QTest::mouseClick(sideboard.sbTrade, Qt::LeftButton);
    EXPECT_EQ(gridTexts(sideboard.sgDeck),
              (std::vector<std::string>{"1 [EM] - Aa", "1 [EM] - Cc", "1 [EM] - Bb"}));
    EXPECT_EQ(gridTexts(sideboard.sgSB), std::vector<std::string>{"1 [EM] - Aa"});
    EXPECT_EQ(sideboard.sgDeck->currentRow(), 0);
    // Cc's last copy goes out and Aa comes back onto its first row; the selection stays
    // on the second row, now Bb's.
    sideboard.sgDeck->setCurrentCell(1, 0);
    QTest::mouseClick(sideboard.sbTrade, Qt::LeftButton);
    EXPECT_EQ(gridTexts(sideboard.sgDeck),
              (std::vector<std::string>{"2 [EM] - Aa", "1 [EM] - Bb"}));
    EXPECT_EQ(gridTexts(sideboard.sgSB), std::vector<std::string>{"1 [EM] - Cc"});
    EXPECT_EQ(sideboard.sgDeck->currentRow(), 1);
}

TEST(SideboardRows, RebuildSkipsEmptyRowsOnBothSides) {
    const TSideboardRows rows = SideboardRowsOf({"/ only a comment", "SB: 2 [EM] - Bb"});
    EXPECT_EQ(rows.Deck, std::vector<std::string>{""});
    EXPECT_EQ(rows.Sideboard, std::vector<std::string>{"2 [EM] - Bb"});
    EXPECT_EQ(LinesOfSideboardRows(rows), std::vector<std::string>{"SB: 2 [EM] - Bb"});
}

TEST(DieDialog, EveryRollShowsOneValueInAllThreePlaces) {
    TScriptedRandom random({0, 5, 2, 3});
    TfmKube kube;
    for (int expected : {1, 6, 3, 4}) {
        whenShown([&] { kube.reject(); });
        EXPECT_EQ(kube.Roll(), expected);
        EXPECT_EQ(kube.rxlResult->text(), QString::number(expected));
        EXPECT_EQ(kube.windowTitle(), QStringLiteral("Result: %1").arg(expected));
        EXPECT_EQ(kube.RxDice->Value(), expected);
        EXPECT_EQ(kube.RxDice->pixmap().toImage(),
                  TilePicture("DIE" + std::to_string(expected))
                      .convertToFormat(kube.RxDice->pixmap().toImage().format()));
    }
}

TEST(SplitDialog, EachPictureAnswersForItsHalf) {
    TfmSplit split;
    QImage first(140, 200, QImage::Format_RGB32), second(140, 200, QImage::Format_RGB32);
    first.fill(Qt::red);
    second.fill(Qt::blue);
    split.SetHalves(first, second);
    const struct {
        TClickImage* TfmSplit::*Picture;
        bool First;
    } cases[] = {{&TfmSplit::imSp1, true}, {&TfmSplit::imSp2, false}};
    for (const auto& c : cases) {
        whenShown(
            [&] { QTest::mouseClick(split.*c.Picture, Qt::LeftButton, {}, QPoint(70, 100)); });
        EXPECT_EQ(split.ChooseFirst(), c.First);
        EXPECT_FALSE(split.isVisible());
    }
}

TEST(InputBox, ReturnsWhatTheUserTyped) {
    TfmPT box;
    EXPECT_EQ(box.edPT->text(), QStringLiteral("2/3"));
    whenShown([&] {
        box.edPT->clear();
        QTest::keyClicks(box.edPT, QStringLiteral("4/5"));
        QTest::mouseClick(box.SpeedButton2, Qt::LeftButton);
    });
    EXPECT_EQ(box.Ask(QStringLiteral("1/1")), QStringLiteral("4/5"));
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Change"));
}
