#include "render/URulesText.h"

#include "core/UCard.h"
#include "core/UCodePage.h"
#include "render/UCombine.h"
#include "render/UFonts.h"

#include <QPainter>

#include <algorithm>

namespace zandor {

namespace {

std::string_view trimSpaces(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

// Cuts at every single space, so a run of spaces leaves empty words that keep their width.
void cutWords(std::string_view source, std::vector<std::string>& words) {
    std::string_view rest = trimSpaces(source);
    if (rest.empty())
        return;
    if (rest.find(' ') == std::string_view::npos) {
        words.emplace_back(rest);
        return;
    }
    std::size_t p;
    while (!trimSpaces(rest).empty() && (p = rest.find(' ')) != std::string_view::npos) {
        words.emplace_back(rest.substr(0, p));
        rest.remove_prefix(p + 1);
    }
    words.emplace_back(trimSpaces(rest));
}

QString fromBytes(std::string_view bytes) {
    return QString::fromStdString(Cp1252ToUtf8(bytes));
}

// The font of one layer while the words are walked.
struct TFaceState {
    enum TFace { Text, Flavor, Symbol };
    TFace Face = Text;
    bool Italic = false;
    int Size = 8;

    QFont font() const { return fontWithItalic(Italic); }
    QFont fontWithItalic(bool italic) const {
        const QString& family = Face == Symbol   ? SymbolFontFamily
                                : Face == Flavor ? TitleFontFamily
                                                 : RulesFontFamily;
        return CardFont(family, Size, false, italic);
    }
};

// Discs are drawn without antialiasing: a grey edge pixel, combined once by AND and once by
// OR-NOT, would come out as a light rim around the disc.
QFont discFont(int size) {
    QFont font = CardFont(SymbolFontFamily, size);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// Sizes below 1 point do not exist; "{" stops there.
int stepSize(int size, int step) {
    return std::max(1, size + step);
}

enum class TToken {
    Word,
    Paragraph,   // "|"
    LineBreak,   // "&|"
    FlavorStart, // "/"
    FlavorEnd,   // "\"
    SymbolStart, // "<"
    SymbolEnd,   // ">"
    Right,       // "&"
    Centre,      // "%"
    Smaller,     // "{"
    Larger,      // "}"
};

TToken tokenOf(const std::string& word) {
    if (word.size() == 1) {
        switch (word[0]) {
        case '|':
            return TToken::Paragraph;
        case '/':
            return TToken::FlavorStart;
        case '\\':
            return TToken::FlavorEnd;
        case '<':
            return TToken::SymbolStart;
        case '>':
            return TToken::SymbolEnd;
        case '&':
            return TToken::Right;
        case '%':
            return TToken::Centre;
        case '{':
            return TToken::Smaller;
        case '}':
            return TToken::Larger;
        default:
            break;
        }
    }
    if (word == "&|")
        return TToken::LineBreak;
    return TToken::Word;
}

struct TWord {
    TToken Token;
    QString Text;
    QString Spaced; // " " + Text
    std::string Bytes;
};

// A fitting loop that cannot shrink (an unclosed "}" grows the font again on every pass)
// stops after this many passes.
constexpr int MaxFittingPasses = 64;

// Width of the words after index from up to and including the next word with token
// `until`, one space added after each word before it.
int alignedWidth(const std::vector<TWord>& words, std::size_t from, TToken until,
                 const QFontMetrics& metrics) {
    const int space = metrics.horizontalAdvance(QLatin1Char(' '));
    int width = 0;
    for (std::size_t k = from; k < words.size(); ++k) {
        width += metrics.horizontalAdvance(words[k].Text);
        if (words[k].Token == until)
            break;
        width += space;
    }
    return width;
}

} // namespace

std::vector<std::string> RulesWords(std::string_view text, std::string_view flavor) {
    std::vector<std::string> words;
    cutWords(text, words);
    if (words.empty())
        words.emplace_back();
    if (words.back() == "^") {
        words.pop_back();
        if (!trimSpaces(flavor).empty()) {
            if (!words.empty())
                words.emplace_back("|");
            words.emplace_back("/");
            cutWords(flavor, words);
            words.emplace_back("\\");
        }
    }
    return words;
}

void LayoutRulesBox(std::string_view text, std::string_view flavor, int width, int height,
                    int startSize, int sizeStep, TRulesLayers& layers) {
    layers.Cut = text.size() + flavor.size() > MaxRulesTextLength;
    if (layers.Cut) {
        text = text.substr(0, MaxRulesTextLength);
        flavor = flavor.substr(0, MaxRulesTextLength - text.size());
    }
    const std::vector<std::string> list = RulesWords(text, flavor);
    std::vector<TWord> words;
    words.reserve(list.size());
    for (const std::string& w : list) {
        TWord word{tokenOf(w), fromBytes(w), QString(), w};
        word.Spaced = QLatin1Char(' ') + word.Text;
        words.push_back(std::move(word));
    }

    // Fitting: walk the words without drawing until the block fits or the size is 1.
    TFaceState face;
    face.Size = std::max(1, startSize);
    int y = 0;
    int lineHeight = 0;
    for (int pass = 0; pass < MaxFittingPasses; ++pass) {
        int x = 0;
        y = 0;
        QFontMetrics metrics = CardMetrics(face.font());
        for (const TWord& word : words) {
            switch (word.Token) {
            case TToken::FlavorStart:
                face.Face = TFaceState::Flavor;
                face.Italic = true;
                metrics = CardMetrics(face.font());
                break;
            case TToken::FlavorEnd:
            case TToken::SymbolEnd:
                face.Face = TFaceState::Text;
                face.Italic = false;
                metrics = CardMetrics(face.font());
                break;
            case TToken::SymbolStart:
                face.Face = TFaceState::Symbol;
                metrics = CardMetrics(face.font());
                break;
            case TToken::Right:
            case TToken::Centre:
                break;
            case TToken::Smaller:
            case TToken::Larger:
                face.Size =
                    stepSize(face.Size, word.Token == TToken::Smaller ? -sizeStep : sizeStep);
                metrics = CardMetrics(face.font());
                break;
            case TToken::Paragraph:
                x = 0;
                y += metrics.height() + metrics.height() / 4;
                break;
            case TToken::LineBreak:
                x = 0;
                y += metrics.height();
                break;
            case TToken::Word: {
                const int w = metrics.horizontalAdvance(word.Text);
                if (x == 0) {
                    x = w;
                } else {
                    const int spaced = metrics.horizontalAdvance(word.Spaced);
                    if (x + spaced < width) {
                        x += spaced;
                    } else {
                        y += metrics.height();
                        x = w;
                    }
                }
                break;
            }
            }
        }
        lineHeight = metrics.height();
        if (height - lineHeight < y && face.Size != 1)
            face.Size -= 1;
        else
            break;
    }

    const int blockHeight = y + lineHeight;
    const int y0 = (height - blockHeight) / 2;
    layers.TextSize = face.Size;
    layers.Top = y0;
    ResetWorkPicture(layers.Text, width, height);
    ResetWorkPicture(layers.DiscMask, width, height);
    ResetWorkPicture(layers.DiscColor, width, height);

    // Drawing: the fonts go on from where the last fitting pass left them.
    QPainter ink(&layers.Text);
    QPainter mask(&layers.DiscMask);
    QPainter colour(&layers.DiscColor);
    ink.setPen(Qt::black);
    mask.setPen(Qt::black);
    TFaceState discFace;
    discFace.Face = TFaceState::Symbol;
    discFace.Size = face.Size;
    QFontMetrics metrics = CardMetrics(face.font());
    QFontMetrics discMetrics = CardMetrics(discFace.font());
    ink.setFont(face.font());
    mask.setFont(discFont(discFace.Size));
    colour.setFont(discFont(discFace.Size));
    const QString disc = QStringLiteral("o");
    const auto setFace = [&] {
        metrics = CardMetrics(face.font());
        ink.setFont(face.font());
    };
    int x = 0;
    int d = 0;
    y = y0;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const TWord& word = words[i];
        switch (word.Token) {
        case TToken::Paragraph:
            x = 0;
            y += metrics.height() + metrics.height() / 4;
            break;
        case TToken::LineBreak:
            x = 0;
            y += metrics.height();
            break;
        case TToken::FlavorStart:
            d = metrics.height() - discMetrics.height();
            face.Face = TFaceState::Flavor;
            face.Italic = true;
            setFace();
            break;
        case TToken::FlavorEnd:
            face.Face = TFaceState::Text;
            face.Italic = false;
            setFace();
            d = 0;
            break;
        case TToken::SymbolStart:
            d = metrics.height() - discMetrics.height();
            face.Face = TFaceState::Symbol;
            setFace();
            break;
        case TToken::SymbolEnd:
            face.Face = TFaceState::Text;
            setFace();
            d = 0;
            break;
        case TToken::Right:
            x = width - alignedWidth(words, i + 1, TToken::Right, metrics);
            break;
        case TToken::Centre:
            x = (width - alignedWidth(words, i + 1, TToken::Centre, metrics)) / 2;
            break;
        case TToken::Smaller:
        case TToken::Larger: {
            const int step = word.Token == TToken::Smaller ? -sizeStep : sizeStep;
            face.Size = stepSize(face.Size, step);
            setFace();
            // Both disc layers follow, so a mask disc never shows around a smaller colour disc.
            discFace.Size = stepSize(discFace.Size, step);
            discMetrics = CardMetrics(discFace.font());
            mask.setFont(discFont(discFace.Size));
            colour.setFont(discFont(discFace.Size));
            break;
        }
        case TToken::Word: {
            const QString* drawn = &word.Text;
            int at = x;
            int first = x; // where the word's first character falls
            const int w = metrics.horizontalAdvance(word.Text);
            if (x == 0) {
                x = w;
            } else {
                const int spaced = metrics.horizontalAdvance(word.Spaced);
                if (x > 0 && x + spaced < width) {
                    drawn = &word.Spaced;
                    first = x + metrics.horizontalAdvance(QLatin1Char(' '));
                    x += spaced;
                } else {
                    y += CardMetrics(face.fontWithItalic(false)).height();
                    at = 0;
                    first = 0;
                    x = w;
                }
            }
            const int top = y + d;
            if (face.Face == TFaceState::Symbol) {
                int cx = first;
                for (const char c : word.Bytes) {
                    const std::string_view symbol(&c, 1);
                    if (IsCostSymbol(symbol)) {
                        const TRGB ink = SymbolInkColor(symbol);
                        DrawOpaqueText(mask, discMetrics, cx, top, disc);
                        colour.setPen(QColor(ink.R, ink.G, ink.B));
                        DrawOpaqueText(colour, discMetrics, cx, top, disc);
                    }
                    cx += metrics.horizontalAdvance(fromBytes(symbol));
                }
            }
            DrawOpaqueText(ink, metrics, at, top, *drawn);
            break;
        }
        }
    }
}

void CombineRulesLayers(QImage& picture, int x, int y, const TRulesLayers& layers) {
    CombineAnd(picture, x, y, layers.DiscMask);
    CombineOrNot(picture, x, y, layers.DiscColor);
    CombineAnd(picture, x, y, layers.Text);
}

void DrawCostLine(std::string_view cost, QImage& scratch, QImage& card, int size, int right,
                  int top) {
    if (cost.empty())
        return;
    const QFont font = CardFont(SymbolFontFamily, size);
    const QFontMetrics metrics = CardMetrics(font);
    const QString costText = fromBytes(cost);
    const int x0 = right - metrics.horizontalAdvance(costText);
    const int cell = metrics.horizontalAdvance(QLatin1Char('W'));
    const QString discs = QStringLiteral("o1").repeated(static_cast<qsizetype>(cost.size()));
    // Only the rows of the line are touched; the rest of the scratch picture stays white.
    const int firstRow = std::max(0, top - 2);
    const int lastRow = top + metrics.height() + 2;
    const QFont plain = discFont(size);
    {
        QPainter s(&scratch);
        s.setFont(plain);
        s.setPen(Qt::black);
        DrawOpaqueText(s, metrics, x0, top, discs);
    }
    CombineAndRows(card, 0, 0, scratch, firstRow, lastRow);
    QPainter s(&scratch);
    s.fillRect(QRect(0, firstRow, scratch.width(), lastRow - firstRow + 1), Qt::white);
    s.setFont(plain);
    s.setPen(Qt::black);
    DrawOpaqueText(s, metrics, x0, top, discs);
    for (std::size_t k = 0; k < cost.size(); ++k) {
        const TRGB ink = SymbolInkColor(cost.substr(k, 1));
        s.setPen(QColor(ink.R, ink.G, ink.B));
        DrawOpaqueText(s, metrics, x0 + static_cast<int>(k) * cell, top, QStringLiteral("o"));
    }
    s.end();
    CombineOrNotRows(card, 0, 0, scratch, firstRow, lastRow);
    s.begin(&scratch);
    s.setFont(font);
    s.setPen(Qt::black);
    int x = x0;
    for (std::size_t k = 0; k < cost.size(); ++k) {
        const QString symbol = fromBytes(cost.substr(k, 1));
        DrawOpaqueText(s, metrics, x, top, symbol);
        x += metrics.horizontalAdvance(symbol);
    }
    s.end();
    CombineAndRows(card, 0, 0, scratch, firstRow, lastRow);
}

void DrawCostLine(std::string_view cost, QImage& card, int size, int right, int top, bool discs) {
    if (cost.empty())
        return;
    const QFont font = CardFont(SymbolFontFamily, size);
    // Point sizes are meant at 96 pixels per inch, whatever resolution the picture claims.
    SetRendererResolution(card);
    QPainter p(&card);
    p.setFont(font);
    const QFontMetrics metrics(font, &card);
    const QString costText = fromBytes(cost);
    const int x0 = right - metrics.horizontalAdvance(costText);
    if (discs) {
        const int cell = metrics.horizontalAdvance(QLatin1Char('1'));
        for (std::size_t k = 0; k < cost.size(); ++k) {
            const TRGB colour = SymbolColor(cost.substr(k, 1));
            p.setPen(QColor(colour.R, colour.G, colour.B));
            DrawCellText(p, metrics, x0 + static_cast<int>(k) * cell, top, QStringLiteral("o"));
        }
    }
    p.setPen(Qt::black);
    int x = x0;
    for (std::size_t k = 0; k < cost.size(); ++k) {
        const QString symbol = fromBytes(cost.substr(k, 1));
        DrawCellText(p, metrics, x, top, symbol);
        x += metrics.horizontalAdvance(symbol);
    }
}

} // namespace zandor
