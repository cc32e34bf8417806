// The small art cache of a play-test game, reached by the engine through its art seam:
// card names become file names exactly as the card face makes them.
#pragma once

#include "play/UPlayTestObj.h"
#include "render/UImageLists.h"

#include <string>
#include <vector>

namespace zandor {

class TGameArtCache final : public TSmallArtSource {
public:
    int AddArt(const std::string& path) override;
    int AddCardArt(const std::string& picDir, const std::string& edition,
                   const std::string& name) override;
    void Clear() override { Pictures.Clear(); }
    TSListImageCard Pictures;
    std::vector<std::string> Errors; // art files that could not be decoded
};

} // namespace zandor
