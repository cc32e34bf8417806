// The play table, the real window under the offscreen platform, driven by mouse events: a
// new game through the load deck dialog, piles, lives, hand panels, every kind of drop,
// tapping, the drag pictures and the split choice.
#include "core/UApplication.h"
#include "core/UCardDatabase.h"
#include "core/UCodePage.h"
#include "deck/UDeckEDLogic.h"
#include "play/UGameArt.h"
#include "play/UNewTest.h"
#include "play/USBorad.h"
#include "play/USplit.h"
#include "play/UTest.h"
#include "play/UfmTest.h"
#include "play/Ukube.h"
#include "render/UTableTile.h"
#include "tests/playui/PlayTableFixture.h"
#include "tests/testkit/TestKit.h"
#include "tools/UCardPictures.h"
#include "widgets/UMessages.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
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

struct PlayTable : TPlayTableFixture {

    void sampleGame() {
        newGame(deckOf({{20, "[EM] - Kessik Crag"},
                        {20, "[EM] - Crag Runner"},
                        {20, "[EM] - Bellows Goblin"}}),
                deckOf({{30, "[SV] - Barkhide Boar"}, {30, "[EM] - Ashroot Hulk"}}));
    }
    // A card of player's hand dragged with the mouse and released at a point of the table
    // (or over another control, given with its own coordinates).
    void dragFromHand(int player, int row, QWidget* target, QPoint at) {
        QListWidget* list = player == 1 ? play->lbHandP1 : play->lbHandP2;
        list->setCurrentRow(row);
        const QPoint start = list->visualItemRect(list->item(row)).center();
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, start);
        QTest::mouseMove(list->viewport(), start + QPoint(20, 0));
        QTest::mouseMove(target, at);
        QTest::mouseRelease(target, Qt::LeftButton, {}, at);
    }
    void dragOnTable(QPoint from, QWidget* target, QPoint at) {
        QTest::mousePress(play->pbPlay, Qt::LeftButton, {}, from);
        QTest::mouseMove(play->pbPlay, from + QPoint(10, 10));
        QTest::mouseMove(target, at);
        QTest::mouseRelease(target, Qt::LeftButton, {}, at);
    }
    // Puts the first card of player's hand on the table at corner (x, y) through the engine.
    int placeCard(int player, int x, int y) {
        const std::string name = player == 1 ? TfmPlay::Player1 : TfmPlay::Player2;
        game().HandToTable(name, 0, false, x, y);
        play->RefillHand(player);
        play->FullRedraw();
        return game().TableLast();
    }
    QRgb boardAt(int x, int y) const { return play->Board().pixel(x, y); }
};

const QRgb tableRgb = TableColor.rgb();

} // namespace

TEST_F(PlayTable, NewGameDealsBothHandsAndFillsTheArtCache) {
    sampleGame();
    EXPECT_EQ(play->lbHandP1->count(), 7);
    EXPECT_EQ(play->lbHandP2->count(), 7);
    EXPECT_EQ(play->plLifeP1->text(), QStringLiteral("20"));
    EXPECT_EQ(play->plLifeP2->text(), QStringLiteral("20"));
    EXPECT_EQ(play->PileFile(1, TPileKind::Library), "lib60.bmp");
    EXPECT_EQ(play->pbLibP1->toolTip(), QStringLiteral("Library: 53 cards"));
    EXPECT_EQ(play->PileFile(1, TPileKind::Graveyard), "grave.bmp");
    EXPECT_EQ(play->pbGreivP2->toolTip(), QStringLiteral("Graveyard: 0 cards"));
    EXPECT_EQ(play->pbRemoveP2->toolTip(), QStringLiteral("Remove from game: 0 cards"));
    // One cached picture per card of both decks, and the cards point at them.
    EXPECT_EQ(play->ArtCache().Pictures.Count(), 5);
    const auto hand = game().PrepareHandCard(TfmPlay::Player1, 0);
    ASSERT_TRUE(hand);
    EXPECT_GE(hand->ImageIndex, 0);
    EXPECT_TRUE(messages.empty());
    for (int x : {0, 500, 800})
        EXPECT_EQ(boardAt(x, 300), tableRgb);
}

TEST_F(PlayTable, CancelledOrEmptyLoadDialogStartsNothing) {
    whenShown([this] { QTest::mouseClick(loadDeck->bbCancel, Qt::LeftButton); });
    PlayTestDecks().Player1Deck = deckOf({{10, "[EM] - Crag Runner"}});
    QTest::mouseClick(play->sbNewGame, Qt::LeftButton);
    EXPECT_EQ(play->lbHandP1->count(), 0);
    newGame({}, {});
    EXPECT_EQ(play->lbHandP1->count(), 0);
    EXPECT_EQ(game().LibraryLast(TfmPlay::Player1), -1);
}

TEST_F(PlayTable, UnreadableDeckLinesAreToldAfterNewGame) {
    newGame({"    4 [EM] - Crag Runner", "    3 Crag Runner", "    ten [EM] - Kessik Crag"},
            deckOf({{8, "[EM] - Ashroot Hulk"}}));
    EXPECT_EQ(play->lbHandP1->count(), 4);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Caption, ErrorCaption);
    EXPECT_TRUE(messages[0].Text.contains(QStringLiteral("Player 1: 2 deck line(s)")))
        << messages[0].Text.toStdString();
    EXPECT_TRUE(messages[0].Text.contains(QStringLiteral("line 2: \"    3 Crag Runner\"")));
    EXPECT_FALSE(messages[0].Text.contains(QStringLiteral("Player 2")));
}

TEST_F(PlayTable, ADeckOfMoreCardsThanAGameHoldsIsToldAndNotDealt) {
    newGame({"    9999 [EM] - Crag Runner", "    9999 [EM] - Kessik Crag"},
            deckOf({{8, "[EM] - Ashroot Hulk"}}));
    EXPECT_EQ(play->lbHandP1->count(), 0);
    EXPECT_EQ(play->lbHandP2->count(), 7);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].Text.contains(QStringLiteral("19998")))
        << messages[0].Text.toStdString();
}

TEST_F(PlayTable, PilePictureFollowsTheLibrarySize) {
    newGame(deckOf({{53, "[EM] - Crag Runner"}}), deckOf({{8, "[EM] - Ashroot Hulk"}}));
    const struct {
        int Cards;
        const char* File;
    } cases[] = {{46, "lib60.bmp"}, {45, "lib35.bmp"}, {16, "lib35.bmp"}, {15, "lib15.bmp"},
                 {6, "lib15.bmp"},  {5, "lib5.bmp"},   {1, "lib5.bmp"},   {0, "lib.bmp"}};
    for (const auto& c : cases) {
        while (game().LibraryLast(TfmPlay::Player1) + 1 > c.Cards)
            game().LibraryToRemoved(TfmPlay::Player1, 0);
        play->RedrawPiles(TPileKind::Library);
        EXPECT_EQ(play->PileFile(1, TPileKind::Library), c.File) << c.Cards;
        EXPECT_EQ(play->pbLibP1->toolTip(), QStringLiteral("Library: %1 cards").arg(c.Cards));
        const QImage file(QString::fromStdString(data + c.File));
        EXPECT_EQ(play->PilePicture(1, TPileKind::Library),
                  file.convertToFormat(QImage::Format_RGB32))
            << c.Cards;
    }
}

TEST_F(PlayTable, GraveyardShowsItsTopCardAtTheOffsetOfItsSize) {
    sampleGame();
    const struct {
        int Cards;
        const char* File;
        QPoint Offset;
    } cases[] = {{1, "grave5.bmp", {15, 19}},
                 {6, "grave15.bmp", {13, 16}},
                 {16, "grave35.bmp", {8, 10}},
                 {46, "grave60.bmp", {4, 4}}};
    for (const auto& c : cases) {
        while (game().GraveyardLast(TfmPlay::Player2) + 1 < c.Cards)
            game().LibraryToGraveyard(TfmPlay::Player2, 0);
        play->RedrawPiles(TPileKind::Graveyard);
        EXPECT_EQ(play->PileFile(2, TPileKind::Graveyard), c.File);
        const QImage file =
            QImage(QString::fromStdString(data + c.File)).convertToFormat(QImage::Format_RGB32);
        const QImage& shown = play->PilePicture(2, TPileKind::Graveyard);
        const QRect thumb(c.Offset, QSize(52, 67));
        int inside = 0, outside = 0;
        for (int y = 0; y < 90; ++y)
            for (int x = 0; x < 70; ++x)
                if (shown.pixel(x, y) != file.pixel(x, y))
                    ++(thumb.contains(x, y) ? inside : outside);
        EXPECT_EQ(outside, 0) << c.Cards;
        EXPECT_GT(inside, 52 * 67 / 2) << c.Cards;
    }
}

TEST_F(PlayTable, MissingPilePictureIsNamedOnceAndTheTableGoesOn) {
    // A data folder of its own without the empty graveyard picture.
    const std::string own = dir.Path() + "/own/";
    std::filesystem::create_directories(own);
    CopySampleData(own);
    std::filesystem::remove(own + "grave.bmp");
    db.DataDir = own;
    sampleGame();
    play->RedrawAllPiles();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].Text.contains(QStringLiteral("grave.bmp")));
    EXPECT_EQ(play->PilePicture(1, TPileKind::Graveyard).pixel(35, 45), qRgb(0, 0, 0));
    dragFromHand(1, 0, play->pbPlay, QPoint(300, 300));
    EXPECT_EQ(game().TableLast(), 0);
}

TEST_F(PlayTable, HandCardDroppedOnTheTableLandsThirtyUpAndLeft) {
    sampleGame();
    const QString name = play->lbHandP1->item(2)->text();
    dragFromHand(1, 2, play->pbPlay, QPoint(200, 150));
    ASSERT_EQ(game().TableLast(), 0);
    const auto card = game().TableCard(0);
    EXPECT_EQ(QPoint(card->X, card->Y), QPoint(170, 120));
    EXPECT_EQ(ToDisplay(card->Card.Name), name);
    EXPECT_EQ(play->lbHandP1->count(), 6);
    EXPECT_FALSE(play->DragActive());
    // The tile stands on the board and the screen shows the board.
    QImage tile;
    DrawTableTile(*card, tile, QRect(0, 0, 100, 100),
                  {db.PicDir, db.DataDir, &play->ArtCache().Pictures});
    EXPECT_EQ(play->Board().copy(170, 120, 100, 100), tile.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(play->Display(), play->Board());
}

TEST_F(PlayTable, TableCardMovesByTheDragDistanceLessOnePixel) {
    sampleGame();
    placeCard(1, 100, 100);
    dragOnTable(QPoint(130, 140), play->pbPlay, QPoint(230, 240));
    const auto card = game().TableCard(0);
    EXPECT_EQ(QPoint(card->X, card->Y), QPoint(199, 199));
    EXPECT_EQ(boardAt(101, 101), tableRgb); // the old place is cleared
    EXPECT_NE(boardAt(250, 250), tableRgb);
    EXPECT_EQ(play->Display(), play->Board());
}

TEST_F(PlayTable, ErasingALiftedCardRedrawsTheCardsItCovered) {
    sampleGame();
    placeCard(1, 100, 100); // lower
    placeCard(2, 150, 150); // upper, covering the lower one's corner
    const QImage upper = play->Board().copy(150, 150, 100, 100);
    // The lower card is lifted by its free corner: it comes to the front and leaves the
    // board, and where it lay over nothing the table shows, where the upper card lay under
    // it the upper card shows again.
    QTest::mousePress(play->pbPlay, Qt::LeftButton, {}, QPoint(120, 120));
    QTest::mouseMove(play->pbPlay, QPoint(140, 130));
    ASSERT_TRUE(play->DragActive());
    EXPECT_EQ(boardAt(120, 120), tableRgb);
    EXPECT_EQ(play->Board().copy(150, 150, 100, 100), upper);
    QTest::mouseMove(play->pbPlay, QPoint(720, 140));
    QTest::mouseRelease(play->pbPlay, Qt::LeftButton, {}, QPoint(720, 140));
    EXPECT_EQ(play->Board().copy(150, 150, 100, 100), upper);
    EXPECT_EQ(boardAt(120, 120), tableRgb);
    EXPECT_EQ(QPoint(game().TableCard(1)->X, game().TableCard(1)->Y), QPoint(699, 119));
    EXPECT_EQ(play->Display(), play->Board());
}

TEST_F(PlayTable, TableCardGoesToItsOwnersPilesAndHand) {
    sampleGame();
    const struct {
        const char* What;
        QWidget* TfmPlay::*Target;
        std::function<int(TPlayerTest&)> Count;
    } cases[] = {
        {"player 2's graveyard", reinterpret_cast<QWidget * TfmPlay::*>(&TfmPlay::pbGreivP2),
         [](TPlayerTest& g) { return g.GraveyardLast(TfmPlay::Player1); }},
        {"player 2's library", reinterpret_cast<QWidget * TfmPlay::*>(&TfmPlay::pbLibP2),
         [](TPlayerTest& g) { return g.LibraryLast(TfmPlay::Player1); }},
        {"player 1's removed pile", reinterpret_cast<QWidget * TfmPlay::*>(&TfmPlay::pbRemoveP1),
         [](TPlayerTest& g) { return g.RemovedLast(TfmPlay::Player1); }},
        {"player 2's hand", reinterpret_cast<QWidget * TfmPlay::*>(&TfmPlay::lbHandP2),
         [](TPlayerTest& g) { return g.HandLast(TfmPlay::Player1); }},
    };
    for (const auto& c : cases) {
        placeCard(1, 300, 200);
        const int before = c.Count(game());
        QWidget* target = play.get()->*c.Target;
        dragOnTable(QPoint(330, 230), target, QPoint(20, 20));
        EXPECT_EQ(game().TableLast(), -1) << c.What;
        EXPECT_EQ(c.Count(game()), before + 1) << c.What;
        EXPECT_EQ(boardAt(350, 250), tableRgb) << c.What;
        EXPECT_EQ(play->Display(), play->Board()) << c.What;
    }
    EXPECT_EQ(play->lbHandP1->count(), game().HandLast(TfmPlay::Player1) + 1);
    EXPECT_EQ(play->pbGreivP1->toolTip(), QStringLiteral("Graveyard: 1 cards"));
}

TEST_F(PlayTable, TableCardDroppedElsewhereStaysWhereItWas) {
    sampleGame();
    placeCard(1, 300, 200);
    const QImage board = play->Board().copy();
    dragOnTable(QPoint(330, 230), play->plLifeP1, QPoint(20, 10));
    EXPECT_EQ(game().TableLast(), 0);
    EXPECT_EQ(QPoint(game().TableCard(0)->X, game().TableCard(0)->Y), QPoint(300, 200));
    EXPECT_EQ(play->Board(), board);
    EXPECT_EQ(play->Display(), board);
    EXPECT_EQ(play->plLifeP1->text(), QStringLiteral("20"));
}

TEST_F(PlayTable, HandCardGoesOnlyToItsOwnPlayersPiles) {
    sampleGame();
    const struct {
        const char* What;
        QWidget* TfmPlay::*Target;
        int Graveyard, Library, Removed, Hand;
    } cases[] = {
        {"own graveyard", reinterpret_cast<QWidget * TfmPlay::*>(&TfmPlay::pbGreivP1), 0, 52, -1,
         5},
        {"own library", reinterpret_cast<QWidget * TfmPlay::*>(&TfmPlay::pbLibP1), 0, 53, -1, 4},
        {"own removed pile", reinterpret_cast<QWidget * TfmPlay::*>(&TfmPlay::pbRemoveP1), 0, 53, 0,
         3},
        {"other graveyard", reinterpret_cast<QWidget * TfmPlay::*>(&TfmPlay::pbGreivP2), 0, 53, 0,
         3},
        {"other hand", reinterpret_cast<QWidget * TfmPlay::*>(&TfmPlay::lbHandP2), 0, 53, 0, 3},
        {"life panel", reinterpret_cast<QWidget * TfmPlay::*>(&TfmPlay::plLifeP2), 0, 53, 0, 3},
    };
    for (const auto& c : cases) {
        dragFromHand(1, 0, play.get()->*c.Target, QPoint(10, 10));
        EXPECT_EQ(game().GraveyardLast(TfmPlay::Player1), c.Graveyard) << c.What;
        EXPECT_EQ(game().LibraryLast(TfmPlay::Player1), c.Library) << c.What;
        EXPECT_EQ(game().RemovedLast(TfmPlay::Player1), c.Removed) << c.What;
        EXPECT_EQ(game().HandLast(TfmPlay::Player1), c.Hand) << c.What;
        EXPECT_EQ(play->lbHandP1->count(), c.Hand + 1) << c.What;
    }
    EXPECT_EQ(game().TableLast(), -1);
}

TEST_F(PlayTable, DoubleClickTapsAndTheUntapButtonUntapsFaceDownCardsToo) {
    sampleGame();
    placeCard(1, 200, 200);
    const QImage upright = play->Board().copy(200, 200, 100, 100);
    const auto doubleClick = [this](QWidget* widget, QPoint at) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
        QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
        QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
    };
    doubleClick(play->pbPlay, QPoint(250, 250));
    EXPECT_EQ(game().TableCard(0)->Untapped, 0);
    QImage turned = upright;
    RotateQuarter(turned);
    EXPECT_EQ(play->Board().copy(200, 200, 100, 100), turned);
    EXPECT_EQ(play->Display(), play->Board());

    placeCard(1, 500, 200);
    game().ToggleFaceDown(1);
    game().ToggleTapped(1);
    play->FullRedraw();
    doubleClick(play->pbPlay, QPoint(550, 250));
    EXPECT_EQ(game().TableCard(1)->Untapped, 0); // a face-down card is left alone
    QTest::mouseClick(play->sbUntapP1, Qt::LeftButton);
    EXPECT_EQ(game().TableCard(0)->Untapped, 1);
    EXPECT_EQ(game().TableCard(1)->Untapped, 1);
    EXPECT_EQ(game().TableCard(1)->FaceDown, 1);
    EXPECT_EQ(play->Board().copy(200, 200, 100, 100), upright);
}

TEST_F(PlayTable, LifePanelsCountOnlyPlainClicks) {
    sampleGame();
    const struct {
        Qt::MouseButton Button;
        Qt::KeyboardModifiers Modifiers;
        int Life;
    } cases[] = {{Qt::LeftButton, {}, 21},
                 {Qt::LeftButton, {}, 22},
                 {Qt::RightButton, {}, 21},
                 {Qt::LeftButton, Qt::ShiftModifier, 21},
                 {Qt::RightButton, Qt::ControlModifier, 21},
                 {Qt::LeftButton, Qt::AltModifier, 21},
                 {Qt::MiddleButton, {}, 21}};
    for (const auto& c : cases) {
        QTest::mouseClick(play->plLifeP2, c.Button, c.Modifiers, QPoint(20, 10));
        EXPECT_EQ(game().GetLife(TfmPlay::Player2), c.Life);
        EXPECT_EQ(play->plLifeP2->text(), QString::number(c.Life));
    }
    // The second press of a double click changes nothing.
    QTest::mouseClick(play->plLifeP1, Qt::LeftButton, {}, QPoint(20, 10));
    QTest::mouseDClick(play->plLifeP1, Qt::LeftButton, {}, QPoint(20, 10));
    QTest::mouseRelease(play->plLifeP1, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(game().GetLife(TfmPlay::Player1), 21);
    EXPECT_EQ(game().GetLife(TfmPlay::Player2), 21);
}

TEST_F(PlayTable, HandPanelGrowsFromTheNinthCard) {
    sampleGame();
    for (int draw = 0; draw < 1; ++draw)
        QTest::mouseClick(play->sbDrawP1, Qt::LeftButton);
    EXPECT_EQ(play->lbHandP1->count(), 8);
    EXPECT_EQ(play->plPlayer1->height(), 120);
    EXPECT_EQ(play->lbHandP1->height(), 100);
    QTest::mouseClick(play->sbDrawP1, Qt::LeftButton);
    EXPECT_EQ(play->lbHandP1->count(), 9);
    EXPECT_EQ(play->plPlayer1->height(), 128);
    EXPECT_EQ(play->lbHandP1->height(), 108);
    EXPECT_EQ(play->pbLibP1->toolTip(), QStringLiteral("Library: 51 cards"));
    // Discarding the selected card refills the list and fits the panel to it.
    play->lbHandP1->setCurrentRow(0);
    QTest::mouseClick(play->sbDiscardP1, Qt::LeftButton);
    EXPECT_EQ(play->lbHandP1->count(), 8);
    EXPECT_EQ(game().GraveyardLast(TfmPlay::Player1), 0);
}

TEST_F(PlayTable, RightClickBelowTheLastItemSelectsNothing) {
    sampleGame();
    play->lbHandP1->setCurrentRow(1);
    QTest::mouseClick(play->lbHandP1->viewport(), Qt::RightButton, {}, QPoint(20, 95));
    EXPECT_EQ(play->lbHandP1->currentRow(), -1);
    const QPoint second = play->lbHandP1->visualItemRect(play->lbHandP1->item(3)).center();
    QTest::mouseClick(play->lbHandP1->viewport(), Qt::RightButton, {}, second);
    EXPECT_EQ(play->lbHandP1->currentRow(), 3);
}

TEST_F(PlayTable, DraggedCardRedrawsOnlyWhereItFloatsAndLeavesNoTrace) {
    sampleGame();
    placeCard(1, 100, 100);
    const QImage board = play->Board().copy();
    QTest::mousePress(play->pbPlay, Qt::LeftButton, {}, QPoint(150, 150));
    QTest::mouseMove(play->pbPlay, QPoint(170, 160));
    QTest::mouseMove(play->pbPlay, QPoint(400, 300));
    ASSERT_TRUE(play->DragActive());
    const QRect floating = play->FloatRect();
    EXPECT_EQ(floating, QRect(349, 249, 100, 100));
    // Display is Board plus the floating tile, nothing else.
    EXPECT_EQ(play->Display().copy(floating),
              play->DragImage().convertToFormat(QImage::Format_RGB32));
    QImage expected = play->Board().copy();
    {
        QPainter p(&expected);
        p.drawImage(floating.topLeft(), play->DragImage());
    }
    EXPECT_EQ(play->Display(), expected);
    // Leaving the table takes the floating picture away once.
    QTest::mouseMove(play->plLifeP1, QPoint(10, 10));
    EXPECT_EQ(play->Display(), play->Board());
    EXPECT_TRUE(play->FloatRect().isEmpty());
    QTest::mouseRelease(play->plLifeP1, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(play->Board(), board);
    EXPECT_EQ(play->Display(), board);
}

TEST_F(PlayTable, FrameModeDrawsAFrameByExclusiveOrAndErasesItExactly) {
    db.TableDragFrame = true;
    sampleGame();
    placeCard(1, 100, 100);
    const QImage board = play->Board().copy();
    QTest::mousePress(play->pbPlay, Qt::LeftButton, {}, QPoint(150, 150));
    QTest::mouseMove(play->pbPlay, QPoint(170, 160));
    QTest::mouseMove(play->pbPlay, QPoint(130, 130));
    ASSERT_TRUE(play->DragActive());
    EXPECT_EQ(play->Board(), board); // the card stays in place
    const QRect frame = play->FloatRect();
    EXPECT_EQ(frame, QRect(79, 79, 100, 100));
    // Only the two outlines differ, each pixel inverted.
    int changed = 0;
    for (int y = 0; y < board.height(); ++y)
        for (int x = 0; x < board.width(); ++x)
            if (play->Display().pixel(x, y) != board.pixel(x, y)) {
                ++changed;
                const QRect inner = frame.adjusted(2, 2, -2, -2);
                ASSERT_TRUE(frame.contains(x, y) && !inner.contains(x, y)) << x << "," << y;
                ASSERT_EQ(play->Display().pixel(x, y) & 0xffffff, ~board.pixel(x, y) & 0xffffff);
            }
    EXPECT_GT(changed, 200);
    QTest::mouseMove(play->pbPlay, QPoint(300, 320));
    QTest::mouseMove(play->plLifeP2, QPoint(5, 5));
    EXPECT_EQ(play->Display(), board);
    QTest::mouseMove(play->pbPlay, QPoint(300, 320));
    QTest::mouseRelease(play->pbPlay, Qt::LeftButton, {}, QPoint(300, 320));
    EXPECT_EQ(QPoint(game().TableCard(0)->X, game().TableCard(0)->Y), QPoint(249, 269));
    EXPECT_EQ(boardAt(120, 120), tableRgb);
    EXPECT_EQ(play->Display(), play->Board());
}

TEST_F(PlayTable, SplitCardFromPlayerTwoComesIntoPlayAsTheChosenHalf) {
    const struct {
        TClickImage* TfmSplit::*Picture;
        const char* Half;
    } cases[] = {{&TfmSplit::imSp1, "Hush/Howl (Hush)"}, {&TfmSplit::imSp2, "Hush/Howl (Howl)"}};
    for (const auto& c : cases) {
        newGame(deckOf({{10, "[EM] - Crag Runner"}}), deckOf({{10, "[EM] - Hush/Howl"}}));
        // Player 1's selection must not matter.
        play->lbHandP1->setCurrentRow(3);
        whenShown([&] {
            QTest::mouseClick(play->fmSplit->*c.Picture, Qt::LeftButton, {}, QPoint(50, 50));
        });
        dragFromHand(2, 1, play->pbPlay, QPoint(400, 300));
        ASSERT_EQ(game().TableLast(), 0);
        const auto card = game().TableCard(0);
        EXPECT_EQ(card->Card.Name, c.Half);
        EXPECT_EQ(card->Owner, TfmPlay::Player2);
        EXPECT_EQ(card->Controller, TfmPlay::Player2);
        EXPECT_EQ(QPoint(card->X, card->Y), QPoint(370, 270));
        EXPECT_EQ(card->ImageIndex, -1);
        EXPECT_EQ(play->lbHandP2->count(), 6);
        EXPECT_EQ(play->lbHandP1->count(), 7);
        EXPECT_NE(boardAt(420, 320), tableRgb);
    }
}

TEST_F(PlayTable, CardViewShowsTheCardUnderTheMouseAndSwitchesSplitHalves) {
    newGame(deckOf({{10, "[EM] - Hush/Howl"}}), deckOf({{10, "[EM] - Bellows Goblin"}}));
    play->lbHandP1->setCurrentRow(0);
    QTest::mouseClick(play->lbHandP1->viewport(), Qt::LeftButton, {},
                      play->lbHandP1->visualItemRect(play->lbHandP1->item(0)).center());
    EXPECT_TRUE(play->sbSplit->isVisibleTo(play.get()));
    EXPECT_EQ(play->sbSplit->text(), QStringLiteral("Hush/Howl (Howl)"));
    const QImage first = play->CardViewImage();
    QTest::mouseClick(play->sbSplit, Qt::LeftButton);
    EXPECT_EQ(play->sbSplit->text(), QStringLiteral("Hush/Howl (Hush)"));
    EXPECT_NE(play->CardViewImage(), first);

    game().HandToTable(TfmPlay::Player2, 0, false, 300, 300);
    play->FullRedraw();
    QTest::mouseMove(play->pbPlay, QPoint(350, 350));
    EXPECT_FALSE(play->sbSplit->isVisibleTo(play.get()));
    EXPECT_FALSE(play->pbCardViewPlay->toolTip().isEmpty());
}

TEST_F(PlayTable, DieShowsTheRolledValueEverywhere) {
    sampleGame();
    whenShown([this] { play->fmKube->reject(); });
    QTest::mouseClick(play->sbShowModall, Qt::LeftButton);
    const int value = play->fmKube->RxDice->Value();
    EXPECT_GE(value, 1);
    EXPECT_LE(value, 6);
    EXPECT_EQ(play->fmKube->rxlResult->text(), QString::number(value));
    EXPECT_EQ(play->fmKube->windowTitle(), QStringLiteral("Result: %1").arg(value));
}

TEST_F(PlayTable, CloseButtonHidesTheTableAndEndsTheGame) {
    sampleGame();
    bool closed = false;
    QObject::connect(play.get(), &TfmPlay::Closed, [&] { closed = true; });
    QTest::mouseClick(play->SpeedButton1, Qt::LeftButton);
    EXPECT_TRUE(closed);
    EXPECT_FALSE(play->isVisible());
    EXPECT_EQ(play->Game(), nullptr);
    EXPECT_EQ(play->lbHandP1->count(), 0);
}

TEST(GameArtCache, FindsArtUnderTheFileNameTheCardFaceUses) {
    TTempDir dir;
    const std::string pics = dir.Path() + "/pics";
    std::filesystem::create_directories(pics + "/TQ");
    QImage art(120, 90, QImage::Format_RGB888);
    art.fill(Qt::darkGreen);
    // The card list is Windows-1252; the file name is the name in UTF-8, colons dropped.
    ASSERT_TRUE(art.save(QString::fromStdString(pics + "/TQ/\xC3\x86lvin Wisp.jpg"), "JPG"));
    ASSERT_TRUE(art.save(QString::fromStdString(pics + "/TQ/Wisp Lord.jpg"), "JPG"));
    TGameArtCache cache;
    EXPECT_EQ(cache.AddCardArt(pics, "TQ", "\xC6lvin Wisp"), 0);
    EXPECT_EQ(cache.AddCardArt(pics, "TQ", "Wisp: Lord"), 1);
    EXPECT_EQ(cache.AddCardArt(pics, "TQ", "No Such Wisp"), -1);
    EXPECT_EQ(cache.Pictures.Count(), 2);
    EXPECT_TRUE(cache.Errors.empty());
}

TEST_F(PlayTable, HandPanelsMoveWithTheMouseWithinTheirHalves) {
    sampleGame();
    const int half = play->Panel2->height() / 2;
    const struct {
        QFrame* TfmPlay::*Panel;
        QPoint Move;
        QPoint Expected;
    } cases[] = {
        {&TfmPlay::plPlayer1, {30, 20}, {454, 428}},
        {&TfmPlay::plPlayer1, {0, -200}, {454, half}},      // not above the middle
        {&TfmPlay::plPlayer1, {-600, 0}, {0, half}},        // not past the left edge
        {&TfmPlay::plPlayer2, {-20, -100}, {404, 0}},       // not above the top
        {&TfmPlay::plPlayer2, {0, 500}, {404, half - 120}}, // not below the middle
    };
    for (const auto& c : cases) {
        QFrame* panel = play.get()->*c.Panel;
        const QPoint grab(110, 4);
        QTest::mousePress(panel, Qt::LeftButton, {}, grab);
        QTest::mouseMove(panel, grab + c.Move);
        QTest::mouseRelease(panel, Qt::LeftButton, {}, grab + c.Move);
        EXPECT_EQ(panel->pos(), c.Expected) << c.Move.x() << "," << c.Move.y();
    }
}

TEST_F(PlayTable, FrameModeHandCardShowsAFrameAndLandsThirtyUpAndLeft) {
    db.TableDragFrame = true;
    sampleGame();
    QListWidget* list = play->lbHandP2;
    list->setCurrentRow(0);
    const QPoint start = list->visualItemRect(list->item(0)).center();
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, start);
    QTest::mouseMove(list->viewport(), start + QPoint(20, 0));
    QTest::mouseMove(play->pbPlay, QPoint(600, 200));
    EXPECT_EQ(play->FloatRect(), QRect(570, 170, 100, 100));
    EXPECT_NE(play->Display(), play->Board());
    QTest::mouseRelease(play->pbPlay, Qt::LeftButton, {}, QPoint(600, 200));
    ASSERT_EQ(game().TableLast(), 0);
    EXPECT_EQ(QPoint(game().TableCard(0)->X, game().TableCard(0)->Y), QPoint(570, 170));
    EXPECT_EQ(game().TableCard(0)->Owner, TfmPlay::Player2);
    EXPECT_EQ(play->Display(), play->Board());
    EXPECT_NE(boardAt(620, 220), tableRgb);
}
