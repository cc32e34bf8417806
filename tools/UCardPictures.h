// The sample pictures of the bundled data folder, drawn from scratch: the eight card
// frames, the blank card, edition symbols and one landscape per card of a card list.
#pragma once

#include "core/UCard.h"

#include <QImage>

#include <string>
#include <string_view>

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

struct TSampleCount {
    int Frames = 0, Symbols = 0, Art = 0, Cards = 0;
};
// Writes whatever of the sample pictures is missing for the card list dataDir/cardlist.dat:
// frames and edition symbols into dataDir, art into picDir. Existing files are kept.
TSampleCount MakeSamplePictures(const std::string& dataDir, const std::string& picDir);

} // namespace zandor
