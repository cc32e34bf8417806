// The desktop program: loads the card database, creates every window once and runs until
// the launcher closes.
#include "core/UApplication.h"
#include "core/UInstallPaths.h"
#include "core/UMain.h"
#include "core/UTextFile.h"
#include "render/UFonts.h"
#include "widgets/UMessages.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zandor Library"));
    QApplication::setApplicationVersion(QStringLiteral(ZANDOR_VERSION));
    // The launcher ends the program; hiding it while another window shows must not.
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Card library, deck editor and play test"));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption dataOption(
        QStringLiteral("data"),
        QStringLiteral("The data folder (default: data beside the program, or "
                       "~/.local/share/zandor-library/data for an installed program)."),
        QStringLiteral("DIR"));
    parser.addOption(dataOption);
    parser.process(app);

    const std::string programDir = zandor::ProgramFolder();
    std::string fillProblem;
    const std::string dataDir =
        parser.isSet(dataOption)
            ? parser.value(dataOption).toStdString()
            : zandor::PrepareDataDir(programDir, zandor::CurrentUserEnvironment(), &fillProblem);

    zandor::RegisterCardFonts();

    zandor::TCardDatabase db;
    zandor::LoadCardDatabase(db, programDir, dataDir);
    int code = 0;
    {
        zandor::TZandorShell shell(db);
        QObject::connect(&shell, &zandor::TZandorShell::ProgramEnding, &app, &QApplication::quit);
        shell.CreateWindows(true);
        shell.SayStartProblems();
        if (!fillProblem.empty())
            zandor::ShowError(shell.fmMain, QString::fromStdString(fillProblem));
        code = QApplication::exec();
        shell.DestroyWindows();
    }
    zandor::FreeCardDatabase(db);
    return code;
}
