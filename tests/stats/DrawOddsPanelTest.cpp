// The draw odds panel of the statistics window, on the sample card base and deck, driven
// by clicks on the table and keys typed into its count cells.
#include "core/UTextFile.h"
#include "stats/UDeckStat.h"
#include "widgets/UMessages.h"

#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace zandor;

namespace {

struct OddsPanel : ::testing::Test {
    TCardDatabase db;
    std::unique_ptr<TfmStat> form;
    std::vector<TMessage> messages;

    void SetUp() override {
        LoadCardDatabase(db, ProgramFolder(), ZANDOR_SOURCE_DIR "/data");
        SetMessageAnswerer([this](const TMessage& m) {
            messages.push_back(m);
            return true;
        });
        form = std::make_unique<TfmStat>(db);
        const auto deck = ReadTextLines(ZANDOR_SOURCE_DIR "/data/decks/tidewall.dec");
        ASSERT_TRUE(deck);
        ASSERT_TRUE(form->LoadDeck(*deck));
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    void TearDown() override {
        form.reset();
        SetMessageAnswerer({});
    }
    int rowOf(const QString& name) {
        for (int row = 0; row < form->sgDeck->rowCount(); ++row)
            if (form->sgDeck->item(row, 0)->text() == name)
                return row;
        return -1;
    }
    void clickRow(int row) {
        QTableWidgetItem* item = form->sgDeck->item(row, 0);
        form->sgDeck->scrollToItem(item);
        QTest::mouseClick(form->sgDeck->viewport(), Qt::LeftButton, {},
                          form->sgDeck->visualItemRect(item).center());
    }
    QString odds(int turn, int atLeast) { return form->sgOdds->item(turn, atLeast)->text(); }
};

} // namespace

TEST_F(OddsPanel, ShowsTheOddsOfTheSelectedRowAndFollowsTheEditedCounts) {
    EXPECT_EQ(form->plOdds->text(), QStringLiteral("Draw Odds"));
    EXPECT_EQ(form->plOdds->geometry().left(), 686);
    EXPECT_GE(form->width(), form->sgOdds->geometry().right());
    // Every value fits its cell: none is cut short with an ellipsis.
    const QFontMetrics metrics(form->sgOdds->font());
    EXPECT_LE(metrics.horizontalAdvance(QStringLiteral("100.00%")) + 6,
              form->sgOdds->columnWidth(1));
    EXPECT_LE(metrics.horizontalAdvance(QStringLiteral("Turn 7 (14)")) + 6,
              form->sgOdds->columnWidth(0));
    EXPECT_EQ(form->lbOddsCard->text(), QStringLiteral("Select a card in the table."));
    EXPECT_EQ(odds(0, 1), QString());
    EXPECT_EQ(form->sgOdds->item(0, 0)->text(), QStringLiteral("Hand (7)"));
    EXPECT_EQ(form->sgOdds->item(7, 0)->text(), QStringLiteral("Turn 7 (14)"));

    const int herald = rowOf(QStringLiteral("Gull Herald"));
    ASSERT_GE(herald, 0);
    clickRow(herald);
    EXPECT_EQ(form->lbOddsCard->text(),
              QStringLiteral("Gull Herald\n4 of 60 cards in the main deck"));
    EXPECT_EQ(odds(0, 1), QStringLiteral("39.95%"));
    EXPECT_EQ(odds(0, 2), QStringLiteral("6.32%"));
    EXPECT_EQ(odds(0, 4), QStringLiteral("0.01%"));
    EXPECT_EQ(odds(1, 1), QStringLiteral("44.48%")); // turn 1 on the draw: 8 cards seen
    EXPECT_EQ(odds(7, 1), QStringLiteral("66.54%")); // turn 7: 14 cards seen

    // Three copies fewer, typed into the count cell: 1 of 57 cards, 7/57 in the hand.
    form->sgDeck->setFocus();
    form->sgDeck->setCurrentCell(herald, 4);
    QTest::keyClick(form->sgDeck, Qt::Key_F2);
    QLineEdit* editor = nullptr;
    for (QLineEdit* e : form->sgDeck->findChildren<QLineEdit*>())
        if (e->isVisible())
            editor = e;
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClick(editor, Qt::Key_1);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(form->lbOddsCard->text(),
              QStringLiteral("Gull Herald\n1 of 57 cards in the main deck"));
    EXPECT_EQ(odds(0, 1), QStringLiteral("12.28%"));
    EXPECT_EQ(odds(0, 2), QStringLiteral("0.00%"));

    // Another row: the split card, 2 of 57.
    clickRow(rowOf(QStringLiteral("Mend/Rend")));
    EXPECT_EQ(form->lbOddsCard->text(),
              QStringLiteral("Mend/Rend\n2 of 57 cards in the main deck"));
    EXPECT_EQ(odds(0, 3), QStringLiteral("0.00%"));
    EXPECT_TRUE(messages.empty());
}

TEST_F(OddsPanel, ADeckShownAgainStartsWithoutASelection) {
    clickRow(rowOf(QStringLiteral("Gull Herald")));
    EXPECT_NE(odds(0, 1), QString());
    ASSERT_TRUE(form->LoadDeck({"    3 [SV] - Kelp Tangle", "    17 [4E] - Orren Plateau"}));
    EXPECT_EQ(form->lbOddsCard->text(), QStringLiteral("Select a card in the table."));
    EXPECT_EQ(odds(0, 1), QString());
    clickRow(0);
    // 1 − C(17,7)/C(20,7) = 1 − 19448/77520.
    EXPECT_EQ(odds(0, 1), QStringLiteral("74.91%"));
}
