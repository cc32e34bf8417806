// The sample pictures of the bundled data folder, drawn from scratch: the eight card
// frames, the blank card, edition symbols and one landscape per card of a card list.
#pragma once

#include "core/UCard.h"

#include <QImage>

#include <string>
#include <string_view>
#include <vector>

namespace zandor {

// The frame of FrameImages entry index (0 "w" ... 7 "art"), 210 x 300 with a white art
// window.
QImage MakeFramePicture(int index);
// The built-in blank card "OSNOVA".
QImage MakeBlankCard();
// The edition symbol: its black-on-white silhouette ("CODE_os.bmp") and the colour picture
// of a rarity ("CODE_C.bmp" and so on), stored inverted.
QImage MakeEditionSilhouette(std::string_view code);
QImage MakeEditionColors(std::string_view code, char rarity);
// A landscape for the card, its size and scene chosen from its name.
QImage MakeCardArt(const TZandorCard& card);

// A pile picture of the play table, 70 x 90: kind "lib", "grave" or "remov", size 0 for
// the empty pile or 5, 15, 35, 60 for the stack that stands for up to that many cards.
QImage MakePilePicture(std::string_view kind, int size);
// The counter mark of the table tiles, drawn on white (its transparent colour).
QImage MakeCounterMark();
// The pile pictures' and the counter mark's file names in the data folder.
std::vector<std::string> PilePictureFiles();

struct TSampleCount {
    int Frames = 0, Symbols = 0, Art = 0, Cards = 0, Piles = 0;
};
// Every card of the database drawn as its face, in rows of `columns`, with the stretch
// method given; problems with art files are counted into artErrors.
QImage MakeContactSheet(const struct TCardDatabase& db, int columns, int stretch, int* artErrors);

// Writes whatever of the sample pictures is missing for the card list dataDir/cardlist.dat:
// frames, edition symbols, pile pictures and the counter mark into dataDir, art into picDir.
// Existing files are kept.
TSampleCount MakeSamplePictures(const std::string& dataDir, const std::string& picDir);

} // namespace zandor
