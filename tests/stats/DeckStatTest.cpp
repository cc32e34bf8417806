#include "core/UTextFile.h"
#include "stats/UDeckStat.h"
#include "stats/UStatPictures.h"
#include "widgets/ULayeredPicture.h"
#include "widgets/UMessages.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zandor;

namespace {

const std::string fixtures = ZANDOR_FIXTURES "/stats";

std::vector<std::string> deckFile(const std::string& name) {
    auto lines = ReadTextLines(fixtures + "/" + name);
    EXPECT_TRUE(lines.has_value()) << name;
    return lines.value_or(std::vector<std::string>{});
}

int yOfBucket(int height, int bucket) {
    return height - 25 - (bucket - 1) * ((height - 50) / 6);
}

bool holdsColor(const QImage& picture, const QColor& color, QRect area = {}) {
    if (area.isNull())
        area = picture.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (picture.pixelColor(x, y) == color)
                return true;
    return false;
}

// The 16 by 16 cell of an icon drawn at (x, y).
QRect iconAt(int x, int y) {
    return QRect(x, y, 16, 16);
}

QLineEdit* openEditor(QTableWidget* grid) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QLineEdit* editor : grid->findChildren<QLineEdit*>())
        if (editor->isVisible())
            return editor;
    return nullptr;
}

// The statistics window over the fixture card base, with its message boxes answered and
// kept for the test to read.
struct StatWindow : ::testing::Test {
    TCardDatabase db;
    std::unique_ptr<TfmStat> form;
    std::vector<TMessage> messages;

    void SetUp() override {
        LoadCardDatabase(db, ProgramFolder(), fixtures);
        SetMessageAnswerer([this](const TMessage& m) {
            messages.push_back(m);
            return true;
        });
        form = std::make_unique<TfmStat>(db);
    }
    void TearDown() override {
        form.reset();
        SetMessageAnswerer({});
    }
    void load(const std::string& deck) {
        ASSERT_TRUE(form->LoadDeck(deckFile(deck)));
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    QString cell(int row, int column) const { return form->sgDeck->item(row, column)->text(); }
    // Runs both fades of the curve and the average to their end.
    void finishFades() {
        for (int tick = 0; tick < 10 && form->tViewCurv->isActive(); ++tick)
            form->tViewCurvTimer();
        for (int tick = 0; tick < 10 && form->tCurv->isActive(); ++tick)
            form->tCurvTimer();
        for (int tick = 0; tick < 10 && form->tColorCurv->isActive(); ++tick)
            form->tColorCurvTimer();
    }
    // The mana curve as last drawn (the layer that new content goes into).
    const QImage& curve() const { return form->plManaCurv->Layer(0); }
    int barPixelsInRow(const QImage& picture, int y) const {
        int n = 0;
        for (int x = 0; x < picture.width(); ++x)
            n += IsBarPixel(picture.pixel(x, y));
        return n;
    }
    QLineEdit* startEdit(int row, int column) {
        form->sgDeck->setFocus();
        form->sgDeck->setCurrentCell(row, column);
        QTest::keyClick(form->sgDeck, Qt::Key_F2);
        QLineEdit* editor = openEditor(form->sgDeck);
        if (editor)
            QTest::keyClick(editor, Qt::Key_End);
        return editor;
    }
};

} // namespace

TEST_F(StatWindow, ShowsTheTableAndTheFiguresOfADeck) {
    load("sample.dec");
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Статистика"));
    EXPECT_EQ(form->size(), QSize(972, 401)); // the draw odds panel stands to the right
    EXPECT_EQ(form->sgDeck->geometry(), QRect(16, 32, 385, 257));
    EXPECT_EQ(form->plManaCurv->geometry(), QRect(424, 24, 249, 265));
    EXPECT_EQ(form->plAvgCost->size(), QSize(177, 65));
    EXPECT_EQ(form->plManaColorCurv->size(), QSize(169, 65));

    QTableWidget* grid = form->sgDeck;
    const QString headers[] = {"Имя", "Ред.", "Mana", "Cost", "Кол-во"};
    const int widths[] = {178, 32, 44, 63, 39};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(grid->horizontalHeaderItem(c)->text(), headers[c]);
        EXPECT_EQ(grid->columnWidth(c), widths[c]);
    }
    EXPECT_EQ(grid->rowHeight(0), 18);
    ASSERT_EQ(grid->rowCount(), 12); // the comment and the sideboard line are left out
    const std::vector<QString> bears{"Bramble Bears", "TST", "2", "1G", "4"};
    const std::vector<QString> split{"Ember/Rime", "TST", "2", "1R", "1"};
    const std::vector<QString> forest{"Mossy Hollow", "TST", "", "", "10"};
    const std::pair<int, const std::vector<QString>*> rows[] = {
        {0, &bears}, {3, &split}, {11, &forest}};
    for (const auto& [row, texts] : rows)
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(cell(row, c), (*texts)[static_cast<std::size_t>(c)]) << row << " " << c;
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(bool(grid->item(0, c)->flags() & Qt::ItemIsEditable), c >= 3) << c;

    const std::pair<QLabel*, const char*> labels[] = {
        {form->lbLand, "11 cards"},
        {form->lbLandP, "39.28%"},
        {form->lbCreature, "7 cards"},
        {form->lbCreatureP, "25%"},
        {form->lbSpell, "10 cards"},
        {form->lbSpellP, "35.71%"},
        {form->lbDeck, "28 cards"},
        {form->lbC, "19"},
        {form->lbU, "4"},
        {form->lbR, "4"},
        {form->lbCur, "193.25 $"},
        {form->plLoc, "Локальная стоимость"},
    };
    for (const auto& [label, text] : labels)
        EXPECT_EQ(label->text(), QString::fromUtf8(text));

    // Every bucket that holds cards has a bar; bucket 3 has none.
    for (int bucket = 1; bucket <= 7; ++bucket)
        EXPECT_EQ(barPixelsInRow(curve(), yOfBucket(265, bucket)) > 0, bucket != 3) << bucket;
    // The average picture shows the white, red, green and colourless icons in its columns.
    finishFades();
    const QImage average = form->plAvgCost->Composed();
    EXPECT_EQ(average.pixelColor(0, 0), ChartBackground);
    EXPECT_TRUE(holdsColor(average, QColor(255, 246, 210), iconAt(5, 4))); // white comes first
    EXPECT_TRUE(holdsColor(average, QColor(239, 150, 132)));               // red
    EXPECT_FALSE(holdsColor(average, QColor(151, 217, 239), QRect(0, 0, 90, 65))); // no blue
    // Four keys make two lines; the pentagon beside them shows the five colours.
    EXPECT_FALSE(holdsColor(average, QColor(184, 182, 170), QRect(0, 4 + 36, 90, 20)));
    EXPECT_TRUE(holdsColor(average, QColor(184, 182, 170), QRect(0, 4 + 18, 90, 16)));

    if (const char* shot = std::getenv("ZANDOR_STAT_SCREENSHOT"))
        form->grab().save(QString::fromLocal8Bit(shot));
}

TEST_F(StatWindow, OneBarPerBucketScaledToTheLongest) {
    load("bears.dec"); // four bears of cost 2 and eight forests
    const QImage& picture = curve();
    const int w = picture.width();
    const int y = yOfBucket(picture.height(), 2);
    const int end = 15 + 4 * ((w - 60) / 4);
    for (int x = 23; x < end; ++x)
        ASSERT_TRUE(IsBarPixel(picture.pixel(x, y))) << x;
    EXPECT_FALSE(IsBarPixel(picture.pixel(end, y)));
    EXPECT_FALSE(IsBarPixel(picture.pixel(22, y)));
    EXPECT_TRUE(IsBarPixel(picture.pixel(30, y - 6)));
    EXPECT_FALSE(IsBarPixel(picture.pixel(30, y - 7)));
    EXPECT_TRUE(IsBarPixel(picture.pixel(30, y + 5)));
    EXPECT_EQ(picture.pixelColor(30, y + 7), QColor(Qt::black)); // the shadow below it
    for (int bucket : {1, 3, 4, 5, 6, 7})
        EXPECT_EQ(barPixelsInRow(picture, yOfBucket(picture.height(), bucket)), 0) << bucket;
    // The count stands beside the bar, white.
    bool white = false;
    for (int x = end + 15; x < end + 25; ++x)
        for (int dy = 0; dy < 12; ++dy)
            white = white || picture.pixelColor(x, y - 6 + dy) == QColor(Qt::white);
    EXPECT_TRUE(white);
}

TEST_F(StatWindow, ClickingABarShowsTheColourSplitOfItsBucket) {
    load("bears.dec");
    finishFades();
    const int y = yOfBucket(265, 2);
    // Background, the shadow, the count beside the bar and the right button do nothing.
    const std::pair<QPoint, Qt::MouseButton> misses[] = {
        {{100, 100}, Qt::LeftButton},   {{100, y + 8}, Qt::LeftButton},
        {{210, y + 8}, Qt::LeftButton}, {{205, y}, Qt::LeftButton},
        {{100, y}, Qt::RightButton},
    };
    for (const auto& [point, button] : misses) {
        QTest::mouseClick(form->plManaCurv, button, {}, point);
        EXPECT_EQ(form->plLoc->text(), QStringLiteral("Локальная стоимость"));
        EXPECT_FALSE(form->tColorCurv->isActive());
    }
    QTest::mouseMove(form->plManaCurv, QPoint(100, y));
    EXPECT_EQ(form->plManaCurv->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(form->plManaCurv, QPoint(100, 100));
    EXPECT_EQ(form->plManaCurv->cursor().shape(), Qt::ArrowCursor);

    QTest::mouseClick(form->plManaCurv, Qt::LeftButton, {}, QPoint(100, y));
    EXPECT_EQ(form->plLoc->text(), QStringLiteral("Локальная стоимость - 2"));
    EXPECT_TRUE(form->tColorCurv->isActive());
    finishFades();
    // 1G: half green, half colourless, green first.
    const QImage local = form->plManaColorCurv->Composed();
    EXPECT_TRUE(holdsColor(local, QColor(131, 171, 135), iconAt(5, 4)));
    EXPECT_TRUE(holdsColor(local, QColor(184, 182, 170)));
    EXPECT_FALSE(holdsColor(local, QColor(255, 246, 210)));
    // The split follows an edit of the table: a red symbol joins the bucket.
    ASSERT_NE(startEdit(0, 3), nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    QTest::keyClick(QApplication::focusWidget(), 'r');
    EXPECT_EQ(cell(0, 3), "1R");
    EXPECT_TRUE(form->tColorCurv->isActive());
    finishFades();
    EXPECT_TRUE(holdsColor(form->plManaColorCurv->Composed(), QColor(239, 150, 132)));
    EXPECT_FALSE(holdsColor(form->plManaColorCurv->Composed(), QColor(131, 171, 135)));

    load("sample.dec");
    finishFades();
    QTest::mouseClick(form->plManaCurv, Qt::LeftButton, {}, QPoint(30, yOfBucket(265, 7)));
    EXPECT_EQ(form->plLoc->text(), QStringLiteral("Локальная стоимость - 7"));
    finishFades();
    if (const char* shot = std::getenv("ZANDOR_STAT_SCREENSHOT_LOCAL"))
        form->grab().save(QString::fromLocal8Bit(shot));
    // Bucket 7 holds one colourless card of cost 11: all of the bucket is colourless.
    const QImage sevens = form->plManaColorCurv->Composed();
    EXPECT_TRUE(holdsColor(sevens, QColor(184, 182, 170), iconAt(5, 4)));
    EXPECT_FALSE(holdsColor(sevens, QColor(239, 150, 132)));
}

TEST_F(StatWindow, TypingACostChangesTheFigures) {
    load("bears.dec");
    QLineEdit* editor = startEdit(0, 3);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, 'g');
    EXPECT_EQ(editor->text(), "1GG");
    EXPECT_EQ(cell(0, 3), "1GG");
    EXPECT_EQ(cell(0, 2), "3");
    EXPECT_EQ(form->Stats().ColorTotal("G"), 8);
    // The bar moved from bucket 2 to bucket 3.
    EXPECT_EQ(barPixelsInRow(curve(), yOfBucket(265, 2)), 0);
    EXPECT_GT(barPixelsInRow(curve(), yOfBucket(265, 3)), 0);
    // X and other letters cannot be typed; the other colours can, in either case.
    for (char key : {'x', 'X', 'a', '-', ' '})
        QTest::keyClick(editor, key);
    EXPECT_EQ(editor->text(), "1GG");
    QTest::keyClicks(editor, "wub");
    EXPECT_EQ(editor->text(), "1GGWUB");
    EXPECT_EQ(cell(0, 2), "6");
    QTest::keyClick(editor, Qt::Key_Backspace);
    EXPECT_EQ(cell(0, 3), "1GGWU");
    EXPECT_EQ(form->Stats().Cards[0].Cost, "1GGWU");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the editor closes through the event loop
    EXPECT_EQ(openEditor(form->sgDeck), nullptr);
    EXPECT_EQ(cell(0, 3), "1GGWU");

    // A key typed on a cell that is not being edited opens the editor with it.
    form->sgDeck->setCurrentCell(0, 3);
    QTest::keyClick(form->sgDeck, 'r');
    editor = openEditor(form->sgDeck);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->text().endsWith('R')) << editor->text().toStdString();
    EXPECT_EQ(cell(0, 3), editor->text());
    EXPECT_TRUE(messages.empty());
}

TEST_F(StatWindow, TypingACountChangesTheFiguresAndATooLargeOneIsRefused) {
    load("bears.dec");
    QLineEdit* editor = startEdit(0, 4);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, 'w'); // only digits in the count
    QGuiApplication::clipboard()->setText("7x");
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier); // nor can text be pasted
    QTest::keyClick(editor, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(editor->text(), "4");
    // Clearing the count leaves the model's count until digits come back.
    QTest::keyClick(editor, Qt::Key_Backspace);
    EXPECT_EQ(cell(0, 4), "");
    EXPECT_EQ(form->Stats().Cards[0].Count, 4);
    EXPECT_EQ(form->lbCreature->text(), "4 cards");
    QTest::keyClick(editor, '2');
    EXPECT_EQ(form->Stats().Cards[0].Count, 2);
    EXPECT_EQ(form->Stats().NonLandCount, 2);
    EXPECT_EQ(form->lbCreature->text(), "2 cards");
    EXPECT_EQ(form->lbDeck->text(), "10 cards");
    EXPECT_EQ(form->lbCreatureP->text(), "20%");
    ASSERT_TRUE(messages.empty());

    QTest::keyClicks(editor, "0000000000"); // 2000000000 fits, 20000000000 does not
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Kind, TMessageKind::Error);
    EXPECT_EQ(messages[0].Caption, QStringLiteral("Ошибка"));
    EXPECT_EQ(messages[0].Text, "'20000000000' is not a valid integer value");
    EXPECT_EQ(form->Stats().Cards[0].Count, 2000000000);
    EXPECT_EQ(cell(0, 4), "2000000000");
    EXPECT_EQ(editor->text(), "2000000000");
    EXPECT_EQ(form->lbCreature->text(), "2000000000 cards");
}

TEST_F(StatWindow, ShowingAnotherDeckRebuildsAndCrossFades) {
    load("sample.dec");
    finishFades();
    const QImage oldCurve = form->plManaCurv->Layer(1);
    ASSERT_TRUE(form->LoadDeck(deckFile("bears.dec")));
    EXPECT_EQ(form->sgDeck->rowCount(), 2);
    EXPECT_EQ(cell(1, 0), "Mossy Hollow");
    EXPECT_EQ(form->plManaCurv->Layer(1), oldCurve); // still showing the old figures
    const QImage newCurve = form->plManaCurv->Layer(0);
    EXPECT_NE(newCurve, oldCurve);
    EXPECT_TRUE(form->tViewCurv->isActive());
    EXPECT_FALSE(form->tCurv->isActive());
    for (int expected : {193, 131, 69, 7}) {
        form->tViewCurvTimer();
        EXPECT_EQ(form->plManaCurv->Opacity(1), expected);
    }
    form->tViewCurvTimer();
    EXPECT_EQ(form->plManaCurv->Layer(1), newCurve);
    EXPECT_EQ(form->plManaCurv->Opacity(1), 255);
    EXPECT_FALSE(form->tViewCurv->isActive());
    EXPECT_TRUE(form->tCurv->isActive()); // the average fades after the curve

    // The real timers run the same fades, 55 ms a step.
    ASSERT_TRUE(form->LoadDeck(deckFile("sample.dec")));
    EXPECT_EQ(form->tViewCurv->interval(), 55);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return !form->tViewCurv->isActive() && !form->tCurv->isActive(); }, 3000));
    EXPECT_EQ(form->plManaCurv->Layer(1), oldCurve);
    EXPECT_EQ(form->plManaCurv->Composed(), oldCurve);
}

TEST_F(StatWindow, ABrokenDeckIsReportedAndChangesNothing) {
    load("bears.dec");
    EXPECT_FALSE(form->LoadDeck(deckFile("broken.dec")));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Kind, TMessageKind::Error);
    EXPECT_EQ(messages[0].Text,
              "'x' is not a valid integer value in the deck line \"    x [TST] - Mossy Hollow\"");
    EXPECT_EQ(form->sgDeck->rowCount(), 2);
    EXPECT_EQ(form->Stats().Cards.size(), 2u);
    EXPECT_EQ(form->lbDeck->text(), "12 cards");
}

TEST_F(StatWindow, ADeckWithoutMainDeckShowsZeros) {
    load("sideboard.dec");
    EXPECT_EQ(form->sgDeck->rowCount(), 0);
    for (QLabel* label : {form->lbLand, form->lbCreature, form->lbSpell, form->lbDeck})
        EXPECT_EQ(label->text(), "0 cards");
    for (QLabel* label : {form->lbLandP, form->lbCreatureP, form->lbSpellP})
        EXPECT_EQ(label->text(), "0%");
    EXPECT_EQ(form->lbCur->text(), "0 $");
    // Axis and labels without bars.
    for (int y = 0; y < curve().height(); ++y)
        ASSERT_EQ(barPixelsInRow(curve(), y), 0) << y;
    EXPECT_EQ(curve().pixelColor(15, 240), QColor(Qt::white));
    EXPECT_TRUE(messages.empty());
}

TEST(StatPictures, IconsAndTheBarHitTest) {
    const QColor discs[] = {{255, 246, 210}, {151, 217, 239}, {201, 201, 203},
                            {239, 150, 132}, {131, 171, 135}, {184, 182, 170}};
    for (int k = 1; k <= 6; ++k) {
        const QImage icon = StatBitmap(QStringLiteral("SMALL_%1").arg(k));
        ASSERT_EQ(icon.size(), QSize(16, 16)) << k;
        EXPECT_EQ(icon.pixelColor(0, 0), ChartBackground) << k;
        EXPECT_TRUE(holdsColor(icon, discs[k - 1])) << k;
    }
    EXPECT_TRUE(StatBitmap("SMALL_7").isNull());
    EXPECT_TRUE(StatBitmap("SMALL_").isNull());

    EXPECT_TRUE(IsBarPixel(ChartBarColor.rgb()));
    for (const QColor& c : {ChartBackground, QColor(Qt::white), QColor(Qt::black)})
        EXPECT_FALSE(IsBarPixel(c.rgb()));
    // For the 265-pixel curve every row of a bar maps to its own bucket.
    for (int bucket = 1; bucket <= 7; ++bucket)
        for (int dy = -6; dy < 6; ++dy)
            ASSERT_EQ(BarBucket(265, yOfBucket(265, bucket) + dy), bucket) << bucket << " " << dy;
}

TEST_F(StatWindow, TheDeckEditorsCommandShowsTheDeckModally) {
    // An edit in progress when another deck comes is dropped with the old table.
    load("bears.dec");
    ASSERT_NE(startEdit(0, 4), nullptr);
    ASSERT_TRUE(form->LoadDeck(deckFile("sample.dec")));
    EXPECT_EQ(openEditor(form->sgDeck), nullptr);
    form->hide();

    bool shown = false;
    QTimer::singleShot(0, form.get(), [&] {
        shown = form->isVisible() && form->isModal();
        form->accept();
    });
    EXPECT_TRUE(form->ShowDeck(deckFile("aether.dec")));
    EXPECT_TRUE(shown);
    ASSERT_EQ(form->sgDeck->rowCount(), 1);
    EXPECT_EQ(cell(0, 0), QStringLiteral("Ærnwood Gale")); // the card base's code page, shown
    EXPECT_EQ(cell(0, 3), "3G");
    EXPECT_EQ(form->lbSpell->text(), "2 cards");

    // A deck that does not build is reported and the window stays closed.
    shown = false;
    QTimer::singleShot(0, form.get(), [&] {
        shown = true;
        form->accept();
    });
    EXPECT_FALSE(form->ShowDeck(deckFile("broken.dec")));
    EXPECT_FALSE(shown); // the timer would have fired inside a modal loop
    EXPECT_EQ(messages.size(), 1u);
    QCoreApplication::processEvents();
}

TEST_F(StatWindow, FiguresUseTheLocalesDecimalSeparator) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    load("sample.dec");
    QLocale::setDefault(previous);
    EXPECT_EQ(form->lbLandP->text(), "39,28%");
    EXPECT_EQ(form->lbSpellP->text(), "35,71%");
    EXPECT_EQ(form->lbCur->text(), "193,25 $"); // the stored prices read all the same
}

TEST_F(StatWindow, CorrectingACellInTheMiddleKeepsTheCursorAndDeleteWorks) {
    load("bears.dec");
    QLineEdit* editor = startEdit(0, 3);
    ASSERT_NE(editor, nullptr);
    ASSERT_EQ(editor->text(), "1G");
    // The user puts the cursor after the "1" and types a correction there.
    QTest::keyClick(editor, Qt::Key_Home);
    QTest::keyClick(editor, Qt::Key_Right);
    QTest::keyClick(editor, Qt::Key_Backspace);
    EXPECT_EQ(editor->cursorPosition(), 0);
    QTest::keyClick(editor, '3');
    EXPECT_EQ(editor->text(), "3G");
    EXPECT_EQ(cell(0, 3), "3G");
    EXPECT_EQ(cell(0, 2), "4");
    EXPECT_EQ(form->Stats().Cards[0].Cost, "3G");
    // Delete removes the character after the cursor, in the cost cell and in the count cell.
    QTest::keyClick(editor, Qt::Key_Home);
    QTest::keyClick(editor, Qt::Key_Delete);
    EXPECT_EQ(editor->text(), "G");
    EXPECT_EQ(form->Stats().Cards[0].Cost, "G");
    EXPECT_EQ(cell(0, 2), "1");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();

    editor = startEdit(0, 4);
    ASSERT_NE(editor, nullptr);
    ASSERT_EQ(editor->text(), "4");
    QTest::keyClick(editor, '2');
    QTest::keyClick(editor, Qt::Key_Home);
    QTest::keyClick(editor, Qt::Key_Delete);
    EXPECT_EQ(editor->text(), "2");
    EXPECT_EQ(editor->cursorPosition(), 0);
    EXPECT_EQ(form->Stats().Cards[0].Count, 2);
    EXPECT_EQ(form->lbCreature->text(), "2 cards");
    EXPECT_TRUE(messages.empty());
}

TEST_F(StatWindow, TheLocalCostFiguresStayInsideThePicture) {
    load("sample.dec");
    ASSERT_GE(form->Stats().Cards.size(), 2u);
    // Costs that give a bucket two to five colours with shares such as 2.33 - (33%), so
    // that the right-hand column holds the widest figures.
    for (const char* cost : {"1WU", "WUR", "1WUB", "WUBR", "2WUBRG"}) {
        TStatCards stats = form->Stats();
        ASSERT_TRUE(stats.UpdateRow(0, cost, "4").Ok);
        ASSERT_TRUE(stats.UpdateRow(1, "WUR", "3").Ok);
        for (int bucket = 1; bucket <= CurveBuckets; ++bucket) {
            QImage shown(form->plManaColorCurv->size(), QImage::Format_RGB32);
            DrawLocalCost(shown, stats, bucket, '.');
            const int w = shown.width();
            int inkRight = 0;
            for (int y = 0; y < shown.height(); ++y)
                for (int x = w / 2; x < w; ++x)
                    inkRight += shown.pixelColor(x, y) == QColor(Qt::white);
            // The last two columns stay clear: a figure that reaches the edge is cut.
            EXPECT_FALSE(holdsColor(shown, Qt::white, QRect(w - 2, 0, 2, shown.height())))
                << cost << " bucket " << bucket;
            std::int64_t keys = 0;
            for (std::string_view key : StatColorKeys)
                keys += stats.ColorCurveCount(key, bucket) != 0;
            if (keys >= 2) {
                EXPECT_GT(inkRight, 0) << cost << " bucket " << bucket;
            }
        }
    }
}

TEST_F(StatWindow, CardsTheBaseLacksAreSaidWithTheirCountAndNames) {
    EXPECT_TRUE(form->LoadDeck(
        {"    4 [TST] - Mossy Hollow", "    2 [TST] - Nowhere Beast", "    3 [TST] - Gone Drake"}));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Kind, TMessageKind::Error);
    EXPECT_TRUE(messages[0].Text.startsWith("2 deck lines name cards"))
        << messages[0].Text.toStdString();
    EXPECT_TRUE(messages[0].Text.contains("2 [TST] - Nowhere Beast (line 2)"));
    EXPECT_TRUE(messages[0].Text.contains("3 [TST] - Gone Drake (line 3)"));
    // Only the card the base holds is in the table and the figures.
    EXPECT_EQ(form->sgDeck->rowCount(), 1);
    EXPECT_EQ(form->lbDeck->text(), "4 cards");
}
