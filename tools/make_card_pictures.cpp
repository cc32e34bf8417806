// make-card-pictures: draws the sample pictures of the data folder.
//   make-card-pictures sample DATADIR [PICDIR]   missing frames, edition symbols and art
//                                                for DATADIR/cardlist.dat (PICDIR defaults
//                                                to DATADIR/pics)
//   make-card-pictures frames DIR                the eight frames, overwritten
//   make-card-pictures blank FILE.png            the built-in blank card
//   make-card-pictures sheet DATADIR OUT.png [COLUMNS] [STRETCH]
//                                                every card's face on one picture
#include "core/UCardDatabase.h"
#include "core/UTextFile.h"
#include "render/UFonts.h"
#include "render/UImageLists.h"
#include "render/UJpeg.h"
#include "tools/UCardPictures.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "sample" && argc >= 3) {
        const std::string data = argv[2];
        const std::string pics =
            argc >= 4 ? argv[3] : zandor::IncludeTrailingSeparator(data) + "pics";
        const zandor::TSampleCount n = zandor::MakeSamplePictures(data, pics);
        std::printf("%d cards: %d frames, %d edition symbols, %d art files, %d pile pictures "
                    "written\n",
                    n.Cards, n.Frames, n.Symbols, n.Art, n.Piles);
        return 0;
    }
    if (command == "frames" && argc == 3) {
        const std::string dir = zandor::IncludeTrailingSeparator(argv[2]);
        for (std::size_t i = 0; i < zandor::TListImageZandorCard::FrameFiles.size(); ++i)
            if (!zandor::SaveJpegFile(dir +
                                          std::string(zandor::TListImageZandorCard::FrameFiles[i]),
                                      zandor::MakeFramePicture(static_cast<int>(i)), 92))
                return 1;
        return 0;
    }
    if (command == "sheet" && argc >= 4) {
        zandor::RegisterCardFonts();
        zandor::TCardDatabase db;
        zandor::LoadCardDatabase(db, argv[2], argv[2]);
        const int columns = argc >= 5 ? std::atoi(argv[4]) : 10;
        const int stretch = argc >= 6 ? std::atoi(argv[5]) : db.ProgramOptions.Stretch;
        int missing = 0;
        const QImage sheet = zandor::MakeContactSheet(db, columns, stretch, &missing);
        std::printf("%d cards without drawable art\n", missing);
        return sheet.save(QString::fromLocal8Bit(argv[3])) ? 0 : 1;
    }
    if (command == "blank" && argc == 3)
        return zandor::MakeBlankCard().convertToFormat(QImage::Format_RGB888).save(argv[2]) ? 0 : 1;
    std::fprintf(stderr, "usage: make-card-pictures sample DATADIR [PICDIR] | frames DIR | "
                         "blank FILE.png | sheet DATADIR OUT.png [COLUMNS] [STRETCH]\n");
    return 2;
}
