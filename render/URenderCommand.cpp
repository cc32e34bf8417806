#include "render/URenderCommand.h"
#include "core/UCardCommands.h"

#include "render/UCardFace.h"
#include "render/UFonts.h"
#include "render/UImageLists.h"
#include "render/URulesText.h"

#include "core/UTextFile.h"

#include <QBuffer>
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
    bool incomplete = false;
    if (!frames.Usable()) {
        err << "zandor: " << frames.Error() << "; the face is drawn without a frame\n";
        incomplete = true;
    }
    QImage face(CardWidth, CardHeight, QImage::Format_RGB888);
    face.fill(Qt::white);
    const TCardFaceResult result =
        DrawCardFace(card, face, method, {&frames, db.PicDir, db.DataDir});
    if (!result.ArtError.empty()) {
        err << "zandor: " << result.ArtError << "; the face is drawn without its art\n";
        incomplete = true;
    }
    if (result.RulesCut)
        err << "zandor: the rules text is longer than " << MaxRulesTextLength
            << " characters; only its start is shown\n";
    // The picture goes through the same atomic writer as the data files: a failure or a
    // kill midway leaves the old file whole.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!face.save(&buffer, "PNG")) {
        err << "zandor: cannot encode the picture as PNG\n";
        return 1;
    }
    const TWriteResult written =
        CurrentFileWriter().WriteFile(outFile, std::string_view(png.constData(), png.size()));
    if (!written.Ok) {
        err << "zandor: " << written.Error << "\n";
        return 1;
    }
    out << outFile << "\n";
    // Written, but not as the card should look: a script can tell by the status.
    return incomplete ? RenderIncomplete : 0;
}

} // namespace zandor
