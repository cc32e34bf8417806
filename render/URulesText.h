// The rules box and the cost line: rules and flavour text cut into words, fitted into the
// box by shrinking the font, drawn with their markup tokens and mana symbols on discs.
// Everything here lives for one call.
#pragma once

#include <QImage>

#include <string>
#include <string_view>
#include <vector>

namespace zandor {

// The words of the rules text, then, when its last word is "^", the flavour text between
// "/" and "\" (after a "|" when rules words remain).
std::vector<std::string> RulesWords(std::string_view text, std::string_view flavor);

// The three pictures of a laid-out rules box, each of the box's size and white where
// nothing was drawn (QImage::Format_RGB32).
struct TRulesLayers {
    QImage Text;      // every glyph, black
    QImage DiscMask;  // the discs behind mana symbols, black
    QImage DiscColor; // the same discs in the ink colour of their symbol
    int TextSize = 0; // the point size the fitting settled on
    int Top = 0;      // where the text block starts (negative when it overflows)
    bool Cut = false; // the text was longer than MaxRulesTextLength and only its start shows
};

// Rules and flavour text together are laid out up to this many characters: no card comes
// near it, and a longer text (a broken or hostile card line) would only cost time in the
// fitting, which tries every size down to the smallest.
inline constexpr std::size_t MaxRulesTextLength = 4000;

// Lays out the rules and flavour text in a box of width x height pixels, starting at
// startSize points; "{" and "}" change the size by sizeStep. Text beyond
// MaxRulesTextLength is cut off, and layers.Cut says so.
void LayoutRulesBox(std::string_view text, std::string_view flavor, int width, int height,
                    int startSize, int sizeStep, TRulesLayers& layers);

// The screen cost line: the cost's symbols on coloured discs, right-aligned to end at
// right, drawn through the white scratch picture onto card (24-bit). Every character of
// the cost gets a disc. The scratch picture keeps the final glyphs.
void DrawCostLine(std::string_view cost, QImage& scratch, QImage& card, int size, int right,
                  int top);
// The printed cost line, drawn straight onto card; the discs only when discs is true.
void DrawCostLine(std::string_view cost, QImage& card, int size, int right, int top, bool discs);

// Combines the layers with picture at (x, y): disc mask AND, disc colour OR-NOT, text AND.
void CombineRulesLayers(QImage& picture, int x, int y, const TRulesLayers& layers);

} // namespace zandor
