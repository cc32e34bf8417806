#include "render/UCardFace.h"

#include "core/UCodePage.h"
#include "core/UTextFile.h"
#include "render/UCombine.h"
#include "render/UFonts.h"
#include "render/UImageLists.h"
#include "render/UJpeg.h"
#include "render/UPictureFiles.h"
#include "render/UResample.h"
#include "render/URulesText.h"

#include <QPainter>

#include <array>

namespace zandor {

namespace {

QString text(std::string_view bytes) {
    return QString::fromStdString(Cp1252ToUtf8(bytes));
}

// The art window and the rules box of the face.
constexpr int ArtLeft = 14;
constexpr int ArtTop = 19;
constexpr int ArtWidth = 181;
constexpr int ArtHeight = 144;
constexpr int RulesLeft = 15;
constexpr int RulesTop = 184;
constexpr int RulesWidth = 180;
constexpr int RulesHeight = 90;

// Work pictures kept for the next face: a face is drawn on every selection change, and
// fresh memory is slow to touch.
struct TFaceWork {
    QImage Scratch;
    QImage Art;
    QImage Scaled;
    TRulesLayers Rules;
    QImage Symbol;
    QImage Colors;
};

TFaceWork& work() {
    thread_local TFaceWork w;
    return w;
}

void copyInto(QImage& target, int x, int y, const QImage& source) {
    // source is RGB888, target an RGB32 work picture.
    for (int sy = 0; sy < source.height(); ++sy) {
        const int ty = y + sy;
        if (ty < 0 || ty >= target.height())
            continue;
        const unsigned char* in = source.constScanLine(sy);
        auto* out = reinterpret_cast<QRgb*>(target.scanLine(ty));
        for (int sx = 0; sx < source.width(); ++sx) {
            const int tx = x + sx;
            if (tx >= 0 && tx < target.width())
                out[tx] = qRgb(in[sx * 3], in[sx * 3 + 1], in[sx * 3 + 2]);
        }
    }
}

void drawEditionText(QImage& target, std::string_view edition) {
    if (edition.empty())
        return;
    const QImage picture = TextPicture(CardFont(InterfaceFontFamily, 8, true), text(edition));
    if (picture.isNull())
        return;
    CombineOrNot(target, 182, 168, picture);
}

} // namespace

bool LoadPictureFile(const std::string& path, QImage& picture) {
    const std::string found = FindPictureFile(path);
    if (found.empty())
        return false;
    return picture.load(QString::fromStdString(found)) && !picture.isNull();
}

namespace {} // namespace

int FrameIndex(std::string_view color) {
    static constexpr std::array<std::string_view, 8> codes{"W", "U",   "B",   "R",
                                                           "G", "Lnd", "Gld", "Art"};
    for (std::size_t i = 0; i < codes.size(); ++i)
        if (codes[i] == color)
            return static_cast<int>(i);
    return -1;
}

std::string ArtFileName(const TZandorCard& card, const std::string& picDir) {
    std::string name = card.Name;
    const char drop = name.find(':') != std::string::npos ? ':' : '/';
    std::erase(name, drop);
    std::string path = picDir;
    if (path.empty() || path.back() != '/')
        path += '/';
    return path + Cp1252ToUtf8(card.Edition.str()) + "/" + Cp1252ToUtf8(name) + ".jpg";
}

TCardFaceResult DrawCardFace(const TZandorCard& card, QImage& target, int stretch,
                             const TCardFaceSources& sources) {
    TCardFaceResult result;
    TFaceWork& w = work();

    // 1. Frame.
    const int frame = FrameIndex(card.Color.str());
    if (frame >= 0 && sources.FrameImages)
        sources.FrameImages->Copy(frame, target);
    if (target.isNull()) {
        target = QImage(CardWidth, CardHeight, QImage::Format_RGB888);
        target.fill(Qt::white);
    }
    if (target.format() != QImage::Format_RGB888)
        target = target.convertToFormat(QImage::Format_RGB888);
    SetRendererResolution(target);

    // 2. Artist line, white through the scratch layer.
    ResetWorkPicture(w.Scratch, target.width(), target.height());
    {
        const QFont font = CardFont(TitleFontFamily, 8);
        const QFontMetrics metrics = CardMetrics(font);
        const QString artist = QStringLiteral("Illus.") + text(card.Artist);
        QPainter p(&w.Scratch);
        p.setFont(font);
        p.setPen(Qt::black);
        DrawCellText(p, metrics, 105 - metrics.horizontalAdvance(artist) / 2, 280, artist);
        p.end();
        CombineOrNotRows(target, 0, 0, w.Scratch, 276, target.height() - 1);
        w.Scratch.fill(Qt::white);
    }

    QPainter face(&target);
    // 3. Name and type line with their shadows.
    {
        const QFont font = CardFont(TitleFontFamily, 9, true);
        const QFontMetrics metrics = CardMetrics(font);
        const QString name = text(card.Name);
        const QString type = text(card.CardType);
        face.setFont(font);
        face.setPen(Qt::black);
        DrawCellText(face, metrics, 13, 167, type);
        DrawCellText(face, metrics, 13, 3, name);
        face.setPen(Qt::white);
        DrawCellText(face, metrics, 12, 166, type);
        DrawCellText(face, metrics, 12, 2, name);
    }
    // 4. Power/toughness.
    if (card.PT.find_first_not_of(' ') != std::string::npos) {
        const QFont font = CardFont(TitleFontFamily, 11, true);
        const QFontMetrics metrics = CardMetrics(font);
        const QString pt = text(card.PT);
        const int x = 202 - metrics.horizontalAdvance(pt);
        face.setFont(font);
        face.setPen(Qt::black);
        DrawCellText(face, metrics, x + 1, 279, pt);
        face.setPen(Qt::white);
        DrawCellText(face, metrics, x, 278, pt);
    }
    face.end();

    // 5. Rules box.
    LayoutRulesBox(card.Text, card.Flavor, RulesWidth, RulesHeight, 8, 1, w.Rules);
    result.RulesCut = w.Rules.Cut;
    CombineRulesLayers(target, RulesLeft, RulesTop, w.Rules);

    // 6. Casting cost, through the scratch layer, which keeps its glyphs for step 8.
    DrawCostLine(card.Cost, w.Scratch, target, 11, 202, 1);

    // 7. Edition symbol, or its code in white when a picture is missing.
    {
        const std::string base = sources.DataDir + card.Edition.str();
        bool drawn = false;
        if (LoadPictureFile(base + "_os.bmp", w.Symbol)) {
            const int x = 198 - w.Symbol.width();
            CombineAnd(target, x, 168, w.Symbol);
            if (LoadPictureFile(base + "_" + card.Rarity.str() + ".bmp", w.Colors)) {
                CombineOrNot(target, x, 168, w.Colors);
                drawn = true;
            }
        }
        if (!drawn)
            drawEditionText(target, card.Edition.str());
    }

    // 8. Art, scaled into the art window of the scratch layer and ANDed with the face.
    const std::string artPath = FindPictureFile(ArtFileName(card, sources.PicDir));
    if (artPath.empty())
        return result;
    result.ArtFound = true;
    const TJpegResult decoded = LoadJpegFile(artPath, w.Art);
    if (!decoded.Ok) {
        result.ArtError = "Cannot decode the picture \"" + artPath + "\": " + decoded.Error;
        return result;
    }
    if (stretch == StretchBox || stretch == StretchLanczos3) {
        if (stretch == StretchBox)
            ResampleImage(ArtWidth, ArtHeight, BoxFilter, w.Scaled, w.Art, 1.0f);
        else
            ResampleImage(ArtWidth, ArtHeight, Lanczos3Filter, w.Scaled, w.Art, 3.0f);
        copyInto(w.Scratch, ArtLeft, ArtTop, w.Scaled);
    } else {
        StretchImage(w.Scratch, QRect(ArtLeft, ArtTop, ArtWidth, ArtHeight), w.Art);
    }
    // Below the art window the scratch layer is white, and AND with white changes nothing.
    CombineAndRows(target, 0, 0, w.Scratch, 0, ArtTop + ArtHeight);
    result.ArtDrawn = true;
    return result;
}

void LoadBlankCard(QImage& picture) {
    RegisterCardFonts();
    QImage blank(QStringLiteral(":/OSNOVA"));
    if (blank.isNull()) {
        blank = QImage(CardWidth, CardHeight, QImage::Format_RGB888);
        blank.fill(Qt::white);
    }
    picture = blank.convertToFormat(QImage::Format_RGB888);
    if (picture.size() != QSize(CardWidth, CardHeight))
        picture = picture.scaled(CardWidth, CardHeight);
    SetRendererResolution(picture);
}

} // namespace zandor
