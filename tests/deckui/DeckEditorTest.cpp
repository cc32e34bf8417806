// The deck editor window and its dialogs, created by the shell on a copy of the sample data
// and driven with mouse and key events under the offscreen platform.
#include "core/UApplication.h"
#include "core/UMain.h"
#include "deck/UBaseListView.h"
#include "deck/UCardFilter.h"
#include "deck/UCardView.h"
#include "deck/UDeckED.h"
#include "deck/UDeckEDLogic.h"
#include "deck/UFilters.h"
#include "deck/UFindCard.h"
#include "deck/UResult.h"
#include "stats/UDeckStat.h"
#include "tests/testkit/TestKit.h"
#include "widgets/UHelpViewer.h"
#include "widgets/UKeywordMemo.h"
#include "widgets/UMessages.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>
#include <cctype>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace zandor;
using namespace zandor::test;

namespace {

// Runs what a modal dialog's user would do once the dialog is up.
void whenShown(std::function<void()> user) {
    QTimer::singleShot(0, std::move(user));
}

struct DeckEditor : ::testing::Test {
    TTempDir dir;
    std::string dataDir;
    TCardDatabase db;
    std::unique_ptr<TZandorShell> shell;
    std::vector<TMessage> messages;
    bool answer = true;
    QString saveChoice;
    QString openChoice;
    int saveDialogs = 0;

    void SetUp() override {
        dataDir = dir.File("data");
        std::filesystem::create_directories(dataDir);
        CopySampleData(dataDir);
        std::filesystem::create_directories(dir.File("help"));
        std::filesystem::copy_file(std::string(ZANDOR_SOURCE_DIR) + "/help/mRuleE.hlp",
                                   dir.File("help/mRuleE.hlp"));
        SetMessageAnswerer([this](const TMessage& m) {
            messages.push_back(m);
            return answer;
        });
        start();
    }
    void start() {
        LoadCardDatabase(db, dir.Path(), dataDir);
        db.DeckDir = dir.Path();
        shell = std::make_unique<TZandorShell>(db);
        shell->CreateWindows();
        ed().FileDialogs.Save = [this](QWidget*, const QString&, const QString&) {
            ++saveDialogs;
            return saveChoice;
        };
        ed().FileDialogs.Open = [this](QWidget*, const QString&) { return openChoice; };
        ed().show();
    }
    void TearDown() override {
        shell.reset();
        SetMessageAnswerer({});
        HelpViewer().hide();
    }
    TfmDeckED& ed() { return *static_cast<TfmDeckED*>(shell->fmDeckED.data()); }

    QStringList baseLines() {
        QStringList lines;
        for (const std::string& line : ed().BaseList().Lines())
            lines << ToDisplay(line);
        return lines;
    }
    QStringList deckLines() {
        QStringList lines;
        for (int i = 0; i < ed().lbDeck->count(); ++i)
            lines << ed().lbDeck->item(i)->text();
        return lines;
    }
    // A user's click on the base line with this text.
    void clickBase(const QString& text, Qt::MouseButton button = Qt::LeftButton) {
        const int row = baseLines().indexOf(text);
        ASSERT_GE(row, 0) << text.toStdString();
        const QModelIndex index = ed().BaseModel().index(row);
        ed().lbBase->scrollTo(index);
        QTest::mouseClick(ed().lbBase->viewport(), button, {},
                          ed().lbBase->visualRect(index).center());
    }
    void clickDeck(int row) {
        QListWidgetItem* item = ed().lbDeck->item(row);
        ASSERT_NE(item, nullptr);
        QTest::mouseClick(ed().lbDeck->viewport(), Qt::LeftButton, {},
                          ed().lbDeck->visualItemRect(item).center());
    }
    void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void tick(QListWidget* list, int row, bool on) {
        list->item(row)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    QStringList counters() {
        return {ed().lbMana->text(), ed().lbCreatures->text(), ed().lbSpells->text(),
                ed().lbDecks->text(), ed().lbSB->text()};
    }
    void addComment(const QString& text) {
        whenShown([this, text] {
            shell->fmResult->edText->setText(text);
            click(shell->fmResult->bbOk);
        });
        click(ed().bbComment);
    }
    void search(const QString& term, bool selectAll) {
        whenShown([this, term, selectAll] {
            TfmFindCard& find = *shell->fmFindCard;
            find.cbFind1->setEditText(term);
            find.cbSelectMatch->setChecked(selectAll);
            click(find.bbFind);
        });
        click(ed().sbFind);
    }
};

} // namespace

TEST_F(DeckEditor, LaysOutTheWindowAsDrawn) {
    EXPECT_EQ(ed().windowTitle(), "Deck Editor");
    EXPECT_EQ(ed().centralWidget()->size(), QSize(764, 481));
    struct Case {
        QWidget* control;
        QRect geometry;
    };
    const Case cases[] = {{ed().ToolBar, {0, 0, 764, 37}},
                          {ed().Panel3, {0, 42, 210, 300}},
                          {ed().CardView, {0, 0, 210, 300}},
                          {ed().gbBaseS, {214, 40, 547, 305}},
                          {ed().edFind, {8, 32, 225, 24}},
                          {ed().edDName, {280, 32, 241, 24}},
                          {ed().lbBase, {8, 64, 225, 233}},
                          {ed().lbDeck, {280, 64, 241, 233}},
                          {ed().lbPrice, {120, 344, 84, 25}},
                          {ed().plBottom, {0, 348, 764, 133}},
                          {ed().pbStat, {4, 118, 200, 9}},
                          {ed().sbNew, {2, 2, 60, 33}},
                          {ed().sbFind, {185, 2, 60, 33}},
                          {ed().sbHelp, {557, 2, 60, 33}},
                          {ed().sbUp->parentWidget(), {214, 40, 547, 305}}};
    for (const Case& c : cases)
        EXPECT_EQ(c.control->geometry(), c.geometry) << c.control->objectName().toStdString();
    EXPECT_EQ(ed().mmErrata->width(), 550);
    for (QPushButton* b : {ed().bbComment, ed().bbAdd, ed().bbSAdd, ed().bbDelete}) {
        EXPECT_EQ(b->size(), QSize(33, 25));
        EXPECT_EQ(b->x(), 240);
    }
    for (QToolButton* b : {ed().sbUp, ed().sbDown}) {
        EXPECT_EQ(b->size(), QSize(18, 41));
        EXPECT_EQ(b->x(), 524);
    }
    EXPECT_EQ(ed().bbComment->toolTip(), "Comment");
    EXPECT_EQ(ed().bbAdd->toolTip(), "Add Card");
    EXPECT_EQ(ed().bbSAdd->toolTip(), "Add sideboard card");
    EXPECT_EQ(ed().bbDelete->toolTip(), "Delete card");
    // Five 3-pixel separators in the tool bar's strip colour; the version button is hidden.
    const auto strips = ed().ToolBar->findChildren<QFrame*>(QString(), Qt::FindDirectChildrenOnly);
    int separators = 0;
    for (const QFrame* strip : strips)
        if (strip->width() == 3 && strip->palette().color(QPalette::Window) == QColor(88, 124, 152))
            ++separators;
    EXPECT_EQ(separators, 5);
    EXPECT_FALSE(ed().SpeedButton1->isVisible());
    EXPECT_TRUE(ed().sbNew->text().isEmpty());
    QStringList menus;
    for (QAction* a : ed().menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, QStringList({"File", "Database", "Tools", "Deck", "Help"}));
    EXPECT_FALSE(ed().AddCardRulingsSummary1->isVisible());
    EXPECT_FALSE(ed().ViewComments1->isVisible());
    EXPECT_EQ(ed().lbPrice->text(), "Price: 0$");
    EXPECT_EQ(counters(), QStringList(5, "0 cards"));
    // Both layers of the card view start with the blank card, fully opaque.
    QImage blank;
    LoadBlankCard(blank);
    blank = blank.convertToFormat(QImage::Format_RGB32);
    for (int layer = 0; layer < 2; ++layer) {
        EXPECT_EQ(ed().CardView->Layer(layer), blank);
        EXPECT_EQ(ed().CardView->Opacity(layer), 255);
    }
    EXPECT_FALSE(ed().CardView->tViewCard->isActive());
}

TEST_F(DeckEditor, OpensOnTheWholeBaseAndKeepsTheLastListInTempbase) {
    EXPECT_EQ(ed().BaseList().size(), db.CardLines.size());
    EXPECT_EQ(baseLines().front(), "[4E] - Anchor Chain");
    EXPECT_EQ(ed().gbBaseS->title(),
              QString("  Base: %1 cards selected  ").arg(db.CardLines.size()));
    // A select-all search is shown at the end; the saved list is the one before it.
    search("boar", true);
    ASSERT_TRUE(ed().sbFind->isChecked());
    shell.reset();
    const auto saved = ReadTextLines(dataDir + "/tempbase.dat");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->size(), db.CardLines.size());

    WriteTextLines(dataDir + "/tempbase.dat", {"[EM] - Cindermaw", "[SV] - Crag Wyrm"});
    FreeCardDatabase(db);
    start();
    EXPECT_EQ(baseLines(), QStringList({"[EM] - Cindermaw", "[SV] - Crag Wyrm"}));
    EXPECT_EQ(ed().gbBaseS->title(), "  Base: 2 cards selected  ");
}

TEST_F(DeckEditor, FiltersThroughTheDialogAndCancelKeepsTheList) {
    const QStringList before = baseLines();
    whenShown([this] {
        tick(shell->fmFilters->clbColor, ciRed, false);
        click(shell->fmFilters->BitBtn2);
    });
    click(ed().sbFilter);
    EXPECT_EQ(baseLines(), before);
    EXPECT_TRUE(db.Settings.ReadBool("Color Filters", "Red", true));

    whenShown([this] {
        TfmFilters& f = *shell->fmFilters;
        EXPECT_TRUE(f.clbColor->item(ciRed)->checkState() == Qt::Checked); // reloaded
        tick(f.clbColor, ciRed, false);
        f.cbRRare->setChecked(false);
        click(f.bbOk);
    });
    click(ed().sbFilter);
    EXPECT_FALSE(db.Settings.ReadBool("Color Filters", "Red", true));
    EXPECT_FALSE(db.Settings.ReadBool("Rarity Filters", "Rare", true));
    ASSERT_FALSE(baseLines().isEmpty());
    EXPECT_LT(baseLines().size(), before.size());
    for (const std::string& line : ed().BaseList().Lines()) {
        const TBaseLineParts parts = SplitBaseLine(line);
        const TZandorCard card = FindCard(db, parts.Name, parts.Edition);
        EXPECT_NE(card.Color, "R") << line;
        EXPECT_NE(card.Rarity, "R") << line;
    }
    EXPECT_EQ(ed().gbBaseS->title(),
              QString("  Base: %1 cards selected  ").arg(baseLines().size()));
    EXPECT_EQ(ed().pbStat->value(), 0);
}

TEST_F(DeckEditor, FilterDialogEditionSetsAndColourExclusions) {
    whenShown([this] {
        TfmFilters& f = *shell->fmFilters;
        ASSERT_EQ(f.clbEdition->count(), 3);
        EXPECT_EQ(f.clbEdition->item(1)->text(), "Emberhold");
        // Picking a tournament set ticks the editions it names (one of them is not here).
        const auto pick = [&f](int entry) {
            f.cbEditionType->setCurrentIndex(entry);
            emit f.cbEditionType->activated(entry); // as the user's choice of the entry
        };
        pick(etExtended);
        EXPECT_EQ(f.clbEdition->item(0)->checkState(), Qt::Checked);   // Fourth Codex
        EXPECT_EQ(f.clbEdition->item(1)->checkState(), Qt::Checked);   // Emberhold
        EXPECT_EQ(f.clbEdition->item(2)->checkState(), Qt::Unchecked); // Saltveil
        pick(etNone);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(f.clbEdition->item(i)->checkState(), Qt::Unchecked);
        // Ticking one edition by hand makes the set "Selected".
        QTest::mouseClick(f.clbEdition->viewport(), Qt::LeftButton, {},
                          f.clbEdition->visualItemRect(f.clbEdition->item(1)).center());
        tick(f.clbEdition, 1, true);
        EXPECT_EQ(f.cbEditionType->currentText(), "Selected");
        // "{and} Gold" unticks Gold, Artifacts and Land; ticking Land unticks it again.
        tick(f.clbColor, ciAndGold, true);
        EXPECT_EQ(f.clbColor->item(ciGold)->checkState(), Qt::Unchecked);
        EXPECT_EQ(f.clbColor->item(ciArtifacts)->checkState(), Qt::Unchecked);
        EXPECT_EQ(f.clbColor->item(ciLand)->checkState(), Qt::Unchecked);
        tick(f.clbColor, ciLand, true);
        EXPECT_EQ(f.clbColor->item(ciAndGold)->checkState(), Qt::Unchecked);
        click(f.bbSpell);
        EXPECT_EQ(f.bbSpell->text(), "All");
        EXPECT_EQ(f.clbSpell->item(siInstant)->checkState(), Qt::Unchecked);
        click(f.bbSpell);
        EXPECT_EQ(f.clbSpell->item(siInstant)->checkState(), Qt::Checked);
        click(f.bbOk);
    });
    click(ed().sbFilter);
    ASSERT_FALSE(baseLines().isEmpty());
    for (const QString& line : baseLines())
        EXPECT_TRUE(line.startsWith("[EM] - ")) << line.toStdString();
    EXPECT_EQ(db.Settings.ReadInteger("Type Filters", "Key", -1), etSelected);
}

TEST_F(DeckEditor, FindAsYouTypeJumpsAndShowsTheCardAfterASecond) {
    QTest::keyClicks(ed().edFind, "ci");
    const int row = ed().SelectedBase();
    ASSERT_GE(row, 0);
    EXPECT_EQ(baseLines()[row], "[4E] - Cinder Volley");
    EXPECT_EQ(ed().lbBase->indexAt(QPoint(4, 4)).row(), row); // the top line
    EXPECT_TRUE(ed().tFindCard->isActive());
    EXPECT_EQ(ed().tFindCard->interval(), 1000);
    EXPECT_EQ(ed().lbPrice->text(), "Price: 0$"); // not shown yet
    EXPECT_TRUE(QTest::qWaitFor([this] { return ed().lbPrice->text() != "Price: 0$"; }, 2000));
    EXPECT_FALSE(ed().tFindCard->isActive());

    // A letter that begins no name changes nothing and leaves the timer alone.
    ed().edFind->clear();
    QTest::keyClicks(ed().edFind, "j");
    EXPECT_EQ(ed().SelectedBase(), row);
    EXPECT_FALSE(ed().tFindCard->isActive());
}

TEST_F(DeckEditor, AddsDeletesCommentsAndMovesDeckLinesWithTheCounters) {
    // The window is the active one, as when the user works in it, so that focus counts.
    ed().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&ed()));
    clickBase("[SV] - Barkhide Boar");
    for (int i = 0; i < 3; ++i)
        click(ed().bbAdd);
    click(ed().bbSAdd);
    clickBase("[EM] - Cinderfield");
    click(ed().bbAdd);
    clickBase("[EM] - Hush/Howl (Howl)");
    click(ed().bbAdd);
    EXPECT_EQ(deckLines(), QStringList({"    3 [SV] - Barkhide Boar", "SB: 1 [SV] - Barkhide Boar",
                                        "    1 [EM] - Cinderfield", "    1 [EM] - Hush/Howl"}));
    EXPECT_EQ(counters(), QStringList({"1 cards", "3 cards", "1 cards", "5 cards", "1 cards"}));
    EXPECT_TRUE(ed().lbBase->hasFocus());

    // Delete lowers a count, then removes the line.
    clickDeck(0);
    click(ed().bbDelete);
    EXPECT_EQ(deckLines()[0], "    2 [SV] - Barkhide Boar");
    clickDeck(2);
    click(ed().bbDelete);
    EXPECT_EQ(deckLines().size(), 3);
    EXPECT_EQ(ed().lbDeck->currentRow(), 1);
    EXPECT_EQ(counters(), QStringList({"0 cards", "2 cards", "1 cards", "3 cards", "1 cards"}));

    // A comment goes before the selected line; a Cyrillic one is refused.
    clickDeck(1);
    addComment("sideboard");
    EXPECT_EQ(deckLines()[1], "// sideboard");
    addComment(QStringLiteral("Сайдборд"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Caption, ErrorCaption);
    EXPECT_EQ(deckLines().size(), 4);

    // Up and down move the selected line and keep it selected.
    clickDeck(3);
    click(ed().sbUp);
    EXPECT_EQ(deckLines()[2], "    1 [EM] - Hush/Howl");
    EXPECT_EQ(ed().lbDeck->currentRow(), 2);
    click(ed().sbDown);
    click(ed().sbDown); // already last
    EXPECT_EQ(deckLines()[3], "    1 [EM] - Hush/Howl");

    click(ed().sbNew);
    EXPECT_TRUE(deckLines().isEmpty());
    EXPECT_TRUE(ed().edDName->text().isEmpty());
    EXPECT_EQ(counters(), QStringList(5, "0 cards"));
}

TEST_F(DeckEditor, SavesAsksBeforeReplacingAndLoadsDecks) {
    clickBase("[EM] - Cindermaw");
    click(ed().bbAdd);
    click(ed().bbAdd);
    ed().edDName->setText("Fire");
    saveChoice = QString::fromStdString(dir.File("fire"));
    click(ed().sbSave);
    EXPECT_EQ(ReadBytes(dir.File("fire.dec")), "    2 [EM] - Cindermaw\r\n");
    EXPECT_EQ(ed().edDName->text(), "fire");
    EXPECT_TRUE(messages.empty());

    // The file exists now: No keeps it, Yes replaces it.
    click(ed().bbAdd);
    answer = false;
    click(ed().sbSave);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Caption, "Save Deck...");
    EXPECT_EQ(messages[0].Kind, TMessageKind::Warning);
    EXPECT_FALSE(messages[0].DefaultYes);
    EXPECT_TRUE(messages[0].Text.endsWith("fire.dec already exists.\rDo you want to replace it?"));
    EXPECT_EQ(ReadBytes(dir.File("fire.dec")), "    2 [EM] - Cindermaw\r\n");
    answer = true;
    click(ed().sbSave);
    EXPECT_EQ(ReadBytes(dir.File("fire.dec")), "    3 [EM] - Cindermaw\r\n");

    // A failed write leaves the old file and the deck name, and says so.
    {
        TFailingWriter failing;
        ed().edDName->setText("other");
        saveChoice = QString::fromStdString(dir.File("other.dec"));
        click(ed().sbSave);
        EXPECT_EQ(failing.Attempts, 1);
    }
    EXPECT_EQ(messages.back().Caption, ErrorCaption);
    EXPECT_FALSE(FileExists(dir.File("other.dec")));
    EXPECT_EQ(deckLines(), QStringList({"    3 [EM] - Cindermaw"}));

    // Cancelling the save dialog changes nothing.
    saveChoice.clear();
    const std::size_t boxes = messages.size();
    click(ed().sbSave);
    EXPECT_EQ(messages.size(), boxes);

    // Loading an old-format deck shows it converted and leaves the file as it was.
    const std::string oldDeck = dataDir + "/decks/old_fen_shades.dec";
    const std::string oldBytes = ReadBytes(oldDeck);
    click(ed().sbNew);
    openChoice = QString::fromStdString(oldDeck);
    click(ed().sbLoad);
    EXPECT_EQ(ed().edDName->text(), "old_fen_shades");
    ASSERT_GE(deckLines().size(), 2);
    EXPECT_TRUE(deckLines()[1].startsWith("    22 [")) << deckLines()[1].toStdString();
    EXPECT_TRUE(deckLines()[1].endsWith("] - Morrow Fen"));
    EXPECT_EQ(ReadBytes(oldDeck), oldBytes);
    EXPECT_NE(ed().lbDecks->text(), "0 cards");
    EXPECT_EQ(db.DeckDir, dataDir + "/decks");

    // The round trip: what was saved loads back line for line.
    openChoice = QString::fromStdString(dir.File("fire.dec"));
    click(ed().sbLoad);
    EXPECT_EQ(deckLines(), QStringList({"    3 [EM] - Cindermaw"}));
    EXPECT_EQ(counters(), QStringList({"0 cards", "3 cards", "0 cards", "3 cards", "0 cards"}));
}

TEST_F(DeckEditor, ExportsForApprenticeAndRejectsBrokenCounts) {
    saveDialogs = 0;
    ed().SaveApprendic1->trigger(); // an empty deck exports nothing
    EXPECT_EQ(saveDialogs, 0);
    WriteBytes(dir.File("mixed.dec"), "    3 [EM] - Cindermaw\r\nSB: 2 [SV] - Crag Wyrm\r\n"
                                      "// plan B\r\n");
    openChoice = QString::fromStdString(dir.File("mixed.dec"));
    click(ed().sbLoad);
    saveChoice = QString::fromStdString(dir.File("appr.dec"));
    ed().SaveApprendic1->trigger();
    EXPECT_EQ(ReadBytes(dir.File("appr.dec")),
              "//NAME: mixed\r\n    3  Cindermaw\r\nSB: 2  Crag Wyrm\r\n// plan B\r\n");
    EXPECT_EQ(ed().edDName->text(), "mixed");

    // A hand-edited count that is no number gives the conversion message and changes nothing.
    WriteBytes(dir.File("bad.dec"), "    x3 [EM] - Cindermaw\r\n");
    openChoice = QString::fromStdString(dir.File("bad.dec"));
    click(ed().sbLoad);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().Caption, ErrorCaption);
    EXPECT_TRUE(messages.back().Text.contains("x3"));
    clickDeck(0);
    click(ed().bbDelete);
    EXPECT_EQ(deckLines(), QStringList({"    x3 [EM] - Cindermaw"}));
}

TEST_F(DeckEditor, BaseClickShowsPriceRulingsFaceAndHotSpotOpensTheRule) {
    clickBase("[SV] - Blasting Gale");
    const TZandorCard card = FindCard(db, "Blasting Gale", "SV");
    EXPECT_EQ(ed().lbPrice->text(), ToDisplay("Price: " + card.Value + " $"));
    const QString memo = ed().mmErrata->toPlainText();
    EXPECT_TRUE(memo.contains("Rulings:"));
    EXPECT_TRUE(memo.contains("<Rule 212.3b.>")) << memo.toStdString();
    EXPECT_EQ(ed().CardView->toolTip(), ToDisplay(PlainCardText(card.Text)));
    EXPECT_TRUE(ed().CardView->tViewCard->isActive());
    EXPECT_EQ(ed().tcStat->count(), 0);

    // A click on the hot spot jumps to the rule's topic of the help file.
    QTextCursor found = ed().mmErrata->document()->find("Rule 212.3b.");
    ASSERT_FALSE(found.isNull());
    found.setPosition(found.selectionStart() + 3);
    ed().mmErrata->setTextCursor(found);
    ed().mmErrata->ensureCursorVisible();
    const QPoint spot = ed().mmErrata->cursorRect(found).center();
    QTest::mouseClick(ed().mmErrata->viewport(), Qt::LeftButton, {}, spot);
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(HelpViewer().isVisible());
    EXPECT_EQ(HelpViewer().CurrentTopic(), "212.3b.");
    EXPECT_EQ(shell->HelpFile, shell->ProgramDir() + "/help/mRuleE.hlp");
}

TEST_F(DeckEditor, CrossFadesInFourStepsAndSwapsOnTheFifth) {
    clickBase("[EM] - Cindermaw");
    TCardView& view = *ed().CardView;
    const QImage face = view.CardBitmap().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(view.tViewCard->interval(), 55);
    EXPECT_EQ(view.Layer(0), face); // the new face waits beneath
    std::vector<int> steps{view.Opacity(1)};
    for (int i = 0; i < 4; ++i) {
        view.tViewCardTimer();
        steps.push_back(view.Opacity(1));
    }
    EXPECT_EQ(steps, std::vector<int>({255, 193, 131, 69, 7}));
    EXPECT_TRUE(view.tViewCard->isActive());
    view.tViewCardTimer();
    EXPECT_FALSE(view.tViewCard->isActive());
    EXPECT_EQ(view.Layer(1), face);
    EXPECT_EQ(view.Opacity(0), 255);
    EXPECT_EQ(view.Opacity(1), 255);
    EXPECT_EQ(view.Composed().pixel(105, 150), face.pixel(105, 150));

    // The window timer itself runs the fade to its end.
    clickBase("[SV] - Crag Wyrm");
    const QImage wyrm = view.CardBitmap().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(QTest::qWaitFor([&view] { return !view.tViewCard->isActive(); }, 2000));
    EXPECT_EQ(view.Layer(1), wyrm);

    // With the animation switched off the face shows at once; a split card's tab still fades.
    db.ProgramOptions.UseAnim = true;
    clickBase("[EM] - Hush/Howl (Hush)");
    EXPECT_FALSE(view.tViewCard->isActive());
    ASSERT_EQ(ed().tcStat->count(), 2);
    EXPECT_EQ(ed().tcStat->tabText(0), "Hush");
    EXPECT_EQ(ed().tcStat->tabText(1), "Howl");
    EXPECT_EQ(ed().tcStat->currentIndex(), 0);
    ed().tcStat->setCurrentIndex(1);
    EXPECT_TRUE(view.tViewCard->isActive());
}

TEST_F(DeckEditor, HeldArrowKeysFollowWithPriceAndDrawTheFaceOnRelease) {
    clickBase("[4E] - Anchor Chain");
    ed().CardView->tViewCard->stop();
    const QImage before = ed().CardView->Layer(0);
    ed().lbBase->setFocus();
    QTest::keyPress(ed().lbBase, Qt::Key_Down);
    EXPECT_EQ(ed().SelectedBase(), 1);
    EXPECT_TRUE(ed().SuspendFace());
    EXPECT_FALSE(ed().CardView->tViewCard->isActive());
    EXPECT_EQ(ed().CardView->Layer(0), before);
    QTest::keyPress(ed().lbBase, Qt::Key_Down);
    EXPECT_EQ(ed().SelectedBase(), 2);
    const QString memo = ed().mmErrata->toPlainText();
    EXPECT_TRUE(memo.contains("Ashen Crossing")) << memo.toStdString();
    QTest::keyRelease(ed().lbBase, Qt::Key_Down);
    EXPECT_FALSE(ed().SuspendFace());
    EXPECT_TRUE(ed().CardView->tViewCard->isActive());
    EXPECT_EQ(ed().mmErrata->toPlainText(), memo);
}

TEST_F(DeckEditor, DeckClickSelectsTheBaseLineAsSecondVisibleAndShowsTheCard) {
    WriteBytes(dir.File("split.dec"), "    2 [EM] - Hush/Howl\r\n    1 [SV] - Crag Wyrm\r\n");
    openChoice = QString::fromStdString(dir.File("split.dec"));
    click(ed().sbLoad);
    clickDeck(0);
    const int row = baseLines().indexOf("[EM] - Hush/Howl (Hush)");
    EXPECT_EQ(ed().lbBase->currentIndex().row(), row);
    EXPECT_EQ(ed().lbBase->indexAt(QPoint(4, 4)).row(), row - 1);
    ASSERT_EQ(ed().tcStat->count(), 2);
    EXPECT_EQ(ed().tcStat->tabText(1), "Howl");
    EXPECT_EQ(ed().lbEditionHide->text(), "EM");
    clickDeck(1);
    EXPECT_EQ(ed().tcStat->count(), 0);
    EXPECT_TRUE(ed().mmErrata->toPlainText().contains("Errata:"));
}

TEST_F(DeckEditor, SearchesInBothModesAndFindsNext) {
    search("boar", false);
    EXPECT_FALSE(ed().sbFind->isChecked());
    ASSERT_GE(ed().SelectedBase(), 0);
    EXPECT_EQ(baseLines()[ed().SelectedBase()], "[4E] - Barkhide Boar");
    click(ed().sbFindNext);
    EXPECT_EQ(baseLines()[ed().SelectedBase()], "[SV] - Barkhide Boar");
    // Five more steps go five matches further, in card-list order, and stop at the last.
    std::vector<long long> matches;
    const TCardFilter filter = TCardFilter::FromSettings(db.Settings);
    const auto holdsBoar = [](std::string text) {
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text.find("boar") != std::string::npos;
    };
    for (std::size_t n = 0; n < db.CardLines.size(); ++n) {
        const TZandorCard card = ParseCardLine(db.CardLines[n]);
        if (filter.Passes(card) &&
            (holdsBoar(card.Name) || holdsBoar(card.CardType) || holdsBoar(card.Text)))
            matches.push_back(static_cast<long long>(n));
    }
    ASSERT_GE(matches.size(), 2u);
    EXPECT_EQ(ed().Search().LastFoundLine(), matches[1]);
    for (int i = 0; i < 5; ++i)
        click(ed().sbFindNext);
    EXPECT_EQ(ed().Search().LastFoundLine(), matches[std::min<std::size_t>(6, matches.size() - 1)]);

    const int all = baseLines().size();
    search("boar", true);
    EXPECT_TRUE(ed().sbFind->isChecked());
    ASSERT_FALSE(baseLines().isEmpty());
    for (const QString& line : baseLines())
        EXPECT_TRUE(line.contains("Boar", Qt::CaseInsensitive) ||
                    FindCard(db, SplitBaseLine(line.toStdString()).Name, "").Text.find("oar") !=
                        std::string::npos)
            << line.toStdString();
    EXPECT_EQ(ed().gbBaseS->title(),
              QString("  Base: %1 cards selected  ").arg(baseLines().size()));
    click(ed().sbFind); // released: the list comes back
    EXPECT_FALSE(ed().sbFind->isChecked());
    EXPECT_EQ(baseLines().size(), all);

    // A term the card base's code page cannot hold is refused and says why.
    search(QStringLiteral("дракон"), true);
    EXPECT_FALSE(ed().sbFind->isChecked());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Caption, ErrorCaption);
    EXPECT_EQ(baseLines().size(), all);

    // Cancelling the dialog leaves the button up and the list as it was.
    whenShown([this] { click(shell->fmFindCard->bbCancel); });
    click(ed().sbFind);
    EXPECT_FALSE(ed().sbFind->isChecked());
    EXPECT_EQ(baseLines().size(), all);
}

TEST_F(DeckEditor, TestPlayAndClosingRouteThroughTheShell) {
    QSignalSpy statistics(&ed(), &TfmDeckED::StatisticsRequested);
    click(ed().sbStat); // an empty deck: nothing happens
    EXPECT_EQ(statistics.count(), 0);
    clickBase("[EM] - Cindermaw");
    click(ed().bbAdd);
    // The command shows the deck in the statistics window, modally.
    bool shown = false;
    QString firstCard;
    whenShown([&] {
        shown = shell->fmStat->isVisible();
        for (int c = 0; c < shell->fmStat->sgDeck->columnCount(); ++c)
            if (auto* item = shell->fmStat->sgDeck->item(0, c))
                firstCard += item->text() + "|";
        shell->fmStat->reject();
    });
    ed().Statistics1->trigger();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(firstCard.contains("Cindermaw")) << firstCard.toStdString();
    ASSERT_EQ(statistics.count(), 1);
    EXPECT_EQ(statistics[0][0].value<std::vector<std::string>>(),
              std::vector<std::string>({"    1 [EM] - Cindermaw"}));
    auto* table = new QWidget;
    delete shell->fmPlay; // the real table makes way for the stand-in
    shell->fmPlay = table;
    click(ed().sbTest);
    EXPECT_TRUE(table->isVisible());
    EXPECT_FALSE(ed().isVisible());
    EXPECT_EQ(db.PlayOrigin, "DeckED");
    EXPECT_EQ(PlayTestDecks().Player1Deck, std::vector<std::string>({"    1 [EM] - Cindermaw"}));
    table->hide();
    shell->PlayTableClosed();
    EXPECT_TRUE(ed().isVisible());
    EXPECT_EQ(deckLines(), QStringList({"    1 [EM] - Cindermaw"}));

    // Opened from the load deck dialog, the deck goes back to it instead.
    auto* loadDeck = new QWidget;
    delete shell->fmLoadDeck; // and the real load deck dialog
    shell->fmLoadDeck = loadDeck;
    loadDeck->show();
    PlayTestDecks().Player1Deck.clear();
    QSignalSpy returned(&ed(), &TfmDeckED::DeckForLoadDialog);
    click(ed().sbTest);
    ASSERT_EQ(returned.count(), 1);
    EXPECT_TRUE(PlayTestDecks().Player1Deck.empty());
    EXPECT_FALSE(ed().isVisible());
    loadDeck->hide();

    // Closing the editor shows the launcher again.
    ed().show();
    shell->fmMain->hide();
    ed().close();
    EXPECT_FALSE(ed().isVisible());
    EXPECT_TRUE(shell->fmMain->isVisible());
    EXPECT_EQ(db.PlayOrigin, "Main");
    delete table;
    delete loadDeck;
}

TEST_F(DeckEditor, LookBaseTogglesEditCardAndThePopUpEntry) {
    QSignalSpy edits(&ed(), &TfmDeckED::EditCardRequested);
    EXPECT_TRUE(ed().LookBase1->isChecked());
    EXPECT_FALSE(ed().EditCard1->isEnabled());
    clickBase("[SV] - Crag Wyrm", Qt::RightButton);
    EXPECT_EQ(baseLines()[ed().SelectedBase()], "[SV] - Crag Wyrm");
    EXPECT_NE(ed().lbPrice->text(), "Price: 0$"); // the right button shows the card too
    ed().pmEditCard->trigger();
    EXPECT_EQ(edits.count(), 0);
    ed().LookBase1->trigger();
    EXPECT_TRUE(ed().EditCard1->isEnabled());
    // The card edit dialog comes up; the user cancels it.
    whenShown([] { QApplication::activeModalWidget()->close(); });
    ed().pmEditCard->trigger();
    ASSERT_EQ(edits.count(), 1);
    EXPECT_EQ(edits[0][0].value<std::string>(), "[SV] - Crag Wyrm");
    ed().LookBase1->trigger();
    EXPECT_FALSE(ed().EditCard1->isEnabled());
    QSignalSpy proxies(&ed(), &TfmDeckED::ProxyLineRequested);
    ed().pmAddToProxy->trigger();
    ASSERT_EQ(proxies.count(), 1);
    EXPECT_EQ(proxies[0][0].value<std::string>(), "[SV] - Crag Wyrm");
    ed().pmBase->hide();
}

TEST_F(DeckEditor, VersionButtonAppendsTheRecordAndF1OpensTheContents) {
    ed().SpeedButton1->click();
    ed().SpeedButton1->click();
    const auto lines = ReadTextLines(dataDir + "/cardlist.dat");
    ASSERT_TRUE(lines);
    int versions = 0;
    for (const std::string& line : *lines)
        if (line.rfind("Version\t@@\t", 0) == 0) {
            ++versions;
            EXPECT_NE(line.find("Base 0.8 version"), std::string::npos);
        }
    EXPECT_EQ(versions, 3); // the sample base's own and the two added
    EXPECT_EQ(FindCard(db, "Version", "@@").Name, "Version");
    {
        // A failed save says so and leaves the list as the file has it.
        TFailingWriter failing;
        ed().SpeedButton1->click();
        EXPECT_EQ(failing.Attempts, 1);
    }
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Caption, ErrorCaption);
    EXPECT_EQ(db.CardLines.Lines(), *lines);

    shell->HelpFile.clear();
    ed().activateWindow();
    QTest::keyClick(ed().lbBase, Qt::Key_F1);
    EXPECT_TRUE(HelpViewer().isVisible());
    EXPECT_EQ(shell->HelpFile, shell->ProgramDir() + "/help/mRuleE.hlp");
}

TEST_F(DeckEditor, AMatchOutsideTheListSelectsNothingAndFindNextGoesOn) {
    shell.reset();
    WriteTextLines(dataDir + "/tempbase.dat", {"[EM] - Cindermaw", "[SV] - Barkhide Boar"});
    FreeCardDatabase(db);
    start();
    clickBase("[EM] - Cindermaw");
    search("boar", false); // the first boar, of 4E, is not in the list
    EXPECT_EQ(ed().SelectedBase(), -1);
    click(ed().sbFindNext);
    ASSERT_EQ(ed().SelectedBase(), 1);
    const long long last = ed().Search().LastFoundLine();
    click(ed().sbFindNext); // no further boar
    EXPECT_EQ(ed().SelectedBase(), 1);
    EXPECT_EQ(ed().Search().LastFoundLine(), last);
}

TEST_F(DeckEditor, ABrokenPictureIsNamedOnceAndTheCardStillShows) {
    db.PicDir = dir.File("pics");
    std::filesystem::create_directories(dir.File("pics/EM"));
    WriteBytes(dir.File("pics/EM/Cindermaw.jpg"), "not a picture");
    clickBase("[EM] - Cindermaw");
    clickBase("[SV] - Crag Wyrm");
    clickBase("[EM] - Cindermaw");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Caption, ErrorCaption);
    EXPECT_TRUE(messages[0].Text.contains("Cindermaw.jpg"));
    EXPECT_FALSE(ed().CardView->LastFace().ArtDrawn);
    EXPECT_TRUE(ed().CardView->tViewCard->isActive());
}

TEST_F(DeckEditor, AnEmptyDataFolderGivesAnEmptyListAndCommandsThatDoNothing) {
    shell.reset();
    FreeCardDatabase(db);
    dataDir = dir.File("empty");
    std::filesystem::create_directories(dataDir);
    start();
    EXPECT_TRUE(ed().BaseList().empty());
    EXPECT_EQ(ed().gbBaseS->title(), "  Base: 0 cards selected  ");
    click(ed().bbAdd);
    click(ed().bbSAdd);
    click(ed().bbDelete);
    click(ed().sbUp);
    click(ed().sbFindNext);
    search("boar", true); // no list to search: the button goes up again
    EXPECT_FALSE(ed().sbFind->isChecked());
    whenShown([this] {
        EXPECT_EQ(shell->fmFilters->clbEdition->count(), 0);
        click(shell->fmFilters->bbOk);
    });
    click(ed().sbFilter);
    EXPECT_TRUE(ed().BaseList().empty());
    EXPECT_TRUE(deckLines().isEmpty());
    EXPECT_TRUE(messages.empty());

    // The comment dialog keeps its last text for the next use.
    addComment("first");
    whenShown([this] {
        EXPECT_EQ(shell->fmResult->edText->text(), "first");
        click(shell->fmResult->bbCancel);
    });
    click(ed().bbComment);
    EXPECT_EQ(deckLines(), QStringList({"// first"}));
}

TEST_F(DeckEditor, TestPlayWithoutAPlayTableKeepsTheEditorOnScreen) {
    // A shell whose play table could not be made: the editor must not vanish.
    delete shell->fmPlay;
    ASSERT_TRUE(shell->fmPlay.isNull());
    shell->fmMain->hide();
    clickBase("[EM] - Cindermaw");
    click(ed().bbAdd);
    click(ed().sbTest);
    EXPECT_TRUE(ed().isVisible());
    ed().Testplay1->trigger();
    EXPECT_TRUE(ed().isVisible());
    EXPECT_EQ(db.PlayOrigin, "Main");
    // Closing it still leads back to the launcher, so the program can be ended.
    ed().close();
    EXPECT_TRUE(shell->fmMain->isVisible());
}

TEST_F(DeckEditor, EveryKeyboardMoveInTheBaseListShowsTheWholeCard) {
    // Every base line begins with "[", so a typed "[" moves to the next line.
    const QString start = "[SV] - Blasting Gale";
    const struct {
        Qt::Key key;
        char letter;
    } moves[] = {{Qt::Key_End, 0},    {Qt::Key_Home, 0}, {Qt::Key_PageDown, 0},
                 {Qt::Key_PageUp, 0}, {Qt::Key_Down, 0}, {Qt::Key_unknown, '['}};
    for (const auto& move : moves) {
        clickBase(start);
        const QString startMemo = ed().mmErrata->toPlainText();
        const int before = ed().SelectedBase();
        ed().lbBase->setFocus();
        if (move.letter) {
            QTest::keyClick(ed().lbBase, move.letter);
        } else {
            if (move.key == Qt::Key_PageUp)
                QTest::keyClick(ed().lbBase, Qt::Key_End); // somewhere to page up from
            QTest::keyClick(ed().lbBase, move.key);
        }
        const int row = ed().SelectedBase();
        ASSERT_GE(row, 0);
        ASSERT_NE(row, before) << move.key << " " << move.letter;
        const QString memo = ed().mmErrata->toPlainText();
        const QString price = ed().lbPrice->text();
        const QString hint = ed().CardView->toolTip();
        // A click on the same line shows exactly the same.
        clickBase(baseLines()[row]);
        EXPECT_EQ(memo, ed().mmErrata->toPlainText()) << baseLines()[row].toStdString();
        EXPECT_NE(memo, startMemo) << baseLines()[row].toStdString();
        EXPECT_EQ(price, ed().lbPrice->text());
        EXPECT_EQ(hint, ed().CardView->toolTip());
    }
}

TEST_F(DeckEditor, KeyboardMovesInTheDeckListShowTheCard) {
    WriteBytes(dir.File("two.dec"), "    2 [EM] - Hush/Howl\r\n    1 [SV] - Blasting Gale\r\n");
    openChoice = QString::fromStdString(dir.File("two.dec"));
    click(ed().sbLoad);
    clickDeck(1);
    const QString galeMemo = ed().mmErrata->toPlainText();
    const QString galePrice = ed().lbPrice->text();
    clickDeck(0);
    ASSERT_EQ(ed().tcStat->count(), 2);
    ASSERT_NE(ed().mmErrata->toPlainText(), galeMemo);
    ed().lbDeck->setFocus();
    QTest::keyClick(ed().lbDeck, Qt::Key_Down);
    EXPECT_EQ(ed().lbDeck->currentRow(), 1);
    EXPECT_EQ(ed().mmErrata->toPlainText(), galeMemo);
    EXPECT_EQ(ed().lbPrice->text(), galePrice);
    EXPECT_EQ(ed().tcStat->count(), 0);
    EXPECT_EQ(baseLines()[ed().lbBase->currentIndex().row()], "[SV] - Blasting Gale");
    QTest::keyClick(ed().lbDeck, Qt::Key_Home);
    EXPECT_EQ(ed().tcStat->count(), 2);
}

TEST_F(DeckEditor, FindNextAfterACancelledDialogGoesOnWithTheLastSearch) {
    search("boar", false);
    ASSERT_EQ(baseLines()[ed().SelectedBase()], "[4E] - Barkhide Boar");
    // The user changes the dialog and thinks better of it.
    whenShown([this] {
        TfmFindCard& find = *shell->fmFindCard;
        find.cbFind1->setEditText("wyrm");
        find.cbName->setChecked(false);
        find.cbSelectMatch->setChecked(true);
        click(find.bbCancel);
    });
    click(ed().sbFind);
    EXPECT_FALSE(ed().sbFind->isChecked());
    click(ed().sbFindNext);
    EXPECT_EQ(baseLines()[ed().SelectedBase()], "[SV] - Barkhide Boar");
    // The dialog shows the search that was made, not the one that was cancelled.
    QString term;
    bool name = false, selectAll = true;
    whenShown([&] {
        TfmFindCard& find = *shell->fmFindCard;
        term = find.cbFind1->currentText();
        name = find.cbName->isChecked();
        selectAll = find.cbSelectMatch->isChecked();
        click(find.bbCancel);
    });
    click(ed().sbFind);
    EXPECT_EQ(term, "boar");
    EXPECT_TRUE(name);
    EXPECT_FALSE(selectAll);
}

TEST_F(DeckEditor, ARightClickBelowTheLastLineActsOnNoLine) {
    search("boar", true); // a short list that leaves room below its last line
    ASSERT_TRUE(ed().sbFind->isChecked());
    ASSERT_GE(baseLines().size(), 1);
    clickBase(baseLines()[0]);
    const QModelIndex last = ed().BaseModel().index(static_cast<int>(baseLines().size() - 1));
    const QPoint below = ed().lbBase->visualRect(last).bottomLeft() + QPoint(10, 20);
    ASSERT_LT(below.y(), ed().lbBase->viewport()->height());
    ASSERT_FALSE(ed().lbBase->indexAt(below).isValid());
    QTest::mouseClick(ed().lbBase->viewport(), Qt::RightButton, {}, below);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, below,
                           ed().lbBase->viewport()->mapToGlobal(below));
    QApplication::sendEvent(ed().lbBase->viewport(), &menu);
    EXPECT_FALSE(ed().pmBase->isVisible());
    ed().pmBase->hide();
    // On a line the menu comes up.
    const QPoint on = ed().lbBase->visualRect(last).center();
    QTest::mouseClick(ed().lbBase->viewport(), Qt::RightButton, {}, on);
    QContextMenuEvent onLine(QContextMenuEvent::Mouse, on,
                             ed().lbBase->viewport()->mapToGlobal(on));
    QApplication::sendEvent(ed().lbBase->viewport(), &onLine);
    EXPECT_TRUE(ed().pmBase->isVisible());
    EXPECT_EQ(ed().SelectedBase(), last.row());
    ed().pmBase->hide();
}

TEST_F(DeckEditor, ThePopUpEditCardFollowsLookBaseLikeTheMenuEntry) {
    EXPECT_TRUE(ed().LookBase1->isChecked());
    EXPECT_FALSE(ed().pmEditCard->isEnabled());
    ed().LookBase1->trigger();
    EXPECT_TRUE(ed().EditCard1->isEnabled());
    EXPECT_TRUE(ed().pmEditCard->isEnabled());
    ed().LookBase1->trigger();
    EXPECT_FALSE(ed().pmEditCard->isEnabled());
}

TEST_F(DeckEditor, AFaceHeldBackByAKeyIsDrawnWhenTheFocusLeaves) {
    ed().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&ed()));
    clickBase("[4E] - Anchor Chain");
    ed().CardView->tViewCard->stop();
    ed().lbBase->setFocus();
    // Keys that move nothing hold nothing back.
    QTest::keyPress(ed().lbBase, Qt::Key_Shift);
    EXPECT_FALSE(ed().SuspendFace());
    QTest::keyRelease(ed().lbBase, Qt::Key_Shift);
    // An arrow moves the line; the focus leaves before the key comes up.
    QTest::keyPress(ed().lbBase, Qt::Key_Down);
    ASSERT_TRUE(ed().SuspendFace());
    ed().edFind->setFocus();
    EXPECT_FALSE(ed().SuspendFace());
    EXPECT_TRUE(ed().CardView->tViewCard->isActive());
    // A later click shows its card's face at once.
    ed().CardView->tViewCard->stop();
    clickBase("[SV] - Crag Wyrm");
    EXPECT_TRUE(ed().CardView->tViewCard->isActive());
    EXPECT_EQ(ed().CardView->toolTip(),
              ToDisplay(PlainCardText(FindCard(db, "Crag Wyrm", "SV").Text)));
}
TEST_F(DeckEditor, ADeckFileThatIsNoRegularFileIsRefusedWithTheReason) {
    WriteBytes(dir.File("kept.dec"), "    3 [EM] - Cindermaw\r\n");
    openChoice = QString::fromStdString(dir.File("kept.dec"));
    click(ed().sbLoad);
    ASSERT_EQ(::mkfifo(dir.File("fifo.dec").c_str(), 0644), 0);
    std::filesystem::create_directory(dir.File("folder.dec"));
    const std::pair<const char*, const char*> cases[] = {{"fifo.dec", "not a regular file"},
                                                         {"folder.dec", "is a folder"}};
    for (const auto& [file, reason] : cases) {
        messages.clear();
        openChoice = QString::fromStdString(dir.File(file));
        click(ed().sbLoad); // a FIFO would block here if it were opened for reading
        ASSERT_EQ(messages.size(), 1u) << file;
        EXPECT_EQ(messages[0].Caption, ErrorCaption);
        EXPECT_TRUE(messages[0].Text.contains(QString::fromUtf8(file)));
        EXPECT_TRUE(messages[0].Text.contains(QString::fromUtf8(reason)))
            << messages[0].Text.toStdString();
        EXPECT_EQ(deckLines(), QStringList({"    3 [EM] - Cindermaw"}));
        EXPECT_EQ(ed().edDName->text(), "kept");
    }
}
