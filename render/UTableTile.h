// The 100 x 100 tile of a card on the play table (frame, art, name, power/toughness,
// mana and ability icons, counter marks; tapped cards turned, face-down cards as a back),
// the tile of a split card made from its two halves, and the built-in tile pictures.
#pragma once

#include "play/UPlayTestObj.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <string>
#include <string_view>

namespace zandor {

class TSListImageCard;

inline constexpr int TileSize = 100;
// The picture window of the tile frames.
inline constexpr int TileArtLeft = 7;
inline constexpr int TileArtTop = 14;
inline constexpr int TileArtRight = 94;
inline constexpr int TileArtBottom = 94;
// The smallest point size a tile name or split title shrinks to.
inline constexpr int TileNameMinPoints = 4;
// The counter mark file of the data folder.
inline constexpr std::string_view CounterMarkFile = "caynt1.bmp";

// A built-in picture by name, letter case ignored: the frames "W_SMALL" ... "ART_SMALL",
// the back "FDOWN", the mana icons ("UMANA" ...), the ability icons ("FLY" ...) and the
// die faces "DIE1" ... "DIE6". Icons keep their black background as transparency. A null
// picture for an unknown name.
QImage TilePicture(std::string_view name);

// What a tile is drawn from besides the play record.
struct TTileSources {
    std::string PicDir;
    std::string DataDir; // ends with a separator
    const TSListImageCard* SmallArt = nullptr;
};

struct TTileResult {
    bool Drawn = false; // the target received the tile
    std::string Error;  // what could not be drawn (a file named), for the caller to show once
};

// The tile's mana and ability icons: token, picture name and, for mana, the left x.
struct TTileIcon {
    std::string_view Token;
    std::string_view Picture;
    int Left = 0;
};
extern const TTileIcon TileManaIcons[6];
extern const TTileIcon TileAbilityIcons[14];

// The left x of each counter mark for a count (none for 0 or less).
std::vector<int> CounterMarkLefts(int count);
// The point size the name is drawn at so that it fits width pixels, from 8 down to the
// smallest size.
int TileNamePoints(const QString& name, int width);
// The art file a tile reads for a card name: the first "/" and every ":" left out.
std::string TileArtPath(const std::string& picDir, std::string_view edition, std::string_view name);

// Composes the tile of play and copies its source rectangle (within 0..100) onto the whole
// target, scaled when the sizes differ. A target that is null becomes source's size. A
// colour without a frame leaves the target unchanged.
TTileResult DrawTableTile(const TMCardPlay& play, QImage& target, const QRect& source,
                          const TTileSources& sources);
// The joined tile of a split card at (0,0) of target (made 100 x 100 when null).
TTileResult DrawSplitTile(const TMCardPlay& first, const TMCardPlay& second, QImage& target,
                          const TTileSources& sources);
// Turns a square picture a quarter turn clockwise in place.
void RotateQuarter(QImage& picture);

} // namespace zandor
