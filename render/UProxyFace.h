// One proxy card at any resolution: the elements of the card face laid out in card units
// of 210 x 300 and scaled to the picture, with or without the coloured base, the art and
// a black border.
#pragma once

#include "core/UCard.h"

#include <QImage>

#include <string>

namespace zandor {

// The folders a proxy reads: card art below PicDir, frames and edition symbols in DataDir
// (which ends with a separator).
struct TProxySources {
    std::string PicDir;
    std::string DataDir;
};

// What the face had to do without. A frame that cannot be read gives the face without its
// base (black texts, outlines); art that cannot be decoded leaves the art window empty.
struct TProxyFaceResult {
    std::string FrameError; // names the frame file and why it failed
    std::string ArtError;   // names the art file and why it failed
    bool Complete() const { return FrameError.empty() && ArtError.empty(); }
};

// The frame file of a colour code in dataDir: code + ".jpg", the name matched without
// regard to letter case; empty when there is none.
std::string ProxyFrameFile(const std::string& dataDir, std::string_view color);

// Draws the proxy of card onto target, which the caller made white at the size wanted
// (an empty target becomes 210 x 300). base: frame, white titles, coloured discs and
// edition symbol; art: the card's art picture; border: a black border instead of a thin
// outline.
TProxyFaceResult DrawProxyFace(const TZandorCard& card, QImage& target, bool base, bool art,
                               bool border, const TProxySources& sources);

} // namespace zandor
