#include "core/UApplication.h"
#include "core/UMain.h"
#include "render/UImageLists.h"
#include "tests/testkit/TestKit.h"
#include "widgets/UHelpViewer.h"
#include "widgets/UMessages.h"
#include "widgets/UPictureButton.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using namespace zandor;
using namespace zandor::test;

namespace {

struct Launcher : ::testing::Test {
    TTempDir dir;
    TCardDatabase db;
    std::unique_ptr<TZandorShell> shell;
    std::vector<TMessage> messages;

    void SetUp() override {
        LoadCardDatabase(db, dir.Path(), dir.Path()); // an empty data folder
        shell = std::make_unique<TZandorShell>(db);
        shell->CreateWindows();
        shell->fmMain->show();
        SetMessageAnswerer([this](const TMessage& m) {
            messages.push_back(m);
            return true;
        });
    }
    void TearDown() override {
        SetMessageAnswerer({});
        shell.reset();
    }
    TfmMain& main() { return *shell->fmMain; }

    void sendMouse(QWidget* target, QEvent::Type type, QPoint local, Qt::MouseButtons buttons) {
        const QPoint global = target->mapToGlobal(local);
        QMouseEvent event(type, QPointF(local), QPointF(global),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
};

} // namespace

TEST_F(Launcher, HasTheLayoutOfTheLauncher) {
    EXPECT_EQ(main().windowTitle(), "Zandor Library");
    EXPECT_TRUE(main().windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(main().size(), QSize(184, 151));
    EXPECT_EQ(main().palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(main().Panel->geometry(), QRect(3, 3, 177, 145));
    EXPECT_EQ(main().Panel->palette().color(QPalette::Window), QColor(56, 84, 119));
    struct Case {
        QWidget* control;
        QRect geometry;
    };
    const Case cases[] = {
        {main().Image1, {0, 0, 177, 17}},        {main().sbMinimize, {134, 0, 20, 16}},
        {main().sbClose, {156, 0, 20, 16}},      {main().iabDeckED, {16, 32, 153, 32}},
        {main().iabTestPlay, {16, 64, 153, 32}}, {main().iabOptions, {16, 104, 153, 32}}};
    for (const Case& c : cases)
        EXPECT_EQ(c.control->geometry(), c.geometry) << c.control->objectName().toStdString();
    EXPECT_EQ(main().sbClose->shape(), TPictureButton::Shape::Ellipse);
    EXPECT_EQ(main().iabOptions->shape(), TPictureButton::Shape::Rectangle);
    EXPECT_EQ(shell->HelpFile, shell->ProgramDir() + "/help/mRuleE.hlp");
    EXPECT_EQ(db.PlayOrigin, "Main");
}

TEST_F(Launcher, DraggingTheTitleMovesTheWindowByThePointerMove) {
    main().move(200, 150);
    const QPoint start = main().pos();
    sendMouse(main().Image1, QEvent::MouseButtonPress, {40, 8}, Qt::LeftButton);
    EXPECT_TRUE(main().Dragging());
    sendMouse(main().Image1, QEvent::MouseMove, {40 + 37, 8 - 21}, Qt::LeftButton);
    EXPECT_EQ(main().pos(), start + QPoint(37, -21));
    // The offset was taken at the press, so a second move is measured from the start too.
    sendMouse(main().Image1, QEvent::MouseMove, {40 + 50 - 37, 8 + 5 + 21}, Qt::LeftButton);
    EXPECT_EQ(main().pos(), start + QPoint(50, 5));
    sendMouse(main().Image1, QEvent::MouseButtonRelease, {0, 0}, Qt::NoButton);
    EXPECT_FALSE(main().Dragging());
    const QPoint after = main().pos();
    sendMouse(main().Image1, QEvent::MouseMove, {100, 10}, Qt::NoButton);
    EXPECT_EQ(main().pos(), after);
}

TEST_F(Launcher, CloseButtonEndsTheProgram) {
    QSignalSpy ending(shell.get(), &TZandorShell::ProgramEnding);
    QTest::mouseClick(main().sbClose, Qt::LeftButton, {}, QPoint(10, 8));
    EXPECT_EQ(ending.count(), 1);
    EXPECT_FALSE(main().isVisible());
}

TEST_F(Launcher, TestPlayOpensTheTableWhichNamesItsMissingPilePicturesOnce) {
    QTest::mouseClick(main().iabTestPlay, Qt::LeftButton);
    ASSERT_TRUE(shell->fmPlay);
    EXPECT_TRUE(shell->fmPlay->isVisible());
    EXPECT_FALSE(main().isVisible());
    // An empty data folder: one message names the three empty-pile pictures.
    ASSERT_EQ(messages.size(), 1u);
    for (const char* file : {"lib.bmp", "grave.bmp", "remov.bmp"})
        EXPECT_TRUE(messages[0].Text.contains(QString::fromLatin1(file))) << file;
    shell->fmPlay->hide();
    shell->PlayTableClosed();
    QTest::mouseClick(main().iabTestPlay, Qt::LeftButton);
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(Launcher, RoutesBetweenTheLauncherTheEditorAndThePlayTable) {
    // Plain windows stand in for the editor and the table; the routing is the shell's.
    delete shell->fmDeckED; // the real editor makes way for the stand-in
    auto* editor = new QWidget;
    auto* table = new QWidget;
    shell->fmDeckED = editor;
    delete shell->fmPlay; // the real table makes way for the stand-in
    shell->fmPlay = table;

    QTest::mouseClick(main().iabDeckED, Qt::LeftButton);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_FALSE(main().isVisible());

    // A test from the editor returns to the editor, closing that returns to the launcher.
    shell->DeckEditorTestPlay();
    editor->hide();
    EXPECT_TRUE(table->isVisible());
    EXPECT_EQ(db.PlayOrigin, "DeckED");
    table->hide();
    shell->PlayTableClosed();
    EXPECT_TRUE(editor->isVisible());
    EXPECT_FALSE(main().isVisible());
    editor->hide();
    shell->DeckEditorClosed();
    EXPECT_TRUE(main().isVisible());
    EXPECT_EQ(db.PlayOrigin, "Main");

    // A test from the launcher afterwards returns to the launcher.
    QTest::mouseClick(main().iabTestPlay, Qt::LeftButton);
    EXPECT_TRUE(table->isVisible());
    EXPECT_FALSE(main().isVisible());
    table->hide();
    shell->PlayTableClosed();
    EXPECT_TRUE(main().isVisible());
    EXPECT_FALSE(editor->isVisible());
}

TEST_F(Launcher, F1OpensTheHelpContentsOrSaysWhyNot) {
    shell->HelpFile = QString::fromStdString(dir.File("missing.hlp"));
    QTest::keyClick(&main(), Qt::Key_F1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Caption, ErrorCaption);
    EXPECT_EQ(messages[0].Kind, TMessageKind::Error);
    EXPECT_TRUE(messages[0].Text.contains("missing.hlp"));

    WriteBytes(dir.File("mRuleE.hlp"),
               "<html><body><a name=\"contents\"></a><h1>Contents</h1>"
               "<a name=\"Mulligan\"></a><p>Shuffle and draw.</p></body></html>");
    shell->HelpFile = QString::fromStdString(dir.File("mRuleE.hlp"));
    QTest::keyClick(&main(), Qt::Key_F1);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(HelpViewer().isVisible());
    EXPECT_TRUE(HelpViewer().Browser()->toPlainText().contains("Contents"));
    EXPECT_TRUE(HelpViewer().ShowTopic(shell->HelpFile, "Mulligan"));
    EXPECT_EQ(HelpViewer().CurrentTopic(), "Mulligan");
    QString error;
    EXPECT_FALSE(HelpViewer().ShowTopic(shell->HelpFile, "No such rule", &error));
    EXPECT_TRUE(error.contains("No such rule"));
    HelpViewer().hide();
}

TEST_F(Launcher, MakesTheFramesAndSaysOnceWhichFileIsMissing) {
    // The empty data folder has no frame pictures.
    ASSERT_NE(shell->FrameImages, nullptr);
    EXPECT_FALSE(shell->FrameImages->Usable());
    EXPECT_TRUE(shell->StartProblems().contains("w.jpg"));

    TTempDir sample;
    CopySampleData(sample.Path());
    TCardDatabase sampleDb;
    LoadCardDatabase(sampleDb, sample.Path(), sample.Path());
    TZandorShell sampleShell(sampleDb);
    sampleShell.CreateWindows();
    EXPECT_TRUE(sampleShell.FrameImages->Usable());
    EXPECT_TRUE(sampleShell.StartProblems().isEmpty());
    sampleShell.DestroyWindows();
    EXPECT_EQ(sampleShell.FrameImages, nullptr); // freed with the launcher
}

namespace {

// Notes, in order, the first paint of the launcher and the first event of the deck editor.
class TStartOrder : public QObject {
public:
    QStringList Seen;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QString name = watched->objectName();
        if (name == "fmMain" && event->type() == QEvent::Paint && !Seen.contains("launcher"))
            Seen << "launcher";
        if (name == "fmDeckED" && !Seen.contains("editor"))
            Seen << "editor";
        return false;
    }
};

} // namespace

TEST(LauncherStart, TheProgramPaintsTheLauncherBeforeTheOtherWindowsAreMade) {
    TTempDir sample;
    CopySampleData(sample.Path());
    TCardDatabase db;
    LoadCardDatabase(db, sample.Path(), sample.Path());
    TStartOrder order;
    qApp->installEventFilter(&order);
    {
        TZandorShell shell(db);
        shell.CreateWindows(true);
        EXPECT_TRUE(shell.fmMain->isVisible());
        ASSERT_FALSE(shell.fmDeckED.isNull());
        EXPECT_FALSE(shell.fmDeckED->isVisible());
        EXPECT_EQ(order.Seen, QStringList({"launcher", "editor"}));
        shell.DestroyWindows();
    }
    // Without the flag (as the tests make them) the windows are only made.
    order.Seen.clear();
    {
        TZandorShell shell(db);
        shell.CreateWindows();
        EXPECT_FALSE(shell.fmMain->isVisible());
        EXPECT_EQ(order.Seen, QStringList({"editor"}));
        shell.DestroyWindows();
    }
    qApp->removeEventFilter(&order);
}

TEST(LauncherStart, ABrokenBaseIsSaidOnceNamingEachFileAndTheProgramGoesOn) {
    TTempDir dir;
    CopySampleData(dir.Path());
    std::filesystem::remove(dir.File("cardlist.dat"));
    std::filesystem::remove(dir.File("Zandor.ini"));
    std::filesystem::create_directory(dir.File("Zandor.ini"));
    TCardDatabase broken;
    LoadCardDatabase(broken, dir.Path(), dir.Path());
    EXPECT_TRUE(broken.CardLines.empty());
    std::vector<TMessage> messages;
    SetMessageAnswerer([&](const TMessage& m) {
        messages.push_back(m);
        return true;
    });
    {
        TZandorShell shell(broken);
        shell.CreateWindows();
        shell.fmMain->show();
        shell.SayStartProblems();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].Caption, ErrorCaption);
        EXPECT_EQ(messages[0].Kind, TMessageKind::Error);
        for (const char* part : {"cardlist.dat", "No such file or directory", "Zandor.ini",
                                 "is a folder", "empty base"})
            EXPECT_TRUE(messages[0].Text.contains(QString::fromUtf8(part)))
                << part << ": " << messages[0].Text.toStdString();
        // The program goes on: the deck editor opens on the empty base.
        QTest::mouseClick(shell.fmMain->iabDeckED, Qt::LeftButton);
        EXPECT_TRUE(shell.fmDeckED->isVisible());
        shell.DestroyWindows();
    }

    // A sound folder says nothing.
    TTempDir sound;
    CopySampleData(sound.Path());
    TCardDatabase db;
    LoadCardDatabase(db, sound.Path(), sound.Path());
    EXPECT_TRUE(db.BaseProblems.empty()) << BaseProblemText(db);
    TZandorShell shell(db);
    shell.CreateWindows();
    shell.SayStartProblems();
    EXPECT_EQ(messages.size(), 1u);
    shell.DestroyWindows();
    SetMessageAnswerer({});
}

TEST(HelpFile, AHelpFileThatIsNoRegularFileIsRefusedWithTheReason) {
    TTempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("fifo.hlp").c_str(), 0644), 0);
    std::filesystem::create_directory(dir.File("folder.hlp"));
    const std::pair<const char*, const char*> cases[] = {{"fifo.hlp", "not a regular file"},
                                                         {"folder.hlp", "is a folder"},
                                                         {"missing.hlp", "No such file"}};
    for (const auto& [file, reason] : cases) {
        QString error;
        // A FIFO opened for reading would wait here for a writer that never comes.
        EXPECT_FALSE(HelpViewer().ShowContents(QString::fromStdString(dir.File(file)), &error));
        EXPECT_TRUE(error.contains(QString::fromUtf8(file))) << error.toStdString();
        EXPECT_TRUE(error.contains(QString::fromUtf8(reason))) << error.toStdString();
        EXPECT_FALSE(HelpViewer().isVisible());
    }
}
