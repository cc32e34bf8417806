// The animated popup menu, opened for real under the offscreen platform and driven by mouse
// and key events: the tree, the picked caption, keyboard navigation, disabled entries,
// closing by a click outside, placement inside the screen and its colours.
#include "widgets/UAnimatedMenu.h"

#include <QApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace zandor;

namespace {

struct AnimatedMenu : ::testing::Test {
    TAnimatedPopupMenu menu;
    std::unique_ptr<QSignalSpy> picked;
    TMenuItem* locked = nullptr;

    // Ember Vault / Stoke -> (Once, Twice) / Locked (disabled) / Hues -> (Ashen, Glassy)
    void SetUp() override {
        menu.Add(QStringLiteral("Ember Vault"));
        TMenuItem* stoke = menu.Add(QStringLiteral("Stoke"));
        stoke->Add(QStringLiteral("Once"), MenuCounterPicture());
        stoke->Add(QStringLiteral("Twice"));
        locked = menu.Add(QStringLiteral("Locked"));
        locked->Enabled = false;
        TMenuItem* hues = menu.Add(QStringLiteral("Hues"));
        hues->Add(QStringLiteral("Ashen"), MenuColorPicture(QStringLiteral("R")));
        hues->Add(QStringLiteral("Glassy"), MenuColorPicture(QStringLiteral("U")));
        picked = std::make_unique<QSignalSpy>(&menu, &TAnimatedPopupMenu::ItemSelected);
    }
    void TearDown() override { menu.Close(); }

    TMenuPanel* open(QPoint at = QPoint(100, 100)) {
        menu.Popup(at);
        TMenuPanel* panel = menu.Panel(0);
        EXPECT_NE(panel, nullptr);
        return panel;
    }
    // The pointer comes onto the row from its corner: a move to where it already is sends
    // nothing.
    void hover(TMenuPanel* panel, int row) {
        QTest::mouseMove(panel, panel->RowRect(row).topLeft() + QPoint(3, 3));
        QTest::mouseMove(panel, panel->RowRect(row).center());
    }
    void click(TMenuPanel* panel, int row) {
        const QPoint at = panel->RowRect(row).center();
        hover(panel, row);
        QTest::mousePress(panel, Qt::LeftButton, {}, at);
        QTest::mouseRelease(panel, Qt::LeftButton, {}, at);
    }
    // The brightest ink in the caption part of a row (the smallest channel of the pixel,
    // so that the teal background counts as dark).
    static int brightestInk(const QImage& shot, const QRect& row) {
        int best = 0;
        for (int y = row.top(); y <= row.bottom(); ++y)
            for (int x = row.left() + 24; x < row.right() - 24; ++x) {
                const QColor c = shot.pixelColor(x, y);
                best = std::max(best, std::min({c.red(), c.green(), c.blue()}));
            }
        return best;
    }
    QStringList pickedCaptions() const {
        QStringList list;
        for (const auto& args : *picked)
            list << args.at(0).toString();
        return list;
    }
};

} // namespace

TEST_F(AnimatedMenu, OpensItsTreeAtTheMouseAndHoverOpensSubmenus) {
    TMenuPanel* top = open(QPoint(120, 90));
    EXPECT_EQ(top->pos(), QPoint(120, 90));
    EXPECT_TRUE(top->isVisible());
    EXPECT_EQ(top->height(), 4 * TAnimatedPopupMenu::RowHeight + 4);
    EXPECT_EQ(menu.OpenLevels(), 1);

    hover(top, 1);
    ASSERT_EQ(menu.OpenLevels(), 2);
    TMenuPanel* sub = menu.Panel(1);
    EXPECT_EQ(sub->Item()->Caption, QStringLiteral("Stoke"));
    EXPECT_EQ(sub->x(), top->geometry().right() + 1);
    EXPECT_EQ(top->Current(), 1);

    // Another submenu entry replaces the open submenu; a plain entry closes it.
    hover(top, 3);
    ASSERT_EQ(menu.OpenLevels(), 2);
    EXPECT_EQ(menu.Panel(1)->Item()->Caption, QStringLiteral("Hues"));
    hover(top, 0);
    EXPECT_EQ(menu.OpenLevels(), 1);
    EXPECT_EQ(menu.Find(QStringLiteral("Glassy"))->Caption, QStringLiteral("Glassy"));
    EXPECT_EQ(menu.Find(QStringLiteral("Nowhere")), nullptr);
    EXPECT_TRUE(picked->isEmpty());
}

TEST_F(AnimatedMenu, ClickingALeafSendsItsCaptionOnceAndCloses) {
    struct Case {
        std::vector<int> path;
        QString caption;
    } cases[] = {{{0}, QStringLiteral("Ember Vault")},
                 {{1, 1}, QStringLiteral("Twice")},
                 {{3, 0}, QStringLiteral("Ashen")}};
    for (const Case& c : cases) {
        picked->clear();
        TMenuPanel* panel = open();
        for (std::size_t i = 0; i + 1 < c.path.size(); ++i) {
            hover(panel, c.path[i]);
            panel = menu.Panel(static_cast<int>(i) + 1);
            ASSERT_NE(panel, nullptr);
        }
        click(panel, c.path.back());
        EXPECT_EQ(pickedCaptions(), QStringList{c.caption});
        EXPECT_FALSE(menu.IsOpen());
    }
}

TEST_F(AnimatedMenu, TheReleaseOfTheOpeningClickPicksNothing) {
    TMenuPanel* top = open();
    QTest::mouseRelease(top, Qt::RightButton, {}, top->RowRect(0).center());
    EXPECT_TRUE(picked->isEmpty());
    EXPECT_TRUE(menu.IsOpen());
}

TEST_F(AnimatedMenu, TheOpeningFadeNeverHoldsBackAClick) {
    TMenuPanel* top = open();
    ASSERT_TRUE(menu.Animating());
    click(top, 0);
    EXPECT_EQ(pickedCaptions(), QStringList{QStringLiteral("Ember Vault")});
    // And the fade ends within its time.
    TMenuPanel* again = open();
    QTest::qWait(TAnimatedPopupMenu::OpeningMs + 100);
    EXPECT_FALSE(menu.Animating());
    EXPECT_DOUBLE_EQ(again->windowOpacity(), TAnimatedPopupMenu::Opacity);
}

TEST_F(AnimatedMenu, KeyboardWalksTheTreeAndSkipsDisabledEntries) {
    struct Case {
        std::vector<int> keys;
        QStringList captions;
        int levelsLeft;
    } cases[] = {
        {{Qt::Key_Down, Qt::Key_Return}, {QStringLiteral("Ember Vault")}, 0},
        // Down from "Stoke" jumps over "Locked" to "Hues".
        {{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Right, Qt::Key_Down, Qt::Key_Enter},
         {QStringLiteral("Glassy")},
         0},
        // Up from nothing starts at the last entry; Enter opens a submenu on its first entry.
        {{Qt::Key_Up, Qt::Key_Up, Qt::Key_Return, Qt::Key_Return}, {QStringLiteral("Once")}, 0},
        // Left and Escape close only the submenu; Escape on the top closes all.
        {{Qt::Key_Down, Qt::Key_Down, Qt::Key_Right, Qt::Key_Left}, {}, 1},
        {{Qt::Key_Down, Qt::Key_Down, Qt::Key_Right, Qt::Key_Escape}, {}, 1},
        {{Qt::Key_Down, Qt::Key_Escape}, {}, 0},
        // Down wraps from the last entry to the first.
        {{Qt::Key_Up, Qt::Key_Down, Qt::Key_Return}, {QStringLiteral("Ember Vault")}, 0},
    };
    for (const Case& c : cases) {
        picked->clear();
        open();
        for (int key : c.keys) {
            TMenuPanel* panel = menu.Panel(menu.OpenLevels() - 1);
            ASSERT_NE(panel, nullptr);
            QTest::keyClick(panel, static_cast<Qt::Key>(key));
        }
        EXPECT_EQ(pickedCaptions(), c.captions);
        EXPECT_EQ(menu.OpenLevels(), c.levelsLeft);
        menu.Close();
    }
}

TEST_F(AnimatedMenu, ADisabledEntryIsGreyAndNeitherPicksNorOpens) {
    TMenuPanel* top = open();
    click(top, 2);
    EXPECT_TRUE(picked->isEmpty());
    EXPECT_TRUE(menu.IsOpen());
    EXPECT_EQ(top->Current(), -1);

    // A disabled submenu does not open.
    menu.Find(QStringLiteral("Stoke"))->Enabled = false;
    hover(top, 1);
    EXPECT_EQ(menu.OpenLevels(), 1);

    // Its caption is drawn in grey (128), the others in silver (192) on teal.
    const QImage shot = top->grab().toImage();
    const int grey = brightestInk(shot, top->RowRect(2));
    EXPECT_GE(grey, 110);
    EXPECT_LE(grey, 128);
    EXPECT_GE(brightestInk(shot, top->RowRect(0)), 170);
    EXPECT_LE(brightestInk(shot, top->RowRect(0)), 192);
}

TEST_F(AnimatedMenu, AClickOutsideClosesEveryLevelWithoutAPick) {
    TMenuPanel* top = open();
    hover(top, 1);
    ASSERT_EQ(menu.OpenLevels(), 2);
    QSignalSpy closed(&menu, &TAnimatedPopupMenu::Closed);
    TMenuPanel* sub = menu.Panel(1);
    const QPoint outside = sub->mapFromGlobal(top->geometry().bottomRight() + QPoint(200, 200));
    QTest::mousePress(sub, Qt::LeftButton, {}, outside);
    EXPECT_FALSE(menu.IsOpen());
    EXPECT_EQ(closed.count(), 1);
    EXPECT_TRUE(picked->isEmpty());
}

TEST_F(AnimatedMenu, APressOnTheLowerLevelGoesOnThere) {
    TMenuPanel* top = open();
    hover(top, 3);
    TMenuPanel* sub = menu.Panel(1);
    ASSERT_NE(sub, nullptr);
    const QPoint onFirst = sub->mapFromGlobal(top->mapToGlobal(top->RowRect(0).center()));
    QTest::mousePress(sub, Qt::LeftButton, {}, onFirst);
    EXPECT_EQ(menu.OpenLevels(), 1);
    QTest::mouseRelease(top, Qt::LeftButton, {}, top->RowRect(0).center());
    EXPECT_EQ(pickedCaptions(), QStringList{QStringLiteral("Ember Vault")});
}

TEST_F(AnimatedMenu, StaysInsideTheScreenAndOpensSubmenusLeftAtTheEdge) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    TMenuPanel* top = open(area.bottomRight() - QPoint(5, 5));
    EXPECT_TRUE(area.contains(top->geometry())) << top->geometry().x() << "," << top->y();
    hover(top, 3);
    TMenuPanel* sub = menu.Panel(1);
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(area.contains(sub->geometry()));
    EXPECT_EQ(sub->geometry().right() + 1, top->x());
}

TEST_F(AnimatedMenu, DrawsSilverOnTealWithASilverSelection) {
    TMenuPanel* top = open();
    QTest::keyClick(top, Qt::Key_Down);
    const QImage shot = top->grab().toImage();
    const QRect selected = top->RowRect(0);
    const QRect plain = top->RowRect(1);
    EXPECT_EQ(shot.pixelColor(selected.right() - 2, selected.top() + 1),
              TAnimatedPopupMenu::SelectedBackground);
    EXPECT_EQ(shot.pixelColor(plain.right() - 2, plain.top() + 1), TAnimatedPopupMenu::Background);
    EXPECT_GE(brightestInk(shot, selected), 240); // white on silver
    EXPECT_EQ(top->font().family(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(top->font().pointSize(), 8);
}

TEST(MenuPictures, CounterAndColourSpotsAreDrawn) {
    const QImage counter = MenuCounterPicture();
    EXPECT_EQ(counter.size(), QSize(16, 16));
    EXPECT_EQ(counter.pixelColor(0, 0).alpha(), 0);
    EXPECT_GT(counter.pixelColor(4, 8).alpha(), 200);
    const QColor red = MenuColorPicture(QStringLiteral("R")).pixelColor(8, 8);
    const QColor blue = MenuColorPicture(QStringLiteral("U")).pixelColor(8, 8);
    const QColor none = MenuColorPicture(QStringLiteral("Art")).pixelColor(8, 8);
    EXPECT_NE(red, blue);
    EXPECT_GT(red.red(), red.blue());
    EXPECT_GT(blue.blue(), blue.red());
    EXPECT_EQ(none, QColor(170, 170, 170));
}
