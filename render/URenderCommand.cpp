#include "render/URenderCommand.h"
#include "core/UCardCommands.h"

#include "render/UCardFace.h"
#include "render/UFonts.h"
#include "render/UImageLists.h"

#include <QGuiApplication>

#include <algorithm>

namespace zandor {

void EnsureRenderingApplication() {
    if (!QGuiApplication::instance()) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "zandor";
        static char* argv[] = {name, nullptr};
        // Kept to the end of the process: Qt's own exit handlers still need it.
        static QGuiApplication* app = new QGuiApplication(argc, argv);
        (void)app;
    }
    RegisterCardFonts();
}

int StretchMethodByName(const std::string& name) {
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower == "standart" || lower == "0")
        return StretchStandart;
    if (lower == "box" || lower == "1")
        return StretchBox;
    if (lower == "lanczos3" || lower == "2")
        return StretchLanczos3;
    return -1;
}

int RunRenderCommand(const TCardDatabase& db, const std::string& name, const std::string& edition,
                     const std::string& stretch, const std::string& outFile, std::ostream& out,
                     std::ostream& err) {
    if (outFile.empty()) {
        err << "zandor: render needs --out FILE.png\n";
        return 2;
    }
    const int method = stretch.empty() ? db.ProgramOptions.Stretch : StretchMethodByName(stretch);
    if (method < 0) {
        err << "zandor: --stretch takes standart, box or lanczos3\n";
        return 2;
    }
    // The command line is UTF-8; the card list holds Windows-1252 bytes.
    const TZandorCard card = FindCardByUtf8(db, name, edition);
    if (IsNotFound(card)) {
        err << "zandor: no card \"" << name << "\"";
        if (!edition.empty())
            err << " in edition " << edition;
        err << "\n";
        return 1;
    }
    EnsureRenderingApplication();
    const TListImageZandorCard frames(db.DataDir);
    if (!frames.Usable())
        err << "zandor: " << frames.Error() << "; the face is drawn without a frame\n";
    QImage face(CardWidth, CardHeight, QImage::Format_RGB888);
    face.fill(Qt::white);
    const TCardFaceResult result =
        DrawCardFace(card, face, method, {&frames, db.PicDir, db.DataDir});
    if (!result.ArtError.empty())
        err << "zandor: " << result.ArtError << "\n";
    if (!face.save(QString::fromStdString(outFile), "PNG")) {
        err << "zandor: cannot write \"" << outFile << "\"\n";
        return 1;
    }
    out << outFile << "\n";
    return 0;
}

} // namespace zandor
