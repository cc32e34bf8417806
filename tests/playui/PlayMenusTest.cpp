// The table card menu and the hand menus of the play table, on the real window under the
// offscreen platform: the menus opened by right clicks, their entries picked with the mouse,
// every command checked in the engine and on the board.
#include "core/UCardDatabase.h"
#include "core/URandom.h"
#include "deck/UDeckEDLogic.h"
#include "play/UGameArt.h"
#include "play/UNewTest.h"
#include "play/UTest.h"
#include "play/UfmTest.h"
#include "play/uPT.h"
#include "render/UTableTile.h"
#include "tests/playui/PlayTableFixture.h"
#include "tests/testkit/TestKit.h"
#include "tools/UCardPictures.h"
#include "widgets/UAnimatedMenu.h"
#include "widgets/UMessages.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace zandor;
using namespace zandor::test;

namespace {

// Finds the way to the first entry with the caption: the row at each level.
bool pathTo(const TMenuItem& item, const QString& caption, std::vector<int>& path) {
    for (int row = 0; row < static_cast<int>(item.Items.size()); ++row) {
        path.push_back(row);
        const TMenuItem& entry = *item.Items[static_cast<std::size_t>(row)];
        if (entry.Caption == caption || pathTo(entry, caption, path))
            return true;
        path.pop_back();
    }
    return false;
}

struct PlayMenus : TPlayTableFixture {

    // Player 1 holds the warband, the banner, the golem and the boar; player 2 boars only.
    void mixedGame() {
        newGame(deckOf({{3, "[4E] - Kessik Warband"},
                        {3, "[EM] - Banner of the Hold"},
                        {3, "[4E] - Driftwood Golem"},
                        {12, "[4E] - Barkhide Boar"},
                        {3, "[EM] - Crag Runner"}}),
                deckOf({{10, "[4E] - Barkhide Boar"}}));
    }
    // Brings a card of the player's library (or graveyard) by name to the table at (x, y).
    int put(int player, const std::string& name, int x, int y) {
        const std::string owner = player == 1 ? TfmPlay::Player1 : TfmPlay::Player2;
        bool found = false;
        for (int i = 0; i <= game().LibraryLast(owner) && !found; ++i)
            if (game().PrepareLibraryCard(owner, i)->Card.Name == name)
                found = game().LibraryToTable(owner, i, false, x, y) || true;
        for (int i = 0; i <= game().GraveyardLast(owner) && !found; ++i)
            if (game().PrepareGraveyardCard(owner, i)->Card.Name == name)
                found = game().GraveyardToTable(owner, i, false, x, y) || true;
        if (!found) {
            ADD_FAILURE() << "no " << name << " in the library or graveyard";
            return -1;
        }
        play->RedrawAllPiles();
        play->FullRedraw();
        return game().TableLast();
    }
    // A right click on the table at the point, then the entry picked with the mouse.
    void command(QPoint at, const QString& caption) {
        QTest::mousePress(play->pbPlay, Qt::RightButton, {}, at);
        QTest::mouseRelease(play->pbPlay, Qt::RightButton, {}, at);
        ASSERT_TRUE(play->IAPMPlayCard->IsOpen());
        pick(play->IAPMPlayCard, caption);
    }
    void pick(TAnimatedPopupMenu* menu, const QString& caption) {
        std::vector<int> path;
        ASSERT_TRUE(pathTo(menu->Root(), caption, path)) << caption.toStdString();
        for (std::size_t level = 0; level < path.size(); ++level) {
            TMenuPanel* panel = menu->Panel(static_cast<int>(level));
            ASSERT_NE(panel, nullptr) << caption.toStdString();
            const QRect row = panel->RowRect(path[level]);
            QTest::mouseMove(panel, row.topLeft() + QPoint(2, 2));
            QTest::mouseMove(panel, row.center());
            if (level + 1 == path.size()) {
                QTest::mousePress(panel, Qt::LeftButton, {}, row.center());
                QTest::mouseRelease(panel, Qt::LeftButton, {}, row.center());
            }
        }
        EXPECT_FALSE(menu->IsOpen());
    }
    // The next P/T box is answered with text once it shows; what it first showed is kept.
    QString shownInBox;
    void answerBox(const QString& text) {
        auto* timer = new QTimer(play.get());
        timer->setInterval(5);
        QObject::connect(timer, &QTimer::timeout, [this, text, timer] {
            if (!play->fmPT->isVisible())
                return;
            timer->stop();
            timer->deleteLater();
            shownInBox = play->fmPT->edPT->text();
            play->fmPT->edPT->setText(text);
            QTest::mouseClick(play->fmPT->SpeedButton2, Qt::LeftButton);
        });
        timer->start();
    }
    // The board shows the tile of table card i at its place.
    void expectTileShown(int i) {
        const auto card = game().TableCard(i);
        ASSERT_TRUE(card);
        QImage tile;
        DrawTableTile(*card, tile, QRect(0, 0, 100, 100),
                      {db.PicDir, db.DataDir, &play->ArtCache().Pictures});
        EXPECT_EQ(play->Board().copy(card->X, card->Y, 100, 100),
                  tile.convertToFormat(QImage::Format_RGB32));
        EXPECT_EQ(play->Display().copy(card->X, card->Y, 100, 100),
                  play->Board().copy(card->X, card->Y, 100, 100));
    }
};

const QPoint onCard(150, 150); // inside a card put at (100, 100)

} // namespace

TEST_F(PlayMenus, CardMenuHoldsEveryEntryInOrderWithItsPictures) {
    TAnimatedPopupMenu* menu = play->IAPMPlayCard;
    QStringList top;
    for (const auto& entry : menu->Root().Items)
        top << entry->Caption;
    EXPECT_EQ(top, (QStringList{"Put on top of owner's library", "Put on bottom of owner's library",
                                "Return to hand", "New Item", "Set Counters...", "Add Counter",
                                "Remove Counter", "New Item", "Tap/UnTap", "Flip Card Over",
                                "Change P/T", "Create Token", "Color Lace"}));
    const TMenuItem* caunter = menu->Find(QStringLiteral("Caunter"));
    ASSERT_NE(caunter, nullptr);
    ASSERT_EQ(caunter->Items.size(), 1u);
    EXPECT_EQ(caunter->Items[0]->Caption, QStringLiteral("(1)"));
    EXPECT_FALSE(caunter->Items[0]->Picture.isNull());
    QStringList colours;
    for (const auto& entry : menu->Find(QStringLiteral("Color Lace"))->Items) {
        colours << entry->Caption;
        const bool spot = entry->Caption != QLatin1String("New Item") &&
                          entry->Caption != QLatin1String("Reset Color");
        EXPECT_EQ(!entry->Picture.isNull(), spot) << entry->Caption.toStdString();
    }
    EXPECT_EQ(colours, (QStringList{"Blue", "Black", "Red", "Green", "White", "Colorless",
                                    "New Item", "Reset Color"}));
    EXPECT_EQ(menu->Find(QStringLiteral("Create Token"))->Items[0]->Caption,
              QStringLiteral("Token from Card"));
    for (TAnimatedPopupMenu* hand : {play->IAPMHandP1, play->IAPMHandP2}) {
        ASSERT_EQ(hand->Root().Items.size(), 2u);
        EXPECT_EQ(hand->Root().Items[0]->Caption, QStringLiteral("Discard random card"));
        EXPECT_EQ(hand->Root().Items[1]->Caption, QStringLiteral("Call Mulligan"));
    }
}

TEST_F(PlayMenus, RightClickOpensTheCardMenuOnlyOverACard) {
    mixedGame();
    put(1, "Barkhide Boar", 100, 100);
    QTest::mousePress(play->pbPlay, Qt::RightButton, {}, QPoint(400, 400));
    EXPECT_FALSE(play->IAPMPlayCard->IsOpen());
    QTest::mousePress(play->pbPlay, Qt::RightButton, {}, onCard);
    ASSERT_TRUE(play->IAPMPlayCard->IsOpen());
    EXPECT_EQ(play->IAPMPlayCard->Panel(0)->pos(), play->pbPlay->mapToGlobal(onCard));
    EXPECT_EQ(play->ClickPoint(), onCard);
    play->IAPMPlayCard->Close();
}

TEST_F(PlayMenus, CounterCommands) {
    mixedGame();
    struct Case {
        const char* name;
        std::vector<std::pair<QString, QString>> steps; // caption, text typed into the box
        std::string counters;
    } cases[] = {
        {"(1) without counters", {{"(1)", ""}}, "1"},
        {"remove from 1", {{"(1)", ""}, {"Remove Counter", ""}}, "0"},
        {"remove from 0", {{"(1)", ""}, {"Remove Counter", ""}, {"Remove Counter", ""}}, "0"},
        {"remove without counters", {{"Remove Counter", ""}}, ""},
        {"set 3 then (1)", {{"Set Counters...", "3"}, {"(1)", ""}}, "4"},
        {"set x keeps", {{"Set Counters...", "2"}, {"Set Counters...", "x"}}, "2"},
        {"set empty keeps", {{"Set Counters...", "2"}, {"Set Counters...", ""}}, "2"},
        {"set too large keeps",
         {{"Set Counters...", "2"}, {"Set Counters...", "99999999999"}},
         "2"},
        {"set below zero gives 0", {{"Set Counters...", "-3"}}, "0"},
    };
    for (const Case& c : cases) {
        const int i = put(1, "Barkhide Boar", 100, 100);
        // Another card on top elsewhere: the command brings its own card to the front.
        put(1, "Barkhide Boar", 400, 100);
        for (const auto& [caption, text] : c.steps) {
            if (caption == QLatin1String("Set Counters..."))
                answerBox(text);
            command(onCard, caption);
            if (caption == QLatin1String("Set Counters...")) {
                EXPECT_EQ(shownInBox, QString()) << c.name;
            }
        }
        const int last = game().TableLast();
        EXPECT_EQ(game().TableCard(last)->Counters, c.counters) << c.name;
        EXPECT_EQ(game().TableCard(last)->X, 100) << c.name;
        expectTileShown(last);
        while (game().TableLast() >= 0)
            game().TableToGraveyard(0, false);
        (void)i;
    }
}

TEST_F(PlayMenus, FourCountersAreDrawnAtSeventeenPixelSteps) {
    mixedGame();
    put(1, "Barkhide Boar", 100, 100);
    answerBox(QStringLiteral("3"));
    command(onCard, QStringLiteral("Set Counters..."));
    command(onCard, QStringLiteral("(1)"));
    ASSERT_EQ(game().TableCard(0)->Counters, "4");
    expectTileShown(0);
    // The fourth counter differs from the tile with three.
    TMCardPlay three = *game().TableCard(0);
    three.Counters = "3";
    QImage tile;
    DrawTableTile(three, tile, QRect(0, 0, 100, 100),
                  {db.PicDir, db.DataDir, &play->ArtCache().Pictures});
    EXPECT_NE(play->Board().copy(100, 100, 100, 100), tile.convertToFormat(QImage::Format_RGB32));
}

TEST_F(PlayMenus, TapFlipAndFaceDownCards) {
    mixedGame();
    put(1, "Barkhide Boar", 100, 100);
    command(onCard, QStringLiteral("Tap/UnTap"));
    EXPECT_EQ(game().TableCard(0)->Untapped, 0);
    expectTileShown(0);
    command(onCard, QStringLiteral("Tap/UnTap"));
    EXPECT_EQ(game().TableCard(0)->Untapped, 1);
    command(onCard, QStringLiteral("Flip Card Over"));
    EXPECT_EQ(game().TableCard(0)->FaceDown, 1);
    expectTileShown(0);
    // A face-down card is not tapped.
    command(onCard, QStringLiteral("Tap/UnTap"));
    EXPECT_EQ(game().TableCard(0)->Untapped, 1);
    command(onCard, QStringLiteral("Flip Card Over"));
    EXPECT_EQ(game().TableCard(0)->FaceDown, 0);
}

TEST_F(PlayMenus, ChangePTOnlyForCreaturesAndFromThePrintedValue) {
    mixedGame();
    QSignalSpy boxes(play->fmPT, &QDialog::finished);
    put(1, "Banner of the Hold", 100, 100);
    command(onCard, QStringLiteral("Change P/T"));
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(game().TableCard(0)->Card.PT, "");
    game().TableToGraveyard(0, false);

    put(1, "Driftwood Golem", 100, 100);
    answerBox(QStringLiteral("5/6"));
    command(onCard, QStringLiteral("Change P/T"));
    EXPECT_EQ(boxes.count(), 1);
    EXPECT_EQ(shownInBox, QStringLiteral("3/3"));
    EXPECT_EQ(game().TableCard(0)->Card.PT, "5/6");
    expectTileShown(0);
    answerBox(QStringLiteral("4/4"));
    command(onCard, QStringLiteral("Change P/T"));
    EXPECT_EQ(shownInBox, QStringLiteral("3/3")); // the printed value, not the changed one
    EXPECT_EQ(game().TableCard(0)->Card.PT, "4/4");
}

TEST_F(PlayMenus, TokenFromCardOnlyWithATokenConstruct) {
    mixedGame();
    put(1, "Crag Runner", 100, 100);
    command(onCard, QStringLiteral("Token from Card"));
    EXPECT_EQ(game().TableLast(), 0);
    game().TableToGraveyard(0, false);

    put(1, "Kessik Warband", 100, 100);
    put(1, "Barkhide Boar", 300, 100);
    const QPoint click(137, 121);
    command(click, QStringLiteral("Token from Card"));
    ASSERT_EQ(game().TableLast(), 2);
    const auto token = game().TableCard(2);
    EXPECT_EQ(token->Card.Name, "Goblin Whelp");
    EXPECT_EQ(QPoint(token->X, token->Y), click + QPoint(1, 1));
    EXPECT_EQ(token->Owner, TfmPlay::Player1);
    // The source card stays where it lay in the drawing order.
    EXPECT_EQ(game().TableCard(0)->Card.Name, "Kessik Warband");
    expectTileShown(2);
    // The token leaves the game when it goes to a pile.
    const int library = game().LibraryLast(TfmPlay::Player1);
    command(click + QPoint(5, 5), QStringLiteral("Put on top of owner's library"));
    EXPECT_EQ(game().TableLast(), 1);
    EXPECT_EQ(game().LibraryLast(TfmPlay::Player1), library);
}

TEST_F(PlayMenus, CardsGoBackToTheirOwnersZones) {
    mixedGame();
    struct Case {
        int owner;
        const char* caption;
    } cases[] = {{1, "Put on top of owner's library"},
                 {2, "Put on top of owner's library"},
                 {2, "Put on bottom of owner's library"},
                 {1, "Put on bottom of owner's library"},
                 {1, "Return to hand"},
                 {2, "Return to hand"}};
    for (const Case& c : cases) {
        const std::string owner = c.owner == 1 ? TfmPlay::Player1 : TfmPlay::Player2;
        put(c.owner, "Barkhide Boar", 100, 100);
        game().BringToFront(game().TableLast());
        const auto card = game().TableCard(game().TableLast());
        const int library = game().LibraryLast(owner);
        const int hand = game().HandLast(owner);
        command(onCard, QString::fromLatin1(c.caption));
        EXPECT_EQ(game().TableLast(), -1) << c.caption;
        const std::string caption = c.caption;
        QListWidget* list = c.owner == 1 ? play->lbHandP1 : play->lbHandP2;
        if (caption == "Return to hand") {
            EXPECT_EQ(game().HandLast(owner), hand + 1);
            EXPECT_EQ(list->count(), hand + 2);
            EXPECT_EQ(list->item(hand + 1)->text(), QStringLiteral("Barkhide Boar"));
        } else {
            EXPECT_EQ(game().LibraryLast(owner), library + 1) << c.caption;
            const int at = caption.find("top") != std::string::npos ? library + 1 : 0;
            EXPECT_EQ(game().PrepareLibraryCard(owner, at)->Card.Name, card->Card.Name);
            QWidget* pile = c.owner == 1 ? play->pbLibP1 : play->pbLibP2;
            EXPECT_EQ(pile->toolTip(), QStringLiteral("Library: %1 cards").arg(library + 2));
        }
        // The square is table colour again.
        EXPECT_EQ(play->Board().pixel(150, 150), TableColor.rgb()) << c.caption;
        EXPECT_EQ(play->Display().pixel(150, 150), TableColor.rgb()) << c.caption;
    }
}

TEST_F(PlayMenus, ColoursAndResetColor) {
    mixedGame();
    put(1, "Barkhide Boar", 100, 100);
    const std::pair<const char*, const char*> cases[] = {
        {"Blue", "U"},  {"Black", "B"},       {"Red", "R"},        {"Green", "G"},
        {"White", "W"}, {"Colorless", "Art"}, {"Reset Color", "G"}};
    for (const auto& [caption, code] : cases) {
        command(onCard, QString::fromLatin1(caption));
        EXPECT_EQ(game().TableCard(0)->Card.Color.str(), code) << caption;
        expectTileShown(0);
    }
    // Colorless then Reset Color draws the green background again.
    command(onCard, QStringLiteral("Colorless"));
    const QImage grey = play->Board().copy(100, 100, 100, 100);
    command(onCard, QStringLiteral("Reset Color"));
    EXPECT_NE(play->Board().copy(100, 100, 100, 100), grey);
    expectTileShown(0);
}

TEST_F(PlayMenus, ACommandWhoseCardLeftTheTableDoesNothing) {
    mixedGame();
    put(1, "Barkhide Boar", 100, 100); // under the other
    put(1, "Driftwood Golem", 110, 110);
    QTest::mousePress(play->pbPlay, Qt::RightButton, {}, onCard);
    ASSERT_TRUE(play->IAPMPlayCard->IsOpen());
    play->IAPMPlayCard->Close();
    // The golem goes while the menu's command is on its way; the boar lies at the point now.
    game().TableToGraveyard(1, false);
    for (const char* caption : {"Flip Card Over", "Tap/UnTap", "(1)", "Red",
                                "Put on top of owner's library", "Return to hand"})
        emit play->IAPMPlayCard->ItemSelected(QString::fromLatin1(caption));
    ASSERT_EQ(game().TableLast(), 0);
    const auto boar = game().TableCard(0);
    EXPECT_EQ(boar->FaceDown, 0);
    EXPECT_EQ(boar->Untapped, 1);
    EXPECT_EQ(boar->Counters, "");
    EXPECT_EQ(boar->Card.Color.str(), "G");
}

TEST_F(PlayMenus, EntriesWithoutACommandChangeNothing) {
    mixedGame();
    put(1, "Barkhide Boar", 100, 100);
    const auto before = *game().TableCard(0);
    const QImage board = play->Board();
    for (const char* caption :
         {"New Item", "Add Counter", "Caunter", "Create Token", "Color Lace"}) {
        QTest::mousePress(play->pbPlay, Qt::RightButton, {}, onCard);
        emit play->IAPMPlayCard->ItemSelected(QString::fromLatin1(caption));
        play->IAPMPlayCard->Close();
    }
    const auto after = *game().TableCard(0);
    EXPECT_EQ(after.Counters, before.Counters);
    EXPECT_EQ(after.Untapped, before.Untapped);
    EXPECT_EQ(after.Card.Color.str(), before.Card.Color.str());
    EXPECT_EQ(play->Board(), board);
}

TEST_F(PlayMenus, HandMenusWantASelectedItem) {
    newGame(deckOf({{20, "[4E] - Barkhide Boar"}}), deckOf({{20, "[EM] - Crag Runner"}}));
    struct Case {
        int player;
        const char* caption;
        bool select;
        int hand, graveyard, library;
    } cases[] = {
        {1, "Call Mulligan", false, 7, 0, 13},
        {1, "Discard random card", false, 7, 0, 13},
        {2, "Call Mulligan", true, 6, 0, 14},
        {1, "Discard random card", true, 6, 1, 13},
    };
    for (const Case& c : cases) {
        QListWidget* list = c.player == 1 ? play->lbHandP1 : play->lbHandP2;
        const std::string name = c.player == 1 ? TfmPlay::Player1 : TfmPlay::Player2;
        const QPoint at = c.select ? list->visualItemRect(list->item(2)).center() : QPoint(40, 95);
        QTest::mousePress(list->viewport(), Qt::RightButton, {}, at);
        TAnimatedPopupMenu* menu = c.player == 1 ? play->IAPMHandP1 : play->IAPMHandP2;
        ASSERT_TRUE(menu->IsOpen());
        EXPECT_EQ(list->currentRow(), c.select ? 2 : -1);
        pick(menu, QString::fromLatin1(c.caption));
        EXPECT_EQ(game().HandLast(name) + 1, c.hand) << c.caption;
        EXPECT_EQ(list->count(), c.hand) << c.caption;
        EXPECT_EQ(game().GraveyardLast(name) + 1, c.graveyard) << c.caption;
        EXPECT_EQ(game().LibraryLast(name) + 1, c.library) << c.caption;
        EXPECT_EQ(
            play->pbLibP1->toolTip(),
            QStringLiteral("Library: %1 cards").arg(game().LibraryLast(TfmPlay::Player1) + 1));
    }
}

TEST_F(PlayMenus, RandomDiscardTakesTheCardTheGeneratorNames) {
    newGame(
        deckOf(
            {{3, "[4E] - Barkhide Boar"}, {3, "[EM] - Crag Runner"}, {3, "[4E] - Kessik Warband"}}),
        deckOf({{8, "[EM] - Crag Runner"}}));
    TLinearRandom generator(12345);
    TLinearRandom twin(12345);
    TRandomGenerator* old = SetRandomGenerator(&generator);
    const int expected = twin.Next(7);
    std::vector<std::string> names;
    game().HandNames(TfmPlay::Player1, names);
    play->lbHandP1->setCurrentRow(0);
    emit play->IAPMHandP1->ItemSelected(QStringLiteral("Discard random card"));
    SetRandomGenerator(old);
    EXPECT_EQ(game().PrepareGraveyardCard(TfmPlay::Player1, 0)->Card.Name,
              names[static_cast<std::size_t>(expected)]);
    EXPECT_EQ(play->lbHandP1->count(), 6);
    EXPECT_EQ(play->lbHandP1->currentRow(), expected < 6 ? expected : -1);
    EXPECT_EQ(play->pbGreivP1->toolTip(), QStringLiteral("Graveyard: 1 cards"));
}

TEST_F(PlayMenus, RandomDiscardOfTheLastCardEmptiesTheHand) {
    newGame(deckOf({{1, "[4E] - Barkhide Boar"}}), deckOf({{8, "[EM] - Crag Runner"}}));
    ASSERT_EQ(play->lbHandP1->count(), 1);
    play->lbHandP1->setCurrentRow(0);
    emit play->IAPMHandP1->ItemSelected(QStringLiteral("Discard random card"));
    EXPECT_EQ(play->lbHandP1->count(), 0);
    EXPECT_EQ(game().GraveyardLast(TfmPlay::Player1), 0);
    // Once more on the empty hand: nothing.
    emit play->IAPMHandP1->ItemSelected(QStringLiteral("Discard random card"));
    emit play->IAPMHandP1->ItemSelected(QStringLiteral("Call Mulligan"));
    EXPECT_EQ(game().GraveyardLast(TfmPlay::Player1), 0);
    EXPECT_EQ(game().LibraryLast(TfmPlay::Player1), -1);
}
