// The deck editor's plain-text deck commands on a copy of the sample data: a list pasted
// from the clipboard through the real File menu, a text file imported, and the deck copied
// back out as text.
#include "core/UApplication.h"
#include "deck/UDeckED.h"
#include "tests/testkit/TestKit.h"
#include "widgets/UMessages.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <gtest/gtest.h>

using namespace zandor;
using namespace zandor::test;

namespace {

struct DeckText : ::testing::Test {
    TTempDir dir;
    TCardDatabase db;
    std::unique_ptr<TZandorShell> shell;
    std::vector<TMessage> messages;
    QString textChoice;
    QString textFolder;

    void SetUp() override {
        const std::string dataDir = dir.File("data");
        std::filesystem::create_directories(dataDir);
        CopySampleData(dataDir);
        SetMessageAnswerer([this](const TMessage& m) {
            messages.push_back(m);
            return true;
        });
        LoadCardDatabase(db, dir.Path(), dataDir);
        db.DeckDir = dir.Path();
        shell = std::make_unique<TZandorShell>(db);
        shell->CreateWindows();
        ed().FileDialogs.OpenText = [this](QWidget*, const QString& folder) {
            textFolder = folder;
            return textChoice;
        };
        ed().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&ed()));
    }
    void TearDown() override {
        shell.reset();
        SetMessageAnswerer({});
    }
    TfmDeckED& ed() { return *static_cast<TfmDeckED*>(shell->fmDeckED.data()); }

    QStringList deckLines() {
        QStringList lines;
        for (int i = 0; i < ed().lbDeck->count(); ++i)
            lines << ed().lbDeck->item(i)->text();
        return lines;
    }
    QStringList counters() {
        return {ed().lbMana->text(), ed().lbCreatures->text(), ed().lbSpells->text(),
                ed().lbDecks->text(), ed().lbSB->text()};
    }
    // Opens "File" on the menu bar with the mouse and clicks the entry.
    void chooseFromFileMenu(QAction* entry) {
        QMenuBar* bar = ed().menuBar();
        QAction* file = nullptr;
        for (QAction* a : bar->actions())
            if (a->text() == QStringLiteral("File"))
                file = a;
        ASSERT_NE(file, nullptr);
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file).center());
        QMenu* menu = file->menu();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        ASSERT_TRUE(menu->actions().contains(entry));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
    }
};

} // namespace

TEST_F(DeckText, TheFileMenuHoldsTheTextEntries) {
    EXPECT_EQ(ed().ImportTextDeck1->text(), QStringLiteral("Import Text Deck..."));
    EXPECT_EQ(ed().PasteDeck1->text(), QStringLiteral("Paste Deck"));
    EXPECT_EQ(ed().CopyDeckAsText1->text(), QStringLiteral("Copy Deck as Text"));
}

TEST_F(DeckText, APastedListBecomesTheDeckAndUnmatchedLinesAreNamed) {
    QGuiApplication::clipboard()->setText(QStringLiteral("// Shoal knights\r\n"
                                                         "4x Gull Herald (4E)\r\n"
                                                         "2 \u00C6rnhold Sentinel\r\n"
                                                         "Mend // Rend x2\r\n"
                                                         "3 Glimmer Moth\r\n"
                                                         "10 orren plateau\r\n"
                                                         "\r\n"
                                                         "3 Kelp Tangle\r\n"));
    ed().edDName->setText(QStringLiteral("Old name"));
    chooseFromFileMenu(ed().PasteDeck1);
    EXPECT_EQ(deckLines(),
              (QStringList{"// Shoal knights", "    4 [4E] - Gull Herald",
                           "    2 [4E] - \u00C6rnhold Sentinel", "    2 [SV] - Mend/Rend",
                           "    10 [4E] - Orren Plateau", "SB: 3 [SV] - Kelp Tangle"}));
    EXPECT_EQ(counters(), (QStringList{"10 cards", "6 cards", "2 cards", "18 cards", "3 cards"}));
    EXPECT_EQ(ed().edDName->text(), QString());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Kind, TMessageKind::Error);
    EXPECT_EQ(messages[0].Text,
              QStringLiteral("1 line(s) of the text match no card and were left out:\n"
                             "line 5: \"3 Glimmer Moth\": no card of that name in the base"));

    // Text that names no card leaves the deck as it was.
    messages.clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("Dear all,\nhere is my list!\n"));
    ed().PasteDeck1->trigger();
    EXPECT_EQ(deckLines().size(), 6);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].Text.startsWith(QStringLiteral("No line of the text names a card")));
    EXPECT_TRUE(messages[0].Text.contains(QStringLiteral("line 2: \"here is my list!\"")));

    messages.clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("  \n"));
    ed().PasteDeck1->trigger();
    EXPECT_EQ(deckLines().size(), 6);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, QStringLiteral("The clipboard holds no deck list."));
}

TEST_F(DeckText, CopyAsTextAndPasteAgainGiveTheSameDeck) {
    textChoice = QString::fromStdString(dir.File("Fen List.txt"));
    WriteBytes(dir.File("Fen List.txt"), "4 Gull Herald\n2 Mend/Rend (SV)\nSideboard\n"
                                         "SB: 1 Orren Plateau\n3 Kelp Tangle (SV) 41\n");
    chooseFromFileMenu(ed().ImportTextDeck1);
    EXPECT_EQ(textFolder, QString::fromStdString(dir.Path()));
    EXPECT_EQ(ed().edDName->text(), QStringLiteral("Fen List"));
    const QStringList deck = deckLines();
    EXPECT_EQ(deck, (QStringList{"    4 [4E] - Gull Herald", "    2 [SV] - Mend/Rend",
                                 "SB: 1 [4E] - Orren Plateau", "SB: 3 [SV] - Kelp Tangle"}));
    EXPECT_TRUE(messages.empty());

    chooseFromFileMenu(ed().CopyDeckAsText1);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QStringLiteral("4 Gull Herald (4E)\n2 Mend // Rend (SV)\n\nSideboard\n"
                             "1 Orren Plateau (4E)\n3 Kelp Tangle (SV)\n"));
    QTest::mouseClick(ed().sbNew, Qt::LeftButton);
    EXPECT_TRUE(deckLines().isEmpty());
    // An empty deck puts nothing on the clipboard.
    ed().CopyDeckAsText1->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text().count(QLatin1Char('\n')), 6);
    ed().PasteDeck1->trigger();
    EXPECT_EQ(deckLines(), deck);
    EXPECT_TRUE(messages.empty());

    // A cancelled dialog and a file that cannot be read change nothing.
    textChoice.clear();
    ed().ImportTextDeck1->trigger();
    textChoice = QString::fromStdString(dir.File("missing.txt"));
    ed().ImportTextDeck1->trigger();
    EXPECT_EQ(deckLines(), deck);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].Text.startsWith(QStringLiteral("Cannot read the file")));
}
