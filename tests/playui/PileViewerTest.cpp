// The pile viewer of the play table on the real window under the offscreen platform: opened
// by double clicks on the pile pictures, its grid drawn and selected, every drop of a card
// dragged out of it, moving within the pile, shuffling, and piles taller than the table.
#include "core/UApplication.h"
#include "core/UCardDatabase.h"
#include "deck/UDeckEDLogic.h"
#include "play/UGameArt.h"
#include "play/UNewTest.h"
#include "play/UPileViewer.h"
#include "play/USplit.h"
#include "play/UTest.h"
#include "play/UfmTest.h"
#include "render/UTableTile.h"
#include "tests/playui/PlayTableFixture.h"
#include "tests/testkit/TestKit.h"
#include "tools/UCardPictures.h"
#include "widgets/UAnimatedMenu.h"
#include "widgets/UMessages.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <filesystem>

using namespace zandor;
using namespace zandor::test;

namespace {

struct PileViewer : TPlayTableFixture {
    const std::string p1 = TfmPlay::Player1;
    const std::string p2 = TfmPlay::Player2;

    // Player 1's library holds 6 cards after the deal, player 2's 7.
    void newGame(int cards1 = 13, int cards2 = 14) {
        PlayTestDecks().Player1Deck = deckOf(
            {{cards1 - cards1 / 2, "[4E] - Barkhide Boar"}, {cards1 / 2, "[EM] - Crag Runner"}});
        PlayTestDecks().Player2Deck = deckOf({{cards2 - cards2 / 2, "[4E] - Kessik Warband"},
                                              {cards2 / 2, "[EM] - Bellows Goblin"}});
        QTimer::singleShot(0, [this] { QTest::mouseClick(loadDeck->bbOk, Qt::LeftButton); });
        QTest::mouseClick(play->sbNewGame, Qt::LeftButton);
    }
    void doubleClick(QWidget* pile) {
        QTest::mouseDClick(pile, Qt::LeftButton, {}, QPoint(35, 45));
    }
    QWidget* grid() const { return play->sgRLG->viewport(); }
    QPoint cellCenter(int p) const { return play->sgRLG->CellRect(p / 3, p % 3).center(); }
    // The card at grid position p dragged to a point of a control.
    void dragCell(int p, QWidget* target, QPoint at) {
        const QPoint start = cellCenter(p);
        QTest::mousePress(grid(), Qt::LeftButton, {}, start);
        QTest::mouseMove(grid(), start + QPoint(12, 8));
        QTest::mouseMove(target, at);
        QTest::mouseRelease(target, Qt::LeftButton, {}, at);
    }
    std::string libraryName(const std::string& player, int i) {
        return game().PrepareLibraryCard(player, i)->Card.Name;
    }
    std::string graveName(const std::string& player, int i) {
        return game().PrepareGraveyardCard(player, i)->Card.Name;
    }
};

} // namespace

TEST_F(PileViewer, DoubleClicksOpenAndCloseIt) {
    newGame(13, 7); // player 2's library is empty after the deal
    EXPECT_FALSE(play->plRLG->isVisible());
    doubleClick(play->pbLibP2);
    EXPECT_FALSE(play->plRLG->isVisible());
    EXPECT_EQ(play->ViewerPile, "");
    doubleClick(play->pbLibP1);
    ASSERT_TRUE(play->plRLG->isVisible());
    EXPECT_EQ(play->ViewerPile, "LibP1");
    EXPECT_EQ(play->plRLGTop->text(), QStringLiteral("Player1 - Library: 6 cards"));
    // Any pile closes it, even an empty one.
    doubleClick(play->pbGreivP2);
    EXPECT_FALSE(play->plRLG->isVisible());
    EXPECT_EQ(play->ViewerPile, "");
    doubleClick(play->pbLibP1);
    QTest::mouseClick(play->sbEXIT, Qt::LeftButton);
    EXPECT_FALSE(play->plRLG->isVisible());
    EXPECT_EQ(play->ViewerPile, "");
}

TEST_F(PileViewer, RowsAndPlaceFollowThePileSize) {
    newGame(7 + 12, 7 + 7);
    struct Case {
        int cards;
        int rows;
    } cases[] = {{12, 5}, {7, 3}, {6, 3}, {5, 2}, {4, 2}, {3, 2}, {2, 1}, {1, 1}};
    for (const Case& c : cases) {
        while (game().LibraryLast(p1) + 1 > c.cards)
            game().LibraryToRemoved(p1, 0);
        doubleClick(play->pbLibP1);
        ASSERT_TRUE(play->plRLG->isVisible()) << c.cards;
        EXPECT_EQ(play->sgRLG->RowCount(), c.rows) << c.cards;
        const int height = (c.rows + 1) * 16 + 17 + 12;
        EXPECT_EQ(play->plRLG->geometry(), QRect(0, 430 - height, 345, height)) << c.cards;
        EXPECT_EQ(play->sgRLG->height(), (c.rows + 1) * 16 + 2);
        doubleClick(play->pbLibP1);
    }
    // Player 2's library stands at 100.
    doubleClick(play->pbLibP2);
    EXPECT_EQ(play->plRLG->y(), 100);
    EXPECT_EQ(play->sgRLG->RowCount(), 3);
}

TEST_F(PileViewer, TopCardFirstAndTheSelectedCardInTheView) {
    newGame();
    doubleClick(play->pbLibP1);
    const int h = game().LibraryLast(p1);
    for (int p : {0, 4, 5}) {
        QTest::mouseClick(grid(), Qt::LeftButton, {}, cellCenter(p));
        EXPECT_EQ(play->sgRLG->Row() * 3 + play->sgRLG->Col(), p);
        const auto card = game().PrepareLibraryCard(p1, h - p);
        EXPECT_EQ(play->pbCardViewPlay->toolTip(), ToDisplay(PlainCardText(card->Card.Text))) << p;
    }
    // The grid's colours: a selected cell grey, an empty cell table colour.
    const QImage shot = play->sgRLG->viewport()->grab().toImage();
    const QRect selected = play->sgRLG->CellRect(1, 2);
    EXPECT_EQ(shot.pixelColor(selected.right() - 1, selected.bottom() - 1), QColor(128, 128, 128));
    const QRect empty = play->sgRLG->CellRect(2, 0);
    EXPECT_EQ(shot.pixelColor(empty.center()), QColor(68, 72, 78));
}

TEST_F(PileViewer, LastCellToFirstMakesItTheTopCardAndTheNextDraw) {
    newGame();
    doubleClick(play->pbLibP1);
    const int h = game().LibraryLast(p1);
    const std::string bottom = libraryName(p1, 0);
    const std::string top = libraryName(p1, h);
    dragCell(h, grid(), cellCenter(0));
    EXPECT_EQ(libraryName(p1, h), bottom);
    EXPECT_EQ(libraryName(p1, h - 1), top);
    EXPECT_EQ(play->sgRLG->Row() * 3 + play->sgRLG->Col(), 0);
    EXPECT_FALSE(play->DragActive());
    QTest::mouseClick(play->sbDrawP1, Qt::LeftButton);
    EXPECT_EQ(play->lbHandP1->item(play->lbHandP1->count() - 1)->text(), ToDisplay(bottom));
    EXPECT_EQ(play->plRLGTop->text(), QStringLiteral("Player1 - Library: 5 cards"));
}

TEST_F(PileViewer, DropsInsideTheGrid) {
    newGame();
    doubleClick(play->pbLibP1);
    const int h = game().LibraryLast(p1);
    std::vector<std::string> before;
    for (int i = 0; i <= h; ++i)
        before.push_back(libraryName(p1, i));
    // On its own cell, and past the last card (lowered to the last): the order stays for
    // the first, the card goes to the bottom for the second.
    dragCell(2, grid(), cellCenter(2));
    for (int i = 0; i <= h; ++i)
        EXPECT_EQ(libraryName(p1, i), before[static_cast<std::size_t>(i)]);
    dragCell(1, grid(), cellCenter(7));
    EXPECT_EQ(libraryName(p1, 0), before[static_cast<std::size_t>(h - 1)]);
    EXPECT_EQ(libraryName(p1, h), before[static_cast<std::size_t>(h)]);
    EXPECT_EQ(game().LibraryLast(p1), h);
}

TEST_F(PileViewer, DropsOnPilesOfTheSamePlayerOnly) {
    newGame();
    struct Case {
        const char* pile;
        QWidget* target;
        int library, graveyard, removed; // counts of player 1 after the drop
    } cases[] = {
        {"LibP1", play->pbGreivP2, 6, 0, 0},  // the other player's pile: nothing
        {"LibP1", play->pbRemoveP2, 6, 0, 0}, //
        {"LibP1", play->pbGreivP1, 5, 1, 0},  //
        {"LibP1", play->pbRemoveP1, 4, 1, 1}, //
        {"GreivP1", play->pbLibP2, 4, 1, 1},  //
        {"GreivP1", play->pbLibP1, 5, 0, 1},  // back on top of the library
    };
    for (const Case& c : cases) {
        const bool library = std::string(c.pile) == "LibP1";
        doubleClick(library ? play->pbLibP1 : play->pbGreivP1);
        ASSERT_EQ(play->ViewerPile, c.pile);
        const std::string top = library ? libraryName(p1, game().LibraryLast(p1))
                                        : graveName(p1, game().GraveyardLast(p1));
        dragCell(0, c.target, QPoint(35, 45));
        // A drop on a pile picture closes the viewer, moved or not.
        EXPECT_FALSE(play->plRLG->isVisible()) << c.pile;
        EXPECT_EQ(play->ViewerPile, "");
        EXPECT_EQ(game().LibraryLast(p1) + 1, c.library) << c.pile;
        EXPECT_EQ(game().GraveyardLast(p1) + 1, c.graveyard) << c.pile;
        EXPECT_EQ(game().RemovedLast(p1) + 1, c.removed) << c.pile;
        EXPECT_EQ(game().LibraryLast(p2) + 1, 7);
        EXPECT_EQ(game().GraveyardLast(p2) + 1, 0);
        EXPECT_EQ(game().RemovedLast(p2) + 1, 0);
        if (library && c.target == play->pbGreivP1) {
            EXPECT_EQ(graveName(p1, game().GraveyardLast(p1)), top);
        }
        if (!library && c.target == play->pbLibP1) {
            EXPECT_EQ(libraryName(p1, game().LibraryLast(p1)), top);
        }
        EXPECT_EQ(play->pbLibP1->toolTip(),
                  QStringLiteral("Library: %1 cards").arg(game().LibraryLast(p1) + 1));
        EXPECT_EQ(play->pbGreivP1->toolTip(),
                  QStringLiteral("Graveyard: %1 cards").arg(game().GraveyardLast(p1) + 1));
    }
}

TEST_F(PileViewer, AGraveyardCardGoesToItsOwnersHandWhicheverListTookIt) {
    newGame();
    game().LibraryToGraveyard(p1, 0);
    game().LibraryToGraveyard(p1, 0);
    play->RedrawAllPiles();
    doubleClick(play->pbGreivP1);
    const std::string top = graveName(p1, 1);
    dragCell(0, play->lbHandP2->viewport(), QPoint(20, 20));
    EXPECT_EQ(game().HandLast(p1), 7);
    EXPECT_EQ(game().HandLast(p2), 6);
    EXPECT_EQ(play->lbHandP1->count(), 8);
    EXPECT_EQ(play->lbHandP2->count(), 7);
    EXPECT_EQ(play->lbHandP1->item(7)->text(), ToDisplay(top));
    EXPECT_EQ(game().GraveyardLast(p1), 0);
    EXPECT_TRUE(play->plRLG->isVisible());
    EXPECT_EQ(play->plRLGTop->text(), QStringLiteral("Player1 - Graveyard: 1 cards"));
}

TEST_F(PileViewer, ALibraryCardDroppedOnTheTableLandsAtTheDropPoint) {
    newGame();
    doubleClick(play->pbLibP1);
    const int h = game().LibraryLast(p1);
    const std::string name = libraryName(p1, h - 1);
    dragCell(1, play->pbPlay, QPoint(500, 300));
    ASSERT_EQ(game().TableLast(), 0);
    const auto card = game().TableCard(0);
    EXPECT_EQ(card->Card.Name, name);
    EXPECT_EQ(QPoint(card->X, card->Y), QPoint(469, 269));
    EXPECT_EQ(game().LibraryLast(p1), h - 1);
    QImage tile;
    DrawTableTile(*card, tile, QRect(0, 0, 100, 100),
                  {db.PicDir, db.DataDir, &play->ArtCache().Pictures});
    EXPECT_EQ(play->Board().copy(469, 269, 100, 100), tile.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(play->plRLGTop->text(), QStringLiteral("Player1 - Library: 5 cards"));
}

TEST_F(PileViewer, ADragWhoseCardIsGoneMovesNothing) {
    newGame();
    doubleClick(play->pbLibP1);
    const int h = game().LibraryLast(p1);
    const QPoint start = cellCenter(h);
    QTest::mousePress(grid(), Qt::LeftButton, {}, start);
    QTest::mouseMove(grid(), start + QPoint(12, 8));
    ASSERT_TRUE(play->DragActive());
    // Two cards leave the library meanwhile: position h holds no card any more.
    game().LibraryToRemoved(p1, 0);
    game().LibraryToRemoved(p1, 0);
    QTest::mouseMove(play->pbPlay, QPoint(500, 300));
    QTest::mouseRelease(play->pbPlay, Qt::LeftButton, {}, QPoint(500, 300));
    EXPECT_EQ(game().TableLast(), -1);
    EXPECT_EQ(game().LibraryLast(p1), h - 2);
    EXPECT_FALSE(play->DragActive());
    EXPECT_EQ(play->plRLGTop->text(), QStringLiteral("Player1 - Library: 4 cards"));
}

TEST_F(PileViewer, ShuffleClosesItAndKeepsTheCards) {
    newGame(7 + 30, 14);
    doubleClick(play->pbLibP1);
    std::vector<std::string> before;
    for (int i = 0; i <= game().LibraryLast(p1); ++i)
        before.push_back(libraryName(p1, i));
    QTest::mouseClick(play->sbShuffle, Qt::LeftButton);
    EXPECT_FALSE(play->plRLG->isVisible());
    EXPECT_EQ(play->ViewerPile, "");
    std::vector<std::string> after;
    for (int i = 0; i <= game().LibraryLast(p1); ++i)
        after.push_back(libraryName(p1, i));
    std::vector<std::string> a = before, b = after;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    EXPECT_EQ(a, b);
    EXPECT_NE(before, after); // 30 cards of two names: the same order is most unlikely
}

TEST_F(PileViewer, ATallPileStaysInsideTheTableAndScrolls) {
    newGame(7 + 60, 14);
    play->resize(1100, 330);
    QApplication::processEvents();
    doubleClick(play->pbLibP1);
    ASSERT_TRUE(play->plRLG->isVisible());
    EXPECT_EQ(play->sgRLG->RowCount(), 21);
    EXPECT_TRUE(play->Panel2->rect().contains(play->plRLG->geometry()));
    QScrollBar* bar = play->sgRLG->verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    QWheelEvent wheel(QPointF(50, 50), play->sgRLG->viewport()->mapToGlobal(QPointF(50, 50)),
                      QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(play->sgRLG->viewport(), &wheel);
    EXPECT_GT(bar->value(), 0);
    // A cell still maps to its pile position after scrolling.
    const int h = game().LibraryLast(p1);
    QTest::mouseClick(grid(), Qt::LeftButton, {}, QPoint(170, 40));
    const int p = play->sgRLG->Row() * 3 + play->sgRLG->Col();
    EXPECT_GT(p, 3);
    const auto card = game().PrepareLibraryCard(p1, h - p);
    EXPECT_EQ(play->pbCardViewPlay->toolTip(), ToDisplay(PlainCardText(card->Card.Text)));
}

TEST_F(PileViewer, AnOpenViewerFollowsCardsPutOnItsPile) {
    newGame(); // player 1: 6 cards in the library, 3 rows
    for (int i = 0; i < 3; ++i)
        game().HandToTable(p1, 0, false, 300 + 120 * i, 300);
    play->RefillHand(1);
    play->FullRedraw();
    doubleClick(play->pbLibP1);
    ASSERT_EQ(play->sgRLG->RowCount(), 3);
    for (int i = 0; i < 3; ++i) {
        const QPoint at(350 + 120 * i, 350);
        QTest::mousePress(play->pbPlay, Qt::RightButton, {}, at);
        play->IAPMPlayCard->Close();
        emit play->IAPMPlayCard->ItemSelected(QStringLiteral("Put on top of owner's library"));
    }
    EXPECT_EQ(game().LibraryLast(p1), 8);
    EXPECT_TRUE(play->plRLG->isVisible());
    EXPECT_EQ(play->plRLGTop->text(), QStringLiteral("Player1 - Library: 9 cards"));
    // Nine cards fill three rows: a fourth, empty one follows, and every card has a cell.
    EXPECT_EQ(play->sgRLG->RowCount(), 4);
    QTest::mouseClick(grid(), Qt::LeftButton, {}, cellCenter(8));
    const auto bottom = game().PrepareLibraryCard(p1, 0);
    EXPECT_EQ(play->pbCardViewPlay->toolTip(), ToDisplay(PlainCardText(bottom->Card.Text)));
}

TEST_F(PileViewer, ASplitCardComesOutOfTheGraveyardAsTheChosenHalf) {
    const struct {
        TClickImage* TfmSplit::*Picture;
        const char* Half;
    } cases[] = {{&TfmSplit::imSp1, "Hush/Howl (Hush)"}, {&TfmSplit::imSp2, "Hush/Howl (Howl)"}};
    for (const auto& c : cases) {
        PlayTestDecks().Player1Deck = deckOf({{10, "[EM] - Crag Runner"}});
        PlayTestDecks().Player2Deck = deckOf({{10, "[EM] - Hush/Howl"}});
        QTimer::singleShot(0, [this] { QTest::mouseClick(loadDeck->bbOk, Qt::LeftButton); });
        QTest::mouseClick(play->sbNewGame, Qt::LeftButton);
        game().LibraryToGraveyard(p2, 0);
        game().LibraryToGraveyard(p2, 0);
        play->RedrawAllPiles();
        doubleClick(play->pbGreivP2);
        ASSERT_EQ(play->ViewerPile, "GreivP2");
        // The split dialog is answered once it shows.
        auto* timer = new QTimer(play.get());
        timer->setInterval(5);
        QObject::connect(timer, &QTimer::timeout, [this, timer, &c] {
            if (!play->fmSplit->isVisible())
                return;
            timer->stop();
            timer->deleteLater();
            QTest::mouseClick(play->fmSplit->*c.Picture, Qt::LeftButton, {}, QPoint(50, 50));
        });
        timer->start();
        dragCell(1, play->pbPlay, QPoint(400, 300));
        ASSERT_EQ(game().TableLast(), 0);
        const auto card = game().TableCard(0);
        EXPECT_EQ(card->Card.Name, c.Half);
        EXPECT_EQ(card->Owner, p2);
        EXPECT_EQ(card->Controller, p2);
        EXPECT_EQ(card->Untapped, 1);
        EXPECT_EQ(card->Counters, "");
        EXPECT_EQ(QPoint(card->X, card->Y), QPoint(369, 269));
        EXPECT_EQ(game().GraveyardLast(p2), 0);
        EXPECT_NE(play->Board().pixel(420, 320), TableColor.rgb());
        EXPECT_EQ(play->pbGreivP2->toolTip(), QStringLiteral("Graveyard: 1 cards"));
    }
}
