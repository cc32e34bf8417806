#include "render/UTileCommand.h"

#include "core/UCardCommands.h"
#include "core/UCodePage.h"
#include "render/URenderCommand.h"
#include "render/UTableTile.h"

namespace zandor {

namespace {

TMCardPlay playOf(const TZandorCard& card, const TTileCommand& command) {
    TMCardPlay play;
    play.Card = card;
    play.Untapped = command.Tapped ? 0 : 1;
    play.FaceDown = command.FaceDown ? 1 : 0;
    play.Counters = command.Counters;
    play.Keywords = command.Keywords;
    play.ImageIndex = -1;
    return play;
}

} // namespace

int RunTileCommand(const TCardDatabase& db, const TTileCommand& command, std::ostream& out,
                   std::ostream& err) {
    if (command.OutFile.empty()) {
        err << "zandor: tile needs --out FILE.png\n";
        return 2;
    }
    TZandorCard first = FindCardByUtf8(db, command.Name, command.Edition);
    TZandorCard second;
    bool split = false;
    if (IsNotFound(first) && command.Name.find('/') != std::string::npos &&
        command.Name.find('(') == std::string::npos) {
        first = FindCardByUtf8(db, SplitHalfName(command.Name, 1), command.Edition);
        second = FindCardByUtf8(db, SplitHalfName(command.Name, 2),
                                command.Edition.empty() ? first.Edition.str() : command.Edition);
        split = !IsNotFound(first) && !IsNotFound(second);
        if (!split)
            first.Name = std::string(NotFoundName);
    }
    if (IsNotFound(first)) {
        out << NotFoundName << "\n";
        return 1;
    }
    EnsureRenderingApplication();
    const TTileSources sources{db.PicDir, db.DataDir, nullptr};
    QImage tile;
    const TTileResult result =
        split
            ? DrawSplitTile(playOf(first, command), playOf(second, command), tile, sources)
            : DrawTableTile(playOf(first, command), tile, QRect(0, 0, TileSize, TileSize), sources);
    if (!result.Error.empty())
        err << "zandor: " << result.Error << "\n";
    if (!result.Drawn)
        return 1;
    if (!tile.convertToFormat(QImage::Format_RGB888)
             .save(QString::fromStdString(command.OutFile), "PNG")) {
        err << "zandor: cannot write \"" << command.OutFile << "\"\n";
        return 1;
    }
    out << command.OutFile << "\n";
    return 0;
}

} // namespace zandor
