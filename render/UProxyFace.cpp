#include "render/UProxyFace.h"

#include "core/UCodePage.h"
#include "core/UTextFile.h"
#include "render/UCardFace.h"
#include "render/UCombine.h"
#include "render/UFonts.h"
#include "render/UImageLists.h"
#include "render/UJpeg.h"
#include "render/UPictureFiles.h"
#include "render/UResample.h"
#include "render/URulesText.h"

#include <QDir>
#include <QPainter>

#include <algorithm>

namespace zandor {

namespace {

QString text(std::string_view bytes) {
    return QString::fromStdString(Cp1252ToUtf8(bytes));
}

// Card units scaled to the picture, cut toward zero.
struct TScale {
    double X;
    double Y;
    int x(double v) const { return static_cast<int>(v * X); }
    int y(double v) const { return static_cast<int>(v * Y); }
};

// The outline of the rectangle (left, top)-(right, bottom) in card units, the right and
// bottom edges just outside it.
void outline(QPainter& p, const TScale& s, int left, int top, int right, int bottom) {
    const int l = s.x(left);
    const int t = s.y(top);
    const int r = std::max(l, s.x(right) - 1);
    const int b = std::max(t, s.y(bottom) - 1);
    p.drawLine(l, t, r, t);
    p.drawLine(l, b, r, b);
    p.drawLine(l, t, l, b);
    p.drawLine(r, t, r, b);
}

// The edition code, black on a white picture as large as the text, combined at its place.
void drawEditionText(QImage& target, const TScale& s, std::string_view edition, bool inWhite) {
    if (edition.empty())
        return;
    const QImage picture = TextPicture(CardFont(TitleFontFamily, s.y(8), true), text(edition));
    if (picture.isNull())
        return;
    if (inWhite)
        CombineOrNot(target, s.x(178), s.y(166), picture);
    else
        CombineAnd(target, s.x(178), s.y(166), picture);
}

QImage stretched(const QImage& source, const QSize& size) {
    if (size.width() <= 0 || size.height() <= 0)
        return {};
    return source.convertToFormat(QImage::Format_RGB888)
        .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

std::string ProxyFrameFile(const std::string& dataDir, std::string_view color) {
    if (color.empty())
        return {};
    const std::string wanted = Cp1252ToUtf8(color) + ".jpg";
    if (FileExists(dataDir + wanted))
        return dataDir + wanted;
    const QString name = QString::fromStdString(wanted);
    const QDir folder(QString::fromStdString(dataDir));
    const QStringList files = folder.entryList(QDir::Files);
    for (const QString& file : files)
        if (file.compare(name, Qt::CaseInsensitive) == 0)
            return dataDir + file.toStdString();
    return {};
}

TProxyFaceResult DrawProxyFace(const TZandorCard& card, QImage& target, bool base, bool art,
                               bool border, const TProxySources& sources) {
    TProxyFaceResult result;
    if (target.isNull()) {
        target = QImage(CardWidth, CardHeight, QImage::Format_RGB888);
        target.fill(Qt::white);
    }
    if (target.format() != QImage::Format_RGB888)
        target = target.convertToFormat(QImage::Format_RGB888);
    // Point sizes are meant at 96 pixels per inch; the scale does the rest.
    SetRendererResolution(target);
    const int width = target.width();
    const int height = target.height();
    const TScale s{width / 210.0, height / 300.0};

    // The frame is read first: without it the face is drawn as one without base.
    QImage frame;
    if (base) {
        const std::string file = ProxyFrameFile(sources.DataDir, card.Color.str());
        if (file.empty()) {
            result.FrameError = "There is no frame picture \"" + sources.DataDir +
                                Cp1252ToUtf8(card.Color.str()) + ".jpg\"";
        } else if (const TJpegResult loaded = LoadJpegFile(file, frame); !loaded.Ok) {
            result.FrameError = "Cannot decode the frame picture \"" + file + "\": " + loaded.Error;
            frame = QImage();
        }
        if (!result.FrameError.empty())
            base = false;
    }

    QPainter p(&target);
    // 1. Border, or a thin outline along the picture's edges.
    if (border) {
        const int bx = s.x(10);
        const int by = s.y(10);
        p.fillRect(QRect(0, 0, width, by), Qt::black);
        p.fillRect(QRect(0, height - by, width, by), Qt::black);
        p.fillRect(QRect(0, 0, bx, height), Qt::black);
        p.fillRect(QRect(width - bx, 0, bx, height), Qt::black);
    } else {
        p.setPen(QPen(Qt::black, 0));
        p.drawLine(0, 0, width - 1, 0);
        p.drawLine(0, 0, 0, height - 1);
        p.drawLine(s.x(209), 0, s.x(209), height - 1);
        p.drawLine(0, s.y(299), width - 1, s.y(299));
    }

    // 2. The base, or the outlines of the card, the art window and the rules box.
    if (base) {
        const QRect into(QPoint(s.x(10), s.y(10)), QPoint(s.x(201) - 1, s.y(291) - 1));
        p.drawImage(into.topLeft(), stretched(frame, into.size()));
    } else {
        p.setPen(QPen(Qt::black, 0));
        outline(p, s, 10, 10, 200, 290);
        outline(p, s, 21, 29, 188, 163);
        outline(p, s, 21, 179, 188, 267);
    }

    // 3. Name, type line, artist, the proxy line and power/toughness.
    {
        const QFont bold = CardFont(TitleFontFamily, s.y(9), true);
        const QFontMetrics boldMetrics = CardMetrics(bold);
        const QString name = text(card.Name);
        const QString type = text(card.CardType);
        p.setFont(bold);
        p.setPen(Qt::black);
        if (base) {
            DrawCellText(p, boldMetrics, s.x(23), s.y(166), type);
            DrawCellText(p, boldMetrics, s.x(23), s.y(13), name);
            p.setPen(Qt::white);
        }
        DrawCellText(p, boldMetrics, s.x(22), s.y(165), type);
        DrawCellText(p, boldMetrics, s.x(22), s.y(12), name);

        const QFont regular = CardFont(TitleFontFamily, s.y(9));
        const QFontMetrics regularMetrics = CardMetrics(regular);
        const QString artist = QStringLiteral("Illus.") + text(card.Artist);
        p.setFont(regular);
        DrawCellText(p, regularMetrics, (width - regularMetrics.horizontalAdvance(artist)) / 2,
                     s.y(270), artist);
        const QFont small = CardFont(TitleFontFamily, s.y(4));
        const QFontMetrics smallMetrics = CardMetrics(small);
        const QString proxy = QStringLiteral("Proxy: Zandor Library");
        p.setFont(small);
        DrawCellText(p, smallMetrics, (width - smallMetrics.horizontalAdvance(proxy)) / 2, s.y(284),
                     proxy);

        if (card.PT.find_first_not_of(' ') != std::string::npos) {
            const QFont ptFont = CardFont(TitleFontFamily, s.y(12), true);
            const QFontMetrics ptMetrics = CardMetrics(ptFont);
            const QString pt = text(card.PT);
            const int u = s.x(196) - ptMetrics.horizontalAdvance(pt);
            p.setFont(ptFont);
            if (base) {
                p.setPen(Qt::black);
                DrawCellText(p, ptMetrics, static_cast<int>(u + s.X), s.y(271), pt);
                p.setPen(Qt::white);
            } else {
                p.setPen(Qt::black);
            }
            DrawCellText(p, ptMetrics, u, s.y(271), pt);
        }
    }
    p.end();

    // 4. Cost, on coloured discs only with the base.
    DrawCostLine(card.Cost, target, s.y(11), s.x(195), s.y(11), base);

    // 5. Rules box; the discs behind mana symbols only with the base.
    {
        TRulesLayers layers;
        LayoutRulesBox(card.Text, card.Flavor, s.x(162), s.y(86), s.y(8),
                       std::max(1, static_cast<int>(s.Y)), layers);
        const int x = s.x(24);
        const int y = s.y(180);
        if (base) {
            CombineAnd(target, x, y, layers.DiscMask);
            CombineOrNot(target, x, y, layers.DiscColor);
        }
        CombineAnd(target, x, y, layers.Text);
    }

    // 6. Art, resampled with Lanczos3 into the art window.
    if (art) {
        const std::string artPath = FindPictureFile(ArtFileName(card, sources.PicDir));
        if (!artPath.empty()) {
            QImage decoded;
            if (const TJpegResult loaded = LoadJpegFile(artPath, decoded); !loaded.Ok) {
                result.ArtError = "Cannot decode the picture \"" + artPath + "\": " + loaded.Error;
            } else {
                QImage scaled;
                ResampleImage(s.x(167), s.y(136), Lanczos3Filter, scaled, decoded, 3.0f);
                CombineAnd(target, s.x(22), s.y(28), scaled);
            }
        }
    }

    // 7. Edition symbol with the base; its code as text without, or when a picture fails.
    bool asText = !base;
    bool inWhite = false;
    if (base) {
        const std::string stem = sources.DataDir + card.Edition.str();
        QImage silhouette;
        QImage colours;
        if (!LoadPictureFile(stem + "_os.bmp", silhouette)) {
            asText = true;
        } else {
            const int w = silhouette.width();
            const int h = silhouette.height();
            const QRect into(QPoint(s.x(192 - w), s.y(166.5)),
                             QPoint(s.x(192) - 1, s.y(h + 166) - 1));
            CombineAnd(target, into.left(), into.top(), stretched(silhouette, into.size()));
            if (!LoadPictureFile(stem + "_" + card.Rarity.str() + ".bmp", colours)) {
                asText = true;
                inWhite = true;
            } else {
                CombineOrNot(target, into.left(), into.top(), stretched(colours, into.size()));
            }
        }
    }
    if (asText)
        drawEditionText(target, s, card.Edition.str(), inWhite);
    return result;
}

} // namespace zandor
