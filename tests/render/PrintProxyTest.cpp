// The proxy list window and the options dialog, made by the shell over a copy of the
// sample data and driven with mouse and key events offscreen: the list commands, the
// preview, the print and PDF jobs with their progress, cancel and picture failures, the
// options written on OK and left alone on Cancel, and the wiring from the deck editor and
// the launcher.
#include "core/UApplication.h"
#include "core/UMain.h"
#include "deck/UBaseListView.h"
#include "deck/UCardView.h"
#include "deck/UDeckED.h"
#include "render/UCardFace.h"
#include "render/UImageLists.h"
#include "render/UJpeg.h"
#include "render/UOptions.h"
#include "render/UPrintProxy.h"
#include "render/UProxyFace.h"
#include "tests/testkit/TestKit.h"
#include "widgets/UHelpViewer.h"
#include "widgets/UMessages.h"
#include "widgets/UPictureButton.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPainter>
#include <QPrintDialog>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace zandor;
using namespace zandor::test;

namespace {

// A user's click on a check box's indicator (a click right of its text misses it).
void tick(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

// Runs what a modal window's user would do once the window is up.
void whenShown(std::function<void()> user) {
    QTimer::singleShot(0, std::move(user));
}

int pdfPages(const std::string& bytes) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return static_cast<int>(
        QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())).count(page));
}

// A picture of fine detail, so that the stretch methods give different art windows.
QImage noise(int w, int h) {
    QImage image(w, h, QImage::Format_RGB888);
    std::uint32_t state = 7;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            state = state * 1664525u + 1013904223u;
            image.setPixel(x, y,
                           qRgb(static_cast<int>(state >> 24), static_cast<int>(state >> 16) & 255,
                                static_cast<int>(state >> 8) & 255));
        }
    return image;
}

struct ProxyWindows : ::testing::Test {
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
        std::filesystem::create_directories(dir.File("pics/EM"));
        ASSERT_TRUE(SaveJpegFile(dir.File("pics/EM/Ashfall Priest.jpg"), noise(300, 240), 95));
        SetMessageAnswerer([this](const TMessage& m) {
            messages.push_back(m);
            return answer;
        });
        LoadCardDatabase(db, dir.Path(), dataDir);
        db.PicDir = dir.File("pics");
        shell = std::make_unique<TZandorShell>(db);
        shell->CreateWindows();
        // The printer writes a PDF file at a low resolution, so the jobs stay quick.
        QPrinter& printer = proxy().Printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(dir.File("printed.pdf")));
        printer.setResolution(100);
        printer.setPageSize(QPageSize(QPageSize::A4));
    }
    void TearDown() override {
        shell.reset();
        SetMessageAnswerer({});
        HelpViewer().hide();
    }
    TfmPrintProxy& proxy() { return *static_cast<TfmPrintProxy*>(shell->fmPrintProxy.data()); }
    TfmOptions& options() { return *static_cast<TfmOptions*>(shell->fmOptions.data()); }
    TfmDeckED& ed() { return *static_cast<TfmDeckED*>(shell->fmDeckED.data()); }
    std::string settingsText() { return ReadBytes(dataDir + "/Zandor.ini"); }

    QStringList items() {
        QStringList list;
        for (int i = 0; i < proxy().lbProxy->count(); ++i)
            list << proxy().lbProxy->item(i)->text();
        return list;
    }
    void fill(const QStringList& lines) {
        for (const QString& line : lines)
            proxy().AddToProxyList(line.toStdString());
    }
    void clickItem(int row) {
        QListWidget* list = proxy().lbProxy;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
    // Shows the proxy window modally as the deck editor does, lets user act, and returns
    // once the window has closed (and its job, if any, has run).
    void openProxyWindow(std::function<void()> user) {
        bool ran = false;
        whenShown([&] {
            EXPECT_TRUE(proxy().isVisible());
            user();
            ran = true;
        });
        QTest::mouseClick(ed().sbProxyPrint, Qt::LeftButton);
        EXPECT_TRUE(ran);
        EXPECT_FALSE(proxy().isVisible());
    }
    void openOptions(std::function<void()> user) {
        bool ran = false;
        whenShown([&] {
            EXPECT_TRUE(options().isVisible());
            user();
            ran = true;
        });
        ed().Options1->trigger();
        EXPECT_TRUE(ran);
        EXPECT_FALSE(options().isVisible());
    }
};

const QStringList threeCards{"[EM] - Ashfall Priest", "[4E] - Anchor Chain",
                             "[EM] - Ashen Crossing"};

TEST_F(ProxyWindows, DuplicateCopiesTheSelectedItemRightAfterIt) {
    const struct {
        int row;
        QStringList expected;
    } cases[] = {
        {1, {threeCards[0], threeCards[1], threeCards[1], threeCards[2]}},
        {2, {threeCards[0], threeCards[1], threeCards[2], threeCards[2]}},
        {0, {threeCards[0], threeCards[0], threeCards[1], threeCards[2]}},
    };
    proxy().show();
    for (const auto& c : cases) {
        proxy().lbProxy->clear();
        fill(threeCards);
        clickItem(c.row);
        QTest::mouseClick(proxy().SpeedButton3, Qt::LeftButton);
        EXPECT_EQ(items(), c.expected) << c.row;
        EXPECT_EQ(proxy().lbProxy->currentRow(), c.row + 1);
        EXPECT_TRUE(proxy().lbProxy->currentItem()->isSelected());
    }
    // With nothing selected nothing happens, and nothing is reported.
    proxy().lbProxy->clear();
    fill(threeCards);
    QTest::mouseClick(proxy().SpeedButton3, Qt::LeftButton);
    EXPECT_EQ(items(), threeCards);
    EXPECT_TRUE(messages.empty());
}

TEST_F(ProxyWindows, DeleteRemovesTheSelectedItemOnly) {
    proxy().show();
    QTest::mouseClick(proxy().sbDelete, Qt::LeftButton); // empty list
    fill(threeCards);
    QTest::mouseClick(proxy().sbDelete, Qt::LeftButton); // nothing selected
    EXPECT_EQ(items(), threeCards);
    clickItem(1);
    QTest::mouseClick(proxy().sbDelete, Qt::LeftButton);
    EXPECT_EQ(items(), (QStringList{threeCards[0], threeCards[2]}));
}

TEST_F(ProxyWindows, ViewCardWidensTheWindowAndPreviewsWithUnsavedBoxes) {
    db.ProgramOptions.UseOsn = false;
    db.ProgramOptions.UseTempPic = false;
    const std::string before = settingsText();
    proxy().show();
    EXPECT_EQ(proxy().gbProxy->title(), QStringLiteral(" Proxies to Print "));
    EXPECT_EQ(proxy().windowTitle(), QStringLiteral("Print Proxy Card"));
    EXPECT_EQ(proxy().lbNumCard->text(), QStringLiteral("9"));
    EXPECT_FALSE(proxy().plPreview->isVisible());
    const int narrow = proxy().width();
    fill({threeCards[0]});
    clickItem(0);
    QTest::mouseClick(proxy().SpeedButton2, Qt::LeftButton);
    EXPECT_EQ(proxy().width(), narrow + 236);
    EXPECT_TRUE(proxy().imViewPrintPic->isVisible());
    const QImage plain = proxy().imViewPrintPic->pixmap().toImage();
    ASSERT_EQ(plain.size(), QSize(230, 320));
    // Art off: the art window is white.
    EXPECT_EQ(plain.pixel(115, 100) & 0xffffff, 0xffffffu);

    // Ticking the base and the art redraws at once, before anything is saved.
    tick(proxy().UOsn);
    tick(proxy().UTempPic);
    clickItem(0);
    const QImage based = proxy().imViewPrintPic->pixmap().toImage();
    QImage expected(230, 320, QImage::Format_RGB888);
    expected.fill(Qt::white);
    DrawProxyFace(FindCard(db, "Ashfall Priest", "EM"), expected, true, true, false,
                  {db.PicDir, db.DataDir});
    EXPECT_EQ(based.convertToFormat(QImage::Format_RGB888), expected);
    EXPECT_NE(based.pixel(115, 100), plain.pixel(115, 100));
    EXPECT_FALSE(db.ProgramOptions.UseOsn);
    EXPECT_EQ(settingsText(), before);

    QTest::mouseClick(proxy().SpeedButton2, Qt::LeftButton);
    EXPECT_EQ(proxy().width(), narrow);
    // Closing any other way saves nothing.
    QTest::keyClick(&proxy(), Qt::Key_Escape);
    EXPECT_FALSE(proxy().isVisible());
    EXPECT_FALSE(db.ProgramOptions.UseOsn);
    EXPECT_EQ(settingsText(), before);
}

TEST_F(ProxyWindows, CardsPerPageIsCountedByTheGapBoxAndThePrinterSetup) {
    proxy().show();
    proxy().U5mm->setChecked(false);
    tick(proxy().U5mm); // on: A4 with gaps still 9
    EXPECT_EQ(proxy().lbNumCard->text(), QStringLiteral("9"));
    // The user turns the paper in the platform's print setup dialog.
    bool setupShown = false;
    proxy().Printer().setPageOrientation(QPageLayout::Landscape);
    whenShown([&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        setupShown = dialog != nullptr;
        if (dialog)
            dialog->reject();
    });
    QTest::mouseClick(proxy().SpeedButton4, Qt::LeftButton);
    EXPECT_TRUE(setupShown);
    const QPrinter& printer = proxy().Printer();
    EXPECT_EQ(proxy().lbNumCard->text(),
              QString::number(CardsPerPage(100, 100, true, printer.width(), printer.height())));
    EXPECT_EQ(proxy().lbNumCard->text(), QStringLiteral("8"));
}

TEST_F(ProxyWindows, ContinueSavesTheBoxesAndKeepsTheList) {
    fill(threeCards);
    openProxyWindow([&] {
        tick(proxy().UBord);
        tick(proxy().U5mm);
        QTest::mouseClick(proxy().SpeedButton1, Qt::LeftButton);
    });
    EXPECT_TRUE(db.ProgramOptions.UseBord);
    EXPECT_TRUE(db.ProgramOptions.Use5MM);
    EXPECT_EQ(LoadOptions(TIniFile(dataDir + "/Zandor.ini")), db.ProgramOptions);
    EXPECT_EQ(items(), threeCards);
    EXPECT_FALSE(FileExists(dir.File("printed.pdf")));
}

TEST_F(ProxyWindows, PrintRunsTheJobAndEmptiesTheList) {
    for (int i = 0; i < 10; ++i)
        proxy().AddToProxyList("[4E] - Anchor Chain");
    bool progressShown = false;
    openProxyWindow([&] {
        tick(proxy().UOsn);
        QTimer::singleShot(0, [&] { progressShown = proxy().Progress() != nullptr; });
        QTest::mouseClick(proxy().sbPrintProxy, Qt::LeftButton);
    });
    EXPECT_TRUE(progressShown);
    EXPECT_TRUE(proxy().LastJob().Completed());
    EXPECT_TRUE(db.ProgramOptions.UseOsn);
    EXPECT_EQ(proxy().lbProxy->count(), 0);
    const std::string printed = ReadBytes(dir.File("printed.pdf"));
    EXPECT_EQ(pdfPages(printed), 2);
    // The job's title, as PDF writes a text: UTF-16 after a byte order mark.
    std::string title = "\xfe\xff";
    for (const char c : std::string("Zandor Library - Proxy"))
        title += {'\0', c};
    EXPECT_NE(printed.find(title), std::string::npos);
    // Each card at the printer's resolution: 2.44 x 100 pixels wide.
    EXPECT_NE(printed.find("/Width 244"), std::string::npos);
    EXPECT_EQ(proxy().LastJob().Pages, 2);
}

TEST_F(ProxyWindows, CancellingTheProgressKeepsTheList) {
    for (int i = 0; i < 10; ++i)
        proxy().AddToProxyList("[4E] - Anchor Chain");
    openProxyWindow([&] {
        QTimer::singleShot(0, [&] {
            ASSERT_NE(proxy().Progress(), nullptr);
            QPushButton* cancel = proxy().Progress()->findChild<QPushButton*>();
            ASSERT_NE(cancel, nullptr);
            QTest::mouseClick(cancel, Qt::LeftButton);
        });
        QTest::mouseClick(proxy().sbPrintProxy, Qt::LeftButton);
    });
    EXPECT_EQ(proxy().LastJob().Outcome, TProxyJobOutcome::Cancelled);
    EXPECT_LT(proxy().LastJob().Cards, 10);
    EXPECT_EQ(proxy().lbProxy->count(), 10);
    EXPECT_EQ(proxy().Progress(), nullptr);
}

TEST_F(ProxyWindows, ABrokenPictureIsToldAndTheUserChoosesToGoOnOrStop) {
    WriteBytes(dir.File("pics/EM/Ashfall Priest.jpg"), "not a picture");
    for (const bool goOn : {false, true}) {
        messages.clear();
        answer = goOn;
        proxy().lbProxy->clear();
        fill(threeCards);
        openProxyWindow([&] { QTest::mouseClick(proxy().sbPrintProxy, Qt::LeftButton); });
        ASSERT_EQ(messages.size(), 1u) << goOn;
        EXPECT_EQ(messages[0].Kind, TMessageKind::Question);
        EXPECT_TRUE(messages[0].Text.contains(QStringLiteral("[EM] - Ashfall Priest")));
        EXPECT_TRUE(messages[0].Text.contains(QStringLiteral("Ashfall Priest.jpg")));
        if (goOn) {
            EXPECT_TRUE(proxy().LastJob().Completed());
            EXPECT_EQ(proxy().lbProxy->count(), 0);
        } else {
            EXPECT_EQ(proxy().LastJob().Outcome, TProxyJobOutcome::Cancelled);
            EXPECT_EQ(items(), threeCards);
        }
    }
}

TEST_F(ProxyWindows, ANotFoundCardPrintsUnderItsMissName) {
    fill({"[EM] - Nowhere Hound"});
    openProxyWindow([&] { QTest::mouseClick(proxy().sbPrintProxy, Qt::LeftButton); });
    EXPECT_TRUE(proxy().LastJob().Completed());
    EXPECT_EQ(pdfPages(ReadBytes(dir.File("printed.pdf"))), 1);
}

TEST_F(ProxyWindows, SaveAsPdfWritesTheChosenFile) {
    const std::string pdf = dir.File("deck proxies");
    int asked = 0;
    proxy().PdfFileDialog = [&](QWidget*) {
        ++asked;
        return QString::fromStdString(pdf);
    };
    proxy().show();
    QTest::mouseClick(proxy().sbSavePdf, Qt::LeftButton); // empty list: nothing asked
    EXPECT_EQ(asked, 0);
    fill(threeCards);
    QTest::mouseClick(proxy().sbSavePdf, Qt::LeftButton);
    EXPECT_EQ(asked, 1);
    const std::string bytes = ReadBytes(pdf + ".pdf");
    EXPECT_EQ(pdfPages(bytes), 1);
    EXPECT_NE(bytes.find("/Width 732"), std::string::npos); // 300 pixels per inch
    EXPECT_EQ(proxy().lbProxy->count(), 0);
    // The paper of the printer setup, turned across.
    proxy().Printer().setPageSize(QPageSize(QPageSize::Letter));
    proxy().Printer().setPageOrientation(QPageLayout::Landscape);
    fill(threeCards);
    QTest::mouseClick(proxy().sbSavePdf, Qt::LeftButton);
    EXPECT_NE(ReadBytes(pdf + ".pdf").find("/MediaBox [0 0 792.000000 612.000000]"),
              std::string::npos);
    // A cancelled file dialog writes nothing and keeps the list.
    proxy().PdfFileDialog = [](QWidget*) { return QString(); };
    fill(threeCards);
    QTest::mouseClick(proxy().sbSavePdf, Qt::LeftButton);
    EXPECT_EQ(items(), threeCards);
}

TEST_F(ProxyWindows, AFailedPdfWriteIsToldAndKeepsTheList) {
    const std::string pdf = dir.File("out.pdf");
    proxy().PdfFileDialog = [&](QWidget*) { return QString::fromStdString(pdf); };
    proxy().show();
    fill(threeCards);
    {
        // The options are saved first; the PDF write then fails as well.
        TFailingWriter failing;
        QTest::mouseClick(proxy().sbSavePdf, Qt::LeftButton);
    }
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().Kind, TMessageKind::Error);
    EXPECT_EQ(messages.back().Text, QStringLiteral("disk full (test)"));
    EXPECT_EQ(items(), threeCards);
    EXPECT_FALSE(FileExists(pdf));
}

TEST_F(ProxyWindows, AddToProxyPrintOfTheDeckEditorFillsTheList) {
    ed().show();
    const QModelIndex index = ed().BaseModel().index(0);
    ed().lbBase->setCurrentIndex(index);
    ed().pmAddToProxy->trigger();
    ed().pmAddToProxy->trigger();
    ASSERT_EQ(proxy().lbProxy->count(), 2);
    EXPECT_EQ(proxy().lbProxy->item(0)->text(), index.data().toString());
    // "Print Proxy..." shows the same window with the same list.
    bool shown = false;
    whenShown([&] {
        shown = proxy().isVisible();
        EXPECT_EQ(proxy().lbProxy->count(), 2);
        QTest::mouseClick(proxy().SpeedButton1, Qt::LeftButton);
    });
    ed().PrintProxy1->trigger();
    EXPECT_TRUE(shown);
    EXPECT_EQ(proxy().lbProxy->count(), 2);
}

TEST_F(ProxyWindows, APrinterThatCannotBeginIsToldAndKeepsTheList) {
    proxy().Printer().setOutputFileName(QString::fromStdString(dir.File("no such folder/p.pdf")));
    fill(threeCards);
    openProxyWindow([&] { QTest::mouseClick(proxy().sbPrintProxy, Qt::LeftButton); });
    EXPECT_EQ(proxy().LastJob().Outcome, TProxyJobOutcome::Failed);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Kind, TMessageKind::Error);
    EXPECT_EQ(items(), threeCards);
}

TEST_F(ProxyWindows, PrintWithAnEmptyListPrintsNothing) {
    openProxyWindow([&] { QTest::mouseClick(proxy().sbPrintProxy, Qt::LeftButton); });
    EXPECT_FALSE(FileExists(dir.File("printed.pdf")));
    EXPECT_EQ(proxy().LastJob().Cards, 0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(ProxyWindows, TheSelectedItemIsMarkedWithFocusOrWhenAlone) {
    proxy().show();
    QApplication::setActiveWindow(&proxy());
    const auto markedRow = [&](int row) {
        const QImage shot = proxy().lbProxy->viewport()->grab().toImage();
        const QRect rect = proxy().lbProxy->visualItemRect(proxy().lbProxy->item(row));
        return shot.pixelColor(rect.right() - 3, rect.center().y()) ==
               proxy().lbProxy->palette().color(QPalette::Active, QPalette::Highlight);
    };
    fill({threeCards[0]});
    proxy().lbProxy->setCurrentRow(0);
    proxy().UOsn->setFocus();
    EXPECT_TRUE(markedRow(0)) << "a single item is marked without the focus";
    fill({threeCards[1]});
    proxy().lbProxy->setCurrentRow(1);
    proxy().UOsn->setFocus();
    EXPECT_FALSE(markedRow(1)) << "two items, no focus";
    proxy().lbProxy->setFocus();
    EXPECT_TRUE(markedRow(1)) << "two items, the focus";
    EXPECT_FALSE(markedRow(0));
    EXPECT_EQ(proxy().lbProxy->font().family(), QStringLiteral("Courier New"));
}

TEST_F(ProxyWindows, F1OpensTheHelpContentsFromBothWindows) {
    std::filesystem::create_directories(dir.File("help"));
    std::filesystem::copy_file(std::string(ZANDOR_SOURCE_DIR) + "/help/mRuleE.hlp",
                               dir.File("help/mRuleE.hlp"));
    for (QWidget* window : {static_cast<QWidget*>(&proxy()), static_cast<QWidget*>(&options())}) {
        HelpViewer().hide();
        window->show();
        QTest::keyClick(window, Qt::Key_F1);
        EXPECT_TRUE(HelpViewer().isVisible()) << window->objectName().toStdString();
        window->hide();
    }
    EXPECT_TRUE(messages.empty());
}

// ---- options -----------------------------------------------------------------------------

TEST_F(ProxyWindows, OptionsShowTheCurrentValues) {
    db.ProgramOptions = {false, true, true, false, true, false, 1};
    db.TableDragFrame = true;
    db.PicDir = "/somewhere/art";
    openOptions([&] {
        TfmOptions& o = options();
        EXPECT_EQ(o.windowTitle(), QStringLiteral("Options"));
        EXPECT_EQ(o.pcOpt->tabText(0), QStringLiteral("General"));
        EXPECT_EQ(o.pcOpt->tabText(1), QStringLiteral("Print"));
        EXPECT_EQ(o.dePic->text(), QStringLiteral("/somewhere/art"));
        EXPECT_EQ(o.cbPicRes->currentText(), QStringLiteral("Box"));
        EXPECT_TRUE(o.cbRamka->isChecked());
        EXPECT_TRUE(o.cbAnim->isChecked());
        EXPECT_FALSE(o.cbBufCard->isChecked());
        EXPECT_FALSE(o.cbUseTempPic->isChecked());
        EXPECT_TRUE(o.cbUseOsn->isChecked());
        EXPECT_TRUE(o.cbUseBord->isChecked());
        EXPECT_FALSE(o.cb5mm->isChecked());
        QTest::mouseClick(o.BitBtn2, Qt::LeftButton);
    });
}

TEST_F(ProxyWindows, OptionsOkWritesEverythingAndTrimsTheFolder) {
    const std::string pics = dir.File("pics");
    openOptions([&] {
        TfmOptions& o = options();
        o.pcOpt->setCurrentWidget(o.tsGeneral);
        o.dePic->clear();
        QTest::keyClicks(o.dePic, QStringLiteral("   ") + QString::fromStdString(pics) +
                                      QStringLiteral("  "));
        o.cbPicRes->setCurrentIndex(2);
        tick(o.cbRamka);
        tick(o.cbAnim);
        tick(o.cbBufCard);
        o.pcOpt->setCurrentWidget(o.tsPrint);
        tick(o.cbUseTempPic); // on -> off
        tick(o.cbUseOsn);
        tick(o.cbUseBord);
        tick(o.cb5mm);
        QTest::mouseClick(o.BitBtn1, Qt::LeftButton);
    });
    EXPECT_EQ(db.PicDir, pics);
    EXPECT_TRUE(db.TableDragFrame);
    const TProgramOptions expected{false, true, true, true, true, true, 2};
    EXPECT_EQ(db.ProgramOptions, expected);
    const TIniFile written(dataDir + "/Zandor.ini");
    EXPECT_EQ(written.ReadString(ini::Location, ini::Pic, ""), pics);
    EXPECT_TRUE(written.ReadBool(ini::Ramka, ini::Key, false));
    EXPECT_EQ(written.ReadInteger(ini::Stretch, ini::Key, 0), 2);
    EXPECT_EQ(LoadOptions(written), expected);
    EXPECT_TRUE(messages.empty());
}

TEST_F(ProxyWindows, OptionsCancelChangesNothing) {
    const TProgramOptions before = db.ProgramOptions;
    const std::string picDir = db.PicDir;
    const std::string file = settingsText();
    openOptions([&] {
        TfmOptions& o = options();
        o.dePic->setText(QStringLiteral("/elsewhere"));
        o.cbPicRes->setCurrentIndex(1);
        tick(o.cbRamka);
        tick(o.cbUseOsn);
        QTest::mouseClick(o.BitBtn2, Qt::LeftButton);
    });
    EXPECT_EQ(db.ProgramOptions, before);
    EXPECT_EQ(db.PicDir, picDir);
    EXPECT_FALSE(db.TableDragFrame);
    EXPECT_EQ(settingsText(), file);
    // Shown again, the dialog shows the old values; closing it by Escape changes nothing too.
    openOptions([&] {
        EXPECT_EQ(options().dePic->text(), QString::fromStdString(picDir));
        EXPECT_FALSE(options().cbRamka->isChecked());
        EXPECT_EQ(options().cbUseOsn->isChecked(), before.UseOsn);
        options().cbUseOsn->setChecked(!before.UseOsn);
        QTest::keyClick(&options(), Qt::Key_Escape);
    });
    EXPECT_EQ(db.ProgramOptions, before);
    EXPECT_EQ(settingsText(), file);
}

TEST_F(ProxyWindows, TheLanczos3ChoiceReachesTheNextFace) {
    db.ProgramOptions.Stretch = 0;
    db.ProgramOptions.UseAnim = true; // no cross-fade: the face is drawn at once
    openOptions([&] {
        options().cbPicRes->setCurrentIndex(2);
        QTest::mouseClick(options().BitBtn1, Qt::LeftButton);
    });
    ed().show();
    const QString line = QStringLiteral("[EM] - Ashfall Priest");
    int row = -1;
    for (int i = 0; i < ed().BaseModel().rowCount(); ++i)
        if (ed().BaseModel().index(i).data().toString() == line)
            row = i;
    ASSERT_GE(row, 0);
    const QModelIndex index = ed().BaseModel().index(row);
    ed().lbBase->scrollTo(index);
    QTest::mouseClick(ed().lbBase->viewport(), Qt::LeftButton, {},
                      ed().lbBase->visualRect(index).center());
    const TZandorCard card = FindCard(db, "Ashfall Priest", "EM");
    const TCardFaceSources sources{shell->FrameImages.get(), db.PicDir, db.DataDir};
    QImage lanczos(210, 300, QImage::Format_RGB888), standart(210, 300, QImage::Format_RGB888);
    lanczos.fill(Qt::white);
    standart.fill(Qt::white);
    ASSERT_TRUE(DrawCardFace(card, lanczos, StretchLanczos3, sources).ArtDrawn);
    DrawCardFace(card, standart, StretchStandart, sources);
    ASSERT_NE(lanczos, standart);
    EXPECT_EQ(ed().CardView->CardBitmap().convertToFormat(QImage::Format_RGB888), lanczos);
}

TEST_F(ProxyWindows, ThePrintBoxesAreSharedBetweenTheTwoWindows) {
    db.ProgramOptions.UseOsn = false;
    db.ProgramOptions.Use5MM = false;
    openOptions([&] {
        options().pcOpt->setCurrentWidget(options().tsPrint);
        tick(options().cbUseOsn);
        QTest::mouseClick(options().BitBtn1, Qt::LeftButton);
    });
    openProxyWindow([&] {
        EXPECT_TRUE(proxy().UOsn->isChecked());
        tick(proxy().U5mm);
        QTest::mouseClick(proxy().SpeedButton1, Qt::LeftButton);
    });
    openOptions([&] {
        EXPECT_TRUE(options().cbUseOsn->isChecked());
        EXPECT_TRUE(options().cb5mm->isChecked());
        QTest::mouseClick(options().BitBtn2, Qt::LeftButton);
    });
}

TEST_F(ProxyWindows, TheLauncherOptionsButtonShowsTheOptionsModally) {
    shell->fmMain->show();
    bool modal = false;
    whenShown([&] {
        modal = options().isVisible() && QApplication::activeModalWidget() == &options();
        QTest::mouseClick(options().BitBtn2, Qt::LeftButton);
    });
    QTest::mouseClick(shell->fmMain->iabOptions, Qt::LeftButton);
    EXPECT_TRUE(modal);
    EXPECT_FALSE(options().isVisible());
}

TEST_F(ProxyWindows, AStretchKeyOutsideTheListShowsNoItemAndStaysOnOk) {
    db.ProgramOptions.Stretch = 7;
    openOptions([&] {
        EXPECT_EQ(options().cbPicRes->currentIndex(), -1);
        QTest::mouseClick(options().BitBtn1, Qt::LeftButton);
    });
    EXPECT_EQ(db.ProgramOptions.Stretch, 7);
    EXPECT_EQ(TIniFile(dataDir + "/Zandor.ini").ReadInteger(ini::Stretch, ini::Key, 0), 7);
}

TEST_F(ProxyWindows, AFailedSettingsWriteIsToldOnOk) {
    {
        TFailingWriter failing;
        openOptions([&] { QTest::mouseClick(options().BitBtn1, Qt::LeftButton); });
        EXPECT_GT(failing.Attempts, 0);
    }
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Kind, TMessageKind::Error);
    EXPECT_EQ(messages[0].Text, QStringLiteral("disk full (test)"));
}

TEST_F(ProxyWindows, AFolderFromTheBrowserGoesIntoTheFolderEdit) {
    options().FolderDialog = [](QWidget*, const QString& start) {
        EXPECT_EQ(start, QStringLiteral("/from/here"));
        return QStringLiteral("/chosen/folder");
    };
    options().show();
    options().dePic->setText(QStringLiteral(" /from/here "));
    QTest::mouseClick(options().dePicBrowse, Qt::LeftButton);
    EXPECT_EQ(options().dePic->text(), QStringLiteral("/chosen/folder"));
    options().FolderDialog = [](QWidget*, const QString&) { return QString(); };
    QTest::mouseClick(options().dePicBrowse, Qt::LeftButton);
    EXPECT_EQ(options().dePic->text(), QStringLiteral("/chosen/folder"));
    options().reject();
}

} // namespace
