// The price window, offscreen, on a copy of the sample data: its buttons pressed, its file
// dialog answered, its download served by a web server on the loopback interface.
#include "core/UApplication.h"
#include "core/USettings.h"
#include "maint/UAddPrice.h"
#include "maint/UPriceDownload.h"
#include "tests/maint/MaintTestKit.h"
#include "tests/maint/TestHttpServer.h"
#include "widgets/UMessages.h"

#include <QEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>

using namespace zandor;
using namespace zandor::test;
using TMode = TTestHttpServer::TMode;

namespace {

struct AddPrice : ::testing::Test {
    TTempDir dir;
    std::string dataDir;
    TCardDatabase db;
    std::unique_ptr<TfmAddPrice> window;
    std::vector<TMessage> messages;
    QString choice;
    int dialogs = 0;

    void SetUp() override {
        dataDir = dir.File("data");
        std::filesystem::create_directories(dataDir);
        CopySampleData(dataDir);
        LoadCardDatabase(db, dir.Path(), dataDir);
        SetMessageAnswerer([this](const TMessage& m) {
            messages.push_back(m);
            return true;
        });
        window = std::make_unique<TfmAddPrice>(db);
        window->ChooseFile = [this](QWidget*) {
            ++dialogs;
            return choice;
        };
        window->Today = [] { return TDate{2026, 12, 11}; };
        window->show();
    }
    void TearDown() override {
        window.reset();
        SetMessageAnswerer({});
    }
    QString sampleList() const { return QString::fromStdString(dataDir + "/import/prices.txt"); }
    QStringList notFound() const {
        const QString text = window->mmNotF->toPlainText();
        return text.isEmpty() ? QStringList() : text.split('\n');
    }
    std::string value(const std::string& name, const std::string& edition) {
        return FindCard(db, name, edition).Value;
    }
    std::string cardListBytes() { return ReadBytes(dataDir + "/cardlist.dat"); }
    std::string settingsBytes() { return ReadBytes(dataDir + "/Zandor.ini"); }
};

} // namespace

TEST_F(AddPrice, ShowsItsControlsAsDrawn) {
    EXPECT_EQ(window->windowTitle(), "Обновление прайс листа");
    EXPECT_EQ(window->size(), QSize(438, 201));
    EXPECT_EQ(window->plNum->text(), "Обновлено: 0 карт");
    EXPECT_EQ(window->plNoNum->text(), "Не найдено в базе: 0 карт");
    EXPECT_EQ(window->lbDataCaption->text(), "Последнее обновление от:");
    EXPECT_EQ(window->lbData->text(), "02.07.01"); // the version record's date
    EXPECT_EQ(window->BitBtn3->text(), "Добавить");
    EXPECT_EQ(window->BitBtn4->text(), "Обновить через интернет");
    EXPECT_TRUE(window->mmNotF->isReadOnly());
    EXPECT_FALSE(window->bbCancel->isEnabled());
}

TEST_F(AddPrice, UpdatesFromAFileAndListsTheNamesItCouldNotPlace) {
    choice = sampleList();
    QTest::mouseClick(window->BitBtn3, Qt::LeftButton);
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(window->plNum->text(), "Обновлено: 21 карт");
    EXPECT_EQ(window->plNoNum->text(), "Не найдено в базе: 2 карт");
    EXPECT_EQ(notFound(), QStringList({"Glassfire Drake (GL)", "Facet Weaver (GL)"}));
    EXPECT_EQ(window->stNameCard->text(), "Completed");
    EXPECT_EQ(window->lbData->text(), "11.12.26");
    EXPECT_EQ(window->PriceLines.size(), 24u);
    EXPECT_EQ(value("Crag Wyrm", "SV"), "7,50");
    EXPECT_EQ(value("Crag Wyrm", "4E"), "3,25");
    EXPECT_EQ(value("Hush/Howl (Howl)", "EM"), "0,90");
    EXPECT_EQ(value("Vessa, Ember Oracle", "EM"), "11,50");
    EXPECT_EQ(FindCard(db, "Version", "@@").Flavor, "11.12.26");
    TCardDatabase reread;
    LoadCardDatabase(reread, dir.Path(), dataDir);
    EXPECT_EQ(reread.CardLines, db.CardLines);
    EXPECT_EQ(reread.Settings.ReadString(ini::Update, ini::Price, ""), "11.12.26");

    // A second run counts its own updates; the not-found list goes on growing.
    QTest::mouseClick(window->BitBtn3, Qt::LeftButton);
    EXPECT_EQ(window->plNum->text(), "Обновлено: 21 карт");
    EXPECT_EQ(window->plNoNum->text(), "Не найдено в базе: 4 карт");
    EXPECT_EQ(notFound().size(), 4);
}

TEST_F(AddPrice, ACancelledFileDialogChangesNothing) {
    const std::string cards = cardListBytes();
    const std::string settings = settingsBytes();
    choice.clear();
    QTest::mouseClick(window->BitBtn3, Qt::LeftButton);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(window->plNum->text(), "Обновлено: 0 карт");
    EXPECT_EQ(window->lbData->text(), "02.07.01");
    EXPECT_TRUE(window->stNameCard->text().isEmpty());
    EXPECT_EQ(cardListBytes(), cards);
    EXPECT_EQ(settingsBytes(), settings);
    EXPECT_TRUE(messages.empty());

    // A file that cannot be read is an error and changes nothing either.
    choice = QString::fromStdString(dir.File("missing.txt"));
    QTest::mouseClick(window->BitBtn3, Qt::LeftButton);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Caption, "Ошибка");
    EXPECT_EQ(cardListBytes(), cards);
    EXPECT_TRUE(window->PriceLines.empty());
}

TEST_F(AddPrice, ACardListThatCannotBeSavedLeavesEverythingAsItWas) {
    const TCardLines before = db.CardLines;
    const std::string cards = cardListBytes();
    choice = sampleList();
    {
        TFailOneFile fail("cardlist.dat");
        QTest::mouseClick(window->BitBtn3, Qt::LeftButton);
    }
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].Text.contains("no space left")) << messages[0].Text.toStdString();
    EXPECT_EQ(db.CardLines, before);
    EXPECT_EQ(cardListBytes(), cards);
    EXPECT_EQ(window->plNum->text(), "Обновлено: 0 карт");
    EXPECT_EQ(window->plNoNum->text(), "Не найдено в базе: 0 карт");
    EXPECT_TRUE(notFound().isEmpty());
    EXPECT_EQ(window->lbData->text(), "02.07.01");
}

TEST_F(AddPrice, DownloadsFromTheServerAndSavesTheList) {
    TTestHttpServer server;
    server.Mode = TMode::Pieces;
    server.Body = QByteArray::fromStdString(ReadBytes(sampleList().toStdString()));
    db.Settings.WriteString(ini::Update, PriceHostKey, server.Host().toStdString());
    QStringList progress;
    QObject::connect(&window->Download(), &TPriceDownload::Received,
                     [&] { progress << window->stNameCard->text(); });
    QTest::mouseClick(window->BitBtn4, Qt::LeftButton);
    ASSERT_TRUE(messages.empty()) << messages[0].Text.toStdString();
    EXPECT_EQ(server.Requests, 1);
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(progress.last(), QStringLiteral("Receiving: %1").arg(server.Body.size()));
    EXPECT_EQ(window->plNum->text(), "Обновлено: 21 карт");
    EXPECT_EQ(window->plNoNum->text(), "Не найдено в базе: 2 карт");
    EXPECT_EQ(window->stNameCard->text(), "Completed");
    EXPECT_EQ(value("Cindermaw", "EM"), "8,00");
    // Beside the program, whose folder is writable here.
    EXPECT_EQ(ReadBytes(dir.File("price.txt")), server.Body.toStdString());
    EXPECT_TRUE(window->BitBtn4->isEnabled());
    EXPECT_FALSE(window->bbCancel->isEnabled());
}

TEST_F(AddPrice, AFailedDownloadChangesNothing) {
    const std::string cards = cardListBytes();
    struct Case {
        TMode Mode;
        int Status;
        QByteArray Body;
    };
    for (const Case& c : {Case{TMode::Answer, 404, "gone"}, Case{TMode::Answer, 200, ""},
                          Case{TMode::CloseEarly, 200, "Crag Wyrm (SV) |  1.00 ,"}}) {
        TTestHttpServer server;
        server.Mode = c.Mode;
        server.Status = c.Status;
        server.Body = c.Body;
        db.Settings.WriteString(ini::Update, PriceHostKey, server.Host().toStdString());
        const std::string settings = settingsBytes();
        messages.clear();
        QTest::mouseClick(window->BitBtn4, Qt::LeftButton);
        ASSERT_EQ(messages.size(), 1u) << c.Status;
        EXPECT_EQ(messages[0].Caption, "Ошибка");
        EXPECT_EQ(cardListBytes(), cards);
        EXPECT_EQ(settingsBytes(), settings);
        EXPECT_FALSE(FileExists(dir.File("price.txt")));
        EXPECT_TRUE(window->PriceLines.empty());
        EXPECT_EQ(window->plNum->text(), "Обновлено: 0 карт");
        EXPECT_EQ(window->lbData->text(), "02.07.01");
    }
}

TEST_F(AddPrice, WithoutAServerTheCommandSaysSo) {
    QTest::mouseClick(window->BitBtn4, Qt::LeftButton);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].Text.contains("PriceHost")) << messages[0].Text.toStdString();
    EXPECT_TRUE(window->BitBtn4->isEnabled());
}

TEST_F(AddPrice, CancelEndsTheDownload) {
    TTestHttpServer server;
    server.Mode = TMode::Silent;
    db.Settings.WriteString(ini::Update, PriceHostKey, server.Host().toStdString());
    const std::string cards = cardListBytes();
    bool busyWhileRunning = false;
    QTimer::singleShot(150, window.get(), [&] {
        busyWhileRunning = !window->BitBtn3->isEnabled() && !window->BitBtn2->isEnabled() &&
                           window->bbCancel->isEnabled();
        QTest::mouseClick(window->bbCancel, Qt::LeftButton);
    });
    QTest::mouseClick(window->BitBtn4, Qt::LeftButton);
    EXPECT_TRUE(busyWhileRunning);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(window->stNameCard->text(), "Cancelled");
    EXPECT_EQ(cardListBytes(), cards);
    EXPECT_TRUE(window->BitBtn4->isEnabled());
}

namespace {

// Counts the paints of a widget.
struct TPaintCounter : QObject {
    int Paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        Paints += event->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

TEST_F(AddPrice, ALongListRepaintsTheWindowNowAndThenNotForEveryEntry) {
    std::vector<std::string> lines = PriceHeader;
    for (int i = 0; i < 20000; ++i)
        lines.push_back(PriceEntryLine(
            i % 2 ? "Crag Wyrm (SV)" : "Unlisted Card " + std::to_string(i), "1.00"));
    WriteTextLines(dir.File("long.txt"), lines);
    choice = QString::fromStdString(dir.File("long.txt"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    TPaintCounter counter;
    window->stNameCard->installEventFilter(&counter);
    QTest::mouseClick(window->BitBtn3, Qt::LeftButton);
    EXPECT_EQ(window->plNum->text(), "Обновлено: 10000 карт");
    EXPECT_EQ(window->plNoNum->text(), "Не найдено в базе: 10000 карт");
    // A paint per 30 ms at most: far fewer than the entries, however slow the machine.
    EXPECT_LT(counter.Paints, 2000);
}
