// The desktop program: loads the card database, creates every window once and runs until
// the launcher closes.
#include "core/UApplication.h"
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
        QStringLiteral("The data folder (default: data beside the program)."),
        QStringLiteral("DIR"));
    parser.addOption(dataOption);
    parser.process(app);

    const std::string programDir = zandor::ProgramFolder();
    const std::string dataDir = parser.isSet(dataOption)
                                    ? parser.value(dataOption).toStdString()
                                    : programDir + zandor::PathSeparator() + "data";

    zandor::RegisterCardFonts();

    zandor::TCardDatabase db;
    zandor::LoadCardDatabase(db, programDir, dataDir);
    int code = 0;
    {
        zandor::TZandorShell shell(db);
        QObject::connect(&shell, &zandor::TZandorShell::ProgramEnding, &app, &QApplication::quit);
        shell.CreateWindows();
        shell.fmMain->show();
        shell.SayStartProblems();
        code = QApplication::exec();
        shell.DestroyWindows();
    }
    zandor::FreeCardDatabase(db);
    return code;
}
