// The application shell: owns the card database for the run, creates every window once in
// its fixed order, and routes the user between the launcher, the deck editor and the play
// table. Windows reach it through Shell().
#pragma once

#include "core/UCardDatabase.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

namespace zandor {

class TfmMain;
class TListImageZandorCard;
class TfmDeckED;
class TfmFilters;
class TfmResult;
class TfmFindCard;
class TfmRFComent;
class TfmStat;

class TZandorShell : public QObject {
    Q_OBJECT
public:
    explicit TZandorShell(TCardDatabase& db);
    ~TZandorShell() override;

    TCardDatabase& Db;
    // The help file that F1 and the help commands open; cleared before the windows exist.
    QString HelpFile;
    // The eight card frames, made by the launcher when it is created and freed with it.
    std::unique_ptr<TListImageZandorCard> FrameImages;
    // What went wrong at start that the user should hear of once (a missing frame file).
    QString StartProblems() const;
    // Tells the user of the start problems in one error box, when there are any.
    void SayStartProblems();

    // The windows, in creation order; a window that this build does not have stays null
    // and the commands that would show it do nothing.
    QPointer<TfmMain> fmMain;
    QPointer<QWidget> fmDeckED;
    QPointer<TfmFilters> fmFilters;
    QPointer<TfmResult> fmResult;
    QPointer<TfmFindCard> fmFindCard;
    QPointer<QWidget> fmLoadDeck;
    QPointer<QWidget> fmOptions;
    QPointer<QWidget> fmPrintProxy;
    QPointer<QWidget> fmPlay;
    QPointer<TfmStat> fmStat;
    QPointer<TfmRFComent> fmRFComent;

    // Creates every window in its order; with showLauncher the launcher is shown and painted
    // as soon as it exists, so that the user sees it while the others are being made.
    void CreateWindows(bool showLauncher = false);
    void DestroyWindows();

    // Navigation between the three main windows.
    void LauncherDeckEditor();
    void LauncherTestPlay();
    void LauncherOptions();
    // The proxy list modally, then the print job when it closed with "Print".
    void PrintProxies();
    void DeckEditorClosed();
    // Shows the play table for a test from the deck editor; false when there is none to
    // show, and the editor must then stay on screen.
    bool DeckEditorTestPlay();
    void PlayTableClosed();

    // Opens the contents of the help file.
    void OpenHelp(QWidget* from);

    QString ProgramDir() const;

    // How long a hint stays up while the pointer rests: in effect for ever.
    static constexpr int HintHidePause = 10000000;

signals:
    // The launcher was closed: the program ends.
    void ProgramEnding();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

TZandorShell& Shell();
bool HasShell();

// Data text for widgets and back (the data files are Windows-1252).
QString ToDisplay(const std::string& bytes);
// The text in the data files' code page; false when it holds characters the code page lacks.
bool FromDisplay(const QString& text, std::string& bytes);

} // namespace zandor
