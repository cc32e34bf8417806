#include "core/UApplication.h"

#include "core/UCodePage.h"
#include "core/UMain.h"
#include "deck/UDeckED.h"
#include "deck/UFilters.h"
#include "deck/UFindCard.h"
#include "deck/UResult.h"
#include "deck/UViewBIGComment.h"
#include "play/UNewTest.h"
#include "play/USBorad.h"
#include "play/UfmTest.h"
#include "render/UImageLists.h"
#include "render/UOptions.h"
#include "render/UPrintProxy.h"
#include "stats/UDeckStat.h"
#include "widgets/UHelpViewer.h"
#include "widgets/UMessages.h"

#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>

namespace zandor {

namespace {
TZandorShell* theShell = nullptr;
} // namespace

TZandorShell::TZandorShell(TCardDatabase& db) : Db(db) {
    theShell = this;
    if (qApp)
        qApp->installEventFilter(this);
}

bool TZandorShell::eventFilter(QObject* watched, QEvent* event) {
    // Hints stay up as long as the pointer rests on the control.
    if (event->type() == QEvent::ToolTip && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (!widget->toolTip().isEmpty()) {
            const auto* help = static_cast<QHelpEvent*>(event);
            QToolTip::showText(help->globalPos(), widget->toolTip(), widget, QRect(),
                               HintHidePause);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

TZandorShell::~TZandorShell() {
    DestroyWindows();
    if (theShell == this)
        theShell = nullptr;
}

TZandorShell& Shell() {
    return *theShell;
}
bool HasShell() {
    return theShell != nullptr;
}

QString TZandorShell::StartProblems() const {
    QStringList problems;
    if (!Db.BaseProblems.empty()) {
        QStringList lines;
        for (const std::string& problem : Db.BaseProblems) {
            QString line = ToDisplay(problem);
            line[0] = line[0].toUpper(); // a sentence of its own in the box
            lines << line + QLatin1Char('.');
        }
        problems << QStringLiteral("The card base cannot be loaded; the program goes on with an "
                                   "empty base.\n%1")
                        .arg(lines.join(QLatin1Char('\n')));
    }
    if (FrameImages && !FrameImages->Usable())
        problems << QStringLiteral("Card frames cannot be shown: %1")
                        .arg(ToDisplay(FrameImages->Error()));
    return problems.join(QStringLiteral("\n\n"));
}

void TZandorShell::SayStartProblems() {
    if (const QString problems = StartProblems(); !problems.isEmpty())
        ShowError(fmMain, problems);
}

QString TZandorShell::ProgramDir() const {
    return QString::fromStdString(Db.ProgramDir);
}

void TZandorShell::CreateWindows(bool showLauncher) {
    HelpFile.clear();
    // The launcher first: it becomes the main window and sets the help file.
    fmMain = new TfmMain(*this);
    if (showLauncher) {
        fmMain->show();
        fmMain->repaint();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    // The deck editor fills its base list while it is made.
    fmDeckED = new TfmDeckED(*this);
    fmFilters = new TfmFilters(Db);
    fmResult = new TfmResult;
    fmFindCard = new TfmFindCard;
    fmOptions = new TfmOptions(Db);
    fmPrintProxy = new TfmPrintProxy(Db);
    auto* loadDeck = new TfmLoadDeck(Db);
    fmLoadDeck = loadDeck;
    auto* play = new TfmPlay(Db, loadDeck);
    play->SetFrameImages(FrameImages.get());
    fmPlay = play;
    fmStat = new TfmStat(Db);
    fmRFComent = new TfmRFComent;
    // The editor's statistics command shows its deck in the statistics window.
    auto* editor = static_cast<TfmDeckED*>(fmDeckED.data());
    connect(editor, &TfmDeckED::StatisticsRequested, fmStat,
            [this](const std::vector<std::string>& lines) {
                if (fmStat)
                    fmStat->ShowDeck(lines);
            });
    // "Add to proxy print..." appends the base line to the proxy list.
    connect(editor, &TfmDeckED::ProxyLineRequested, fmPrintProxy,
            [this](const std::string& baseLine) {
                if (fmPrintProxy)
                    static_cast<TfmPrintProxy*>(fmPrintProxy.data())->AddToProxyList(baseLine);
            });
    // The play test: the editor's test command feeds the load deck dialog while it is up,
    // whose "Deck Edition" shows the editor modally; "X" on the table goes back.
    connect(
        editor, &TfmDeckED::DeckForLoadDialog, loadDeck,
        [loadDeck](const std::vector<std::string>& lines) { loadDeck->ReceiveEditorDeck(lines); });
    loadDeck->EditDeck = [editor](const std::vector<std::string>& lines) {
        editor->SetDeckLines(lines);
        editor->setWindowModality(Qt::ApplicationModal);
        editor->show();
        while (editor->isVisible())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        editor->setWindowModality(Qt::NonModal);
    };
    connect(play, &TfmPlay::Closed, this, [this] { PlayTableClosed(); });
}

void TZandorShell::DestroyWindows() {
    // Later windows go first, the launcher last, as they were made in the opposite order.
    delete fmRFComent;
    delete fmStat;
    delete fmPlay;
    delete fmPrintProxy;
    delete fmOptions;
    delete fmLoadDeck;
    delete fmFindCard;
    delete fmResult;
    delete fmFilters;
    delete fmDeckED;
    delete fmMain;
    FrameImages.reset();
}

void TZandorShell::LauncherDeckEditor() {
    if (!fmDeckED)
        return;
    fmDeckED->show();
    fmDeckED->activateWindow();
    fmMain->hide();
}

void TZandorShell::LauncherTestPlay() {
    if (!fmPlay)
        return;
    Db.PlayOrigin = "Main";
    fmPlay->show();
    fmPlay->activateWindow();
    fmMain->hide();
}

void TZandorShell::LauncherOptions() {
    if (auto* options = qobject_cast<QDialog*>(fmOptions.data()))
        options->exec();
}

void TZandorShell::PrintProxies() {
    if (fmPrintProxy)
        static_cast<TfmPrintProxy*>(fmPrintProxy.data())->PrintProxies();
}

void TZandorShell::DeckEditorClosed() {
    if (fmLoadDeck && fmLoadDeck->isVisible())
        return; // the editor was opened from the load deck dialog, which is still up
    Db.PlayOrigin = "Main";
    if (fmMain)
        fmMain->show();
}

bool TZandorShell::DeckEditorTestPlay() {
    if (!fmPlay)
        return false;
    if (!fmPlay->isVisible()) {
        fmPlay->show();
        Db.PlayOrigin = "DeckED";
    }
    return fmPlay->isVisible();
}

void TZandorShell::PlayTableClosed() {
    if (Db.PlayOrigin == "Main") {
        if (fmMain)
            fmMain->show();
    } else if (fmDeckED) {
        fmDeckED->show();
    }
}

void TZandorShell::OpenHelp(QWidget* from) {
    OpenHelpContents(from, HelpFile);
}

QString ToDisplay(const std::string& bytes) {
    return QString::fromStdString(Cp1252ToUtf8(bytes));
}

bool FromDisplay(const QString& text, std::string& bytes) {
    const auto converted = Utf8ToCp1252(text.toStdString());
    if (!converted)
        return false;
    bytes = *converted;
    return true;
}

} // namespace zandor
