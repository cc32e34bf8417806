// The edition window with its add dialog, the card edit dialog and the about box, opened
// from the real deck editor on a copy of the sample data and driven with mouse and key
// events under the offscreen platform.
#include "core/UApplication.h"
#include "deck/UBaseListView.h"
#include "deck/UCardView.h"
#include "deck/UDeckED.h"
#include "deck/UFilters.h"
#include "maint/UAboutBox.h"
#include "maint/UAddEdition.h"
#include "maint/UEditCard.h"
#include "maint/UEditionED.h"
#include "tests/testkit/TestKit.h"
#include "widgets/UMessages.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

using namespace zandor;
using namespace zandor::test;

namespace {

// Runs what a modal dialog's user would do once the dialog is up.
void whenShown(std::function<void()> user) {
    QTimer::singleShot(0, std::move(user));
}

template <class T> T* modal() {
    return qobject_cast<T*>(QApplication::activeModalWidget());
}

void click(QWidget* widget) {
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

// Replaces the text of an edit box the way a user does: select all, type.
void retype(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

struct MaintWindows : ::testing::Test {
    TTempDir dir;
    std::string dataDir;
    TCardDatabase db;
    std::unique_ptr<TZandorShell> shell;
    std::vector<TMessage> messages;
    bool answer = true;

    void SetUp() override {
        dataDir = dir.File("data");
        std::filesystem::create_directories(dataDir);
        CopySampleData(dataDir);
        SetMessageAnswerer([this](const TMessage& m) {
            messages.push_back(m);
            return answer;
        });
        LoadCardDatabase(db, dir.Path(), dataDir);
        shell = std::make_unique<TZandorShell>(db);
        shell->CreateWindows();
        ed().show();
    }
    void TearDown() override {
        shell.reset();
        SetMessageAnswerer({});
    }
    TfmDeckED& ed() { return *static_cast<TfmDeckED*>(shell->fmDeckED.data()); }
    std::string file(const std::string& name) { return ReadBytes(dataDir + "/" + name); }

    QStringList baseLines() {
        QStringList lines;
        for (const std::string& line : ed().BaseList().Lines())
            lines << ToDisplay(line);
        return lines;
    }
    void clickBase(const QString& text) {
        const int row = baseLines().indexOf(text);
        ASSERT_GE(row, 0) << text.toStdString();
        const QModelIndex index = ed().BaseModel().index(row);
        ed().lbBase->scrollTo(index);
        QTest::mouseClick(ed().lbBase->viewport(), Qt::LeftButton, {},
                          ed().lbBase->visualRect(index).center());
    }
    static QStringList listLines(QListWidget* list) {
        QStringList lines;
        for (int i = 0; i < list->count(); ++i)
            lines << list->item(i)->text();
        return lines;
    }
    // Opens "Add/Delete Edition..." and lets user act in the window; the window is closed
    // with its OK button afterwards.
    void inEditionWindow(std::function<void(TfmEditionED&)> user) {
        bool ran = false;
        whenShown([&] {
            TfmEditionED* window = modal<TfmEditionED>();
            ASSERT_NE(window, nullptr);
            user(*window);
            ran = true;
            click(window->bbOkEdition);
        });
        ed().AddDeleteEdition1->trigger();
        EXPECT_TRUE(ran);
    }
    // Presses "Add Edition..." and fills the add dialog.
    void addEdition(TfmEditionED& window, std::function<void(TfmAddEdition&)> user) {
        whenShown([&] {
            TfmAddEdition* dialog = modal<TfmAddEdition>();
            ASSERT_NE(dialog, nullptr);
            user(*dialog);
        });
        click(window.bbAddEdition);
    }
    void selectEdition(TfmEditionED& window, const QString& line) {
        const QList<QListWidgetItem*> found = window.lbEditionED->findItems(line, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << line.toStdString();
        QTest::mouseClick(window.lbEditionED->viewport(), Qt::LeftButton, {},
                          window.lbEditionED->visualItemRect(found[0]).center());
    }
};

} // namespace

TEST_F(MaintWindows, TheSampleSpoilerImportsAndItsCardsShowAtOnce) {
    const std::string spoiler = dataDir + "/import/glasswater.txt";
    inEditionWindow([&](TfmEditionED& window) {
        EXPECT_EQ(window.windowTitle(), "Edit Edition");
        EXPECT_EQ(listLines(window.lbEditionED),
                  QStringList({"4E - Fourth Codex", "EM - Emberhold", "SV - Saltveil"}));
        addEdition(window, [&](TfmAddEdition& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Добавление редакции");
            EXPECT_EQ(dialog.edTit->text(), "Card Title:");
            EXPECT_EQ(dialog.edNum->text(), "Card #:");
            dialog.ChooseSpoiler = [&](QWidget*) { return QString::fromStdString(spoiler); };
            QTest::keyClicks(dialog.edName, "Glasswater");
            QTest::keyClicks(dialog.edKey, "GL");
            click(dialog.bbPath);
            EXPECT_EQ(dialog.stPath->text().toStdString(), spoiler);
            click(dialog.bbOk);
        });
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].Caption, ResultCaption);
        EXPECT_EQ(messages[0].Kind, TMessageKind::Information);
        EXPECT_EQ(messages[0].Text, "Добавлено: 20 карт");
        EXPECT_EQ(window.lbEditionED->item(0)->text(), "GL - Glasswater");
    });
    EXPECT_NE(file("Zandor.ini").find("GL=Glasswater"), std::string::npos);
    // The base list was filtered anew; the new edition starts unticked in the filter.
    EXPECT_FALSE(baseLines().contains("[GL] - Facet Weaver"));
    EXPECT_TRUE(baseLines().contains("[EM] - Ashfall Priest"));
    whenShown([this] {
        TfmFilters& filters = *shell->fmFilters;
        ASSERT_EQ(filters.clbEdition->item(0)->text(), "Glasswater");
        EXPECT_EQ(filters.clbEdition->item(0)->checkState(), Qt::Unchecked);
        filters.clbEdition->item(0)->setCheckState(Qt::Checked);
        click(filters.bbOk);
    });
    click(ed().sbFilter);
    // Ticked in the filter, the new cards are listed and a click shows the card's face.
    ASSERT_TRUE(baseLines().contains("[GL] - Facet Weaver"));
    clickBase("[GL] - Facet Weaver");
    EXPECT_TRUE(ed().CardView->toolTip().startsWith("Facet Weaver's power is equal to"))
        << ed().CardView->toolTip().toStdString();
    EXPECT_EQ(FindCard(db, "Facet Weaver", "GL").Color, "Gld");
}

TEST_F(MaintWindows, RefusedAndCancelledAdditionsChangeNothing) {
    const std::string ini = file("Zandor.ini");
    const std::string cards = file("cardlist.dat");
    inEditionWindow([&](TfmEditionED& window) {
        // A name without a spoiler, and the catalogue box unticked.
        addEdition(window, [&](TfmAddEdition& dialog) {
            dialog.ChooseSpoiler = [](QWidget*) { return QString(); };
            QTest::keyClicks(dialog.edName, "Nowhere");
            QTest::keyClicks(dialog.edKey, "NW");
            click(dialog.bbPath);
            EXPECT_EQ(dialog.stPath->text(), "");
            click(dialog.bbOk);
        });
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].Caption, ErrorCaption);
        EXPECT_EQ(messages[0].Text, "Не все поля заполнены");
        // A key of another letter case than one in the catalogue.
        addEdition(window, [&](TfmAddEdition& dialog) {
            EXPECT_EQ(dialog.edName->text(), ""); // cleared on every showing
            QTest::keyClicks(dialog.edName, "Emberhold Again");
            QTest::keyClicks(dialog.edKey, "em");
            click(dialog.cbText);
            click(dialog.bbOk);
        });
        ASSERT_EQ(messages.size(), 2u);
        EXPECT_EQ(messages[1].Text, "Редакция уже существует");
        // Cancel.
        addEdition(window, [&](TfmAddEdition& dialog) {
            QTest::keyClicks(dialog.edName, "Thornmere");
            QTest::keyClicks(dialog.edKey, "TM");
            click(dialog.bbCancel);
        });
        EXPECT_EQ(messages.size(), 2u);
        EXPECT_EQ(window.lbEditionED->count(), 3);
    });
    EXPECT_EQ(file("Zandor.ini"), ini);
    EXPECT_EQ(file("cardlist.dat"), cards);
}

TEST_F(MaintWindows, CatalogueOnlyAndFieldKeysThatStay) {
    WriteBytes(dataDir + "/kestrels.txt", "Name: Gale Kestrel\r\nIllus: Tam Orrin\r\n");
    inEditionWindow([&](TfmEditionED& window) {
        addEdition(window, [&](TfmAddEdition& dialog) {
            QTest::keyClicks(dialog.edName, "Nowhere");
            QTest::keyClicks(dialog.edKey, "NW");
            click(dialog.cbText);
            retype(dialog.edTit, "Name:");
            retype(dialog.edArtist, "Illus:");
            click(dialog.bbOk);
        });
        EXPECT_TRUE(messages.empty()); // the catalogue-only addition reports nothing
        EXPECT_EQ(window.lbEditionED->item(0)->text(), "NW - Nowhere");
        addEdition(window, [&](TfmAddEdition& dialog) {
            EXPECT_EQ(dialog.edTit->text(), "Name:");
            EXPECT_TRUE(dialog.cbText->isChecked());
            click(dialog.cbText);
            dialog.ChooseSpoiler = [&](QWidget*) {
                return QString::fromStdString(dataDir + "/kestrels.txt");
            };
            click(dialog.bbPath);
            QTest::keyClicks(dialog.edName, "Kestrels");
            QTest::keyClicks(dialog.edKey, "KS");
            click(dialog.bbOk);
        });
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].Text, "Добавлено: 1 карт");
    });
    EXPECT_EQ(FindCard(db, "Gale Kestrel", "KS").Artist, " Tam Orrin");
}

TEST_F(MaintWindows, DeletionAsksAndRefiltersTheBaseList) {
    ASSERT_TRUE(baseLines().contains("[EM] - Ashfall Priest"));
    const std::string cards = file("cardlist.dat");
    inEditionWindow([&](TfmEditionED& window) {
        click(window.bbDeleteEdition); // nothing selected: nothing happens
        EXPECT_TRUE(messages.empty());
        selectEdition(window, "EM - Emberhold");
        answer = false;
        click(window.bbDeleteEdition);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].Caption, AttentionCaption);
        EXPECT_EQ(messages[0].Text, "Удалить редакцию: EM");
        EXPECT_EQ(file("cardlist.dat"), cards);
        EXPECT_EQ(window.lbEditionED->count(), 3);

        answer = true;
        click(window.bbDeleteEdition);
        ASSERT_EQ(messages.size(), 3u);
        EXPECT_EQ(messages[2].Caption, ResultCaption);
        EXPECT_TRUE(messages[2].Text.startsWith("Удалено: "));
        EXPECT_TRUE(messages[2].Text.endsWith(" карт"));
        EXPECT_EQ(listLines(window.lbEditionED),
                  QStringList({"4E - Fourth Codex", "SV - Saltveil"}));
    });
    for (const QString& line : baseLines())
        EXPECT_FALSE(line.startsWith("[EM]")) << line.toStdString();
    EXPECT_EQ(file("cardlist.dat").find("\tEM\t"), std::string::npos);
}

TEST_F(MaintWindows, EditCardRenamesTheBaseLineAndSavesAtOnce) {
    clickBase("[SV] - Crag Wyrm");
    EXPECT_FALSE(ed().pmEditCard->isEnabled());
    EXPECT_FALSE(ed().EditCard1->isEnabled());
    ed().LookBase1->trigger();
    ASSERT_TRUE(ed().EditCard1->isEnabled());
    ASSERT_TRUE(ed().pmEditCard->isEnabled());

    // Cancel keeps everything.
    const std::string cards = file("cardlist.dat");
    whenShown([] {
        TfmEditCard* dialog = modal<TfmEditCard>();
        ASSERT_NE(dialog, nullptr);
        retype(dialog->edValue, "99,00");
        click(dialog->bbCancel);
    });
    ed().EditCard1->trigger();
    EXPECT_EQ(file("cardlist.dat"), cards);

    whenShown([] {
        TfmEditCard* dialog = modal<TfmEditCard>();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Edit Card");
        EXPECT_EQ(dialog->edName->text(), "Crag Wyrm");
        EXPECT_EQ(dialog->edEdition->text(), "SV");
        EXPECT_EQ(dialog->edPrAbill->text(), "KEYWORLD[_FL_]");
        EXPECT_EQ(dialog->edValue->text(), "6,00");
        retype(dialog->edName, "Crag Wyvern");
        retype(dialog->edValue, " 7,50 ");
        dialog->mmFlavor->setFocus();
        dialog->mmFlavor->selectAll();
        QTest::keyClicks(dialog->mmFlavor, "Smoke over");
        QTest::keyClick(dialog->mmFlavor, Qt::Key_Return);
        QTest::keyClicks(dialog->mmFlavor, "the peaks.");
        click(dialog->bbOk);
    });
    ed().pmEditCard->trigger();
    const int row = ed().SelectedBase();
    ASSERT_GE(row, 0);
    EXPECT_EQ(baseLines()[row], "[SV] - Crag Wyvern");
    EXPECT_EQ(ed().lbPrice->text(), "Price: 7,50 $");
    EXPECT_TRUE(messages.empty());
    // One line of the file changed, in place.
    std::vector<std::string> before, after;
    SplitLines(cards, before);
    SplitLines(file("cardlist.dat"), after);
    ASSERT_EQ(after.size(), before.size());
    int changed = 0;
    for (std::size_t i = 0; i < before.size(); ++i)
        changed += before[i] != after[i];
    EXPECT_EQ(changed, 1);
    const TZandorCard card = FindCard(db, "Crag Wyvern", "SV");
    EXPECT_EQ(card.Flavor, "Smoke over the peaks.");
    EXPECT_EQ(card.Value, "7,50");
    EXPECT_NE(file("programm.dat").find("Crag Wyvern=KEYWORLD[_FL_]"), std::string::npos);
}

TEST_F(MaintWindows, AboutBoxShowsTheDatesAndOpensTheAddresses) {
    std::vector<QUrl> opened;
    whenShown([&] {
        TAboutBox* box = modal<TAboutBox>();
        ASSERT_NE(box, nullptr);
        box->OpenUrl = [&](const QUrl& url) {
            opened.push_back(url);
            return true;
        };
        EXPECT_EQ(box->windowTitle(), "About Zandor Library");
        EXPECT_EQ(box->RxLabel1->text(), "Zandor Library");
        EXPECT_TRUE(box->RxLabel1->font().bold());
        EXPECT_EQ(box->RxLabel2->text(), "Version 0.60 beta");
        EXPECT_EQ(box->RxLabel6->text(), "Обновления можно взять на:");
        EXPECT_EQ(box->Label2->text(), "Price last update:");
        EXPECT_EQ(box->lbPrice->text(), "02.07.2001");
        EXPECT_EQ(box->Label3->text(), "Card Rulings Summary last update:");
        EXPECT_EQ(box->lbRule->text(), "17.05.2002");
        EXPECT_EQ(box->lbBasev->text(), "Base 0.8 version");
        click(box->RxLabel7);
        click(box->RxLabel10);
        click(box->OKButton);
    });
    ed().About1->trigger();
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].scheme(), "https");
    EXPECT_EQ(opened[1].scheme(), "mailto");
    // The box is made for each showing and destroyed after it.
    EXPECT_EQ(ed().findChild<TAboutBox*>(), nullptr);
}

TEST_F(MaintWindows, SavesThatFailAreReportedAndChangeNothing) {
    const QStringList base = baseLines();
    const std::string cards = file("cardlist.dat");
    TFailingWriter failing;
    inEditionWindow([&](TfmEditionED& window) {
        selectEdition(window, "SV - Saltveil");
        click(window.bbDeleteEdition);
        ASSERT_EQ(messages.size(), 2u);
        EXPECT_EQ(messages[1].Caption, ErrorCaption);
        EXPECT_TRUE(messages[1].Text.contains("disk full (test)"))
            << messages[1].Text.toStdString();
        EXPECT_EQ(window.lbEditionED->count(), 3);
    });
    EXPECT_EQ(baseLines(), base);
    EXPECT_FALSE(db.Settings.ReadString(ini::Edition, "SV", "").empty());

    ed().LookBase1->trigger();
    clickBase("[SV] - Crag Wyrm");
    whenShown([] {
        TfmEditCard* dialog = modal<TfmEditCard>();
        ASSERT_NE(dialog, nullptr);
        retype(dialog->edName, "Crag Wyvern");
        click(dialog->bbOk);
    });
    ed().EditCard1->trigger();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[2].Caption, ErrorCaption);
    EXPECT_EQ(baseLines(), base);
    EXPECT_EQ(FindCard(db, "Crag Wyrm", "SV").Name, "Crag Wyrm");
    EXPECT_EQ(file("cardlist.dat"), cards);
}
