// The 210 x 300 card face composed from a card record: frame, art, name and type line,
// cost, rules box, power/toughness, artist line and edition symbol. Keeps no state between
// calls beyond the work pictures it reuses.
#pragma once

#include "core/UCard.h"

#include <QImage>

#include <string>

namespace zandor {

class TListImageZandorCard;

// What a face is drawn from besides the card: the frame list (null or unusable: no frame)
// and the two folders.
struct TCardFaceSources {
    const TListImageZandorCard* FrameImages = nullptr;
    std::string PicDir;
    std::string DataDir; // ends with a separator
};

struct TCardFaceResult {
    bool ArtFound = false; // the art file exists
    bool ArtDrawn = false; // ... and was decoded and drawn
    std::string ArtError;  // why it was not, naming the file, for the caller to show once
    bool RulesCut = false; // the rules text was too long and only its start is shown
};

// The stretch methods of the options: 0 "Standart" (nearest pixel), 1 "Box", 2 "Lanczos3".
inline constexpr int StretchStandart = 0;
inline constexpr int StretchBox = 1;
inline constexpr int StretchLanczos3 = 2;

// The FrameImages index of a colour code ("W" 0 ... "Art" 7), exact and case-sensitive;
// -1 for any other code.
int FrameIndex(std::string_view color);

// PicDir/Edition/file name.jpg. The file name is the card name without its colons when it
// holds one (slashes then stay), else without its slashes, else the name itself.
// Loads a picture file (BMP, PNG, ...) found without regard to letter case; false when there
// is none or it cannot be read.
bool LoadPictureFile(const std::string& path, QImage& picture);
std::string ArtFileName(const TZandorCard& card, const std::string& picDir);

// Composes the face onto target, which the caller made 210 x 300 and white (an empty
// target is made so). A frame code outside the table keeps what target held.
TCardFaceResult DrawCardFace(const TZandorCard& card, QImage& target, int stretch,
                             const TCardFaceSources& sources);

// The built-in blank card "OSNOVA"; picture becomes 210 x 300.
void LoadBlankCard(QImage& picture);

} // namespace zandor
