// The built-in pictures of the play table, drawn once on first use: the eight small
// frames, the card back, the mana and ability icons and the die faces.
#include "render/UTableTile.h"

#include "render/UCombine.h"
#include "render/UFonts.h"

#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace zandor {

namespace {

struct TTileColors {
    const char* Code;
    QColor Base, Dark, Light;
};

const TTileColors tileColors[8] = {
    {"W", {222, 214, 190}, {86, 76, 56}, {250, 247, 235}},
    {"U", {70, 120, 190}, {22, 46, 96}, {210, 228, 246}},
    {"B", {92, 84, 92}, {22, 20, 24}, {208, 202, 206}},
    {"R", {196, 70, 48}, {96, 24, 14}, {246, 214, 198}},
    {"G", {62, 138, 80}, {20, 62, 30}, {208, 232, 204}},
    {"LND", {150, 114, 78}, {72, 52, 32}, {234, 222, 202}},
    {"GLD", {206, 168, 66}, {108, 82, 22}, {246, 236, 202}},
    {"ART", {158, 164, 170}, {62, 68, 76}, {230, 232, 234}},
};

QColor mixed(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t,
                            a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t);
}

QImage smallFrame(const TTileColors& c) {
    QImage image = NewWorkPicture(TileSize, TileSize);
    image.fill(QColor(14, 12, 12));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    QLinearGradient body(0, 0, 100, 100);
    body.setColorAt(0, mixed(c.Base, c.Light, 0.25));
    body.setColorAt(1, mixed(c.Base, c.Dark, 0.35));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(1, 1, 98, 98), 5, 5);
    // The name bar: dark, so that the white name reads on every colour.
    QLinearGradient bar(0, 1, 0, 13);
    bar.setColorAt(0, mixed(c.Dark, c.Base, 0.35));
    bar.setColorAt(1, c.Dark);
    p.setBrush(bar);
    p.drawRoundedRect(QRectF(2.5, 1.5, 95, 12), 3, 3);
    p.setRenderHint(QPainter::Antialiasing, false);
    // The picture window with a thin bevel; empty it shows a dim field of the colour.
    p.setBrush(mixed(c.Dark, Qt::black, 0.5));
    p.drawRect(TileArtLeft - 1, TileArtTop - 1, 89, 82);
    QLinearGradient field(0, TileArtTop, 0, TileArtBottom);
    field.setColorAt(0, mixed(c.Base, c.Dark, 0.55));
    field.setColorAt(1, mixed(c.Base, c.Dark, 0.8));
    p.setBrush(field);
    p.drawRect(TileArtLeft, TileArtTop, TileArtRight - TileArtLeft, TileArtBottom - TileArtTop);
    return image;
}

QImage cardBack() {
    QImage image = NewWorkPicture(TileSize, TileSize);
    image.fill(QColor(10, 8, 8));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(92, 64, 30), 2));
    QLinearGradient g(0, 0, 100, 100);
    g.setColorAt(0, QColor(120, 74, 40));
    g.setColorAt(1, QColor(66, 36, 18));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(2, 2, 96, 96), 6, 6);
    QRadialGradient oval(50, 50, 40);
    oval.setColorAt(0, QColor(70, 110, 170));
    oval.setColorAt(1, QColor(24, 38, 80));
    p.setBrush(oval);
    p.setPen(QPen(QColor(214, 176, 96), 2));
    p.drawEllipse(QRectF(16, 22, 68, 56));
    p.setPen(QPen(QColor(230, 196, 120), 1.5));
    p.setBrush(Qt::NoBrush);
    QPainterPath star;
    for (int k = 0; k < 10; ++k) {
        const double r = k % 2 ? 9 : 20;
        const double a = -M_PI / 2 + k * M_PI / 5;
        const QPointF point(50 + r * std::cos(a), 50 + r * std::sin(a));
        if (k == 0)
            star.moveTo(point);
        else
            star.lineTo(point);
    }
    star.closeSubpath();
    p.drawPath(star);
    return image;
}

// Icons are drawn on black; black is their transparent colour, so no icon pixel is pure
// black.
QImage onBlack(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::black);
    return image;
}

QImage keyedOut(const QImage& image, QRgb key) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0xffffff) == (key & 0xffffff))
                line[x] = 0;
    }
    return out;
}

QColor manaColor(char letter) {
    switch (letter) {
    case 'W':
        return {246, 240, 214};
    case 'U':
        return {64, 128, 226};
    case 'B':
        return {120, 96, 128};
    case 'R':
        return {226, 64, 40};
    case 'G':
        return {48, 168, 72};
    default:
        return {176, 180, 188};
    }
}

QImage manaIcon(char letter) {
    const int height = letter == 'A' ? 13 : 12;
    QImage image = onBlack(17, height);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor c = manaColor(letter);
    QRadialGradient g(6, 4, 10);
    g.setColorAt(0, c.lighter(150));
    g.setColorAt(1, c.darker(130));
    p.setBrush(g);
    p.setPen(QPen(QColor(20, 20, 20), 1));
    p.drawEllipse(QRectF(0.5, 0.5, 16, height - 1));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(letter == 'W' ? QColor(40, 34, 20) : QColor(250, 250, 250));
    QFont font = CardFont(QStringLiteral("Arial"), 6, true);
    p.setFont(font);
    p.drawText(QRect(0, 0, 17, height), Qt::AlignCenter,
               QString(QChar(letter == 'A' ? '1' : letter)));
    p.end();
    return keyedOut(image, qRgb(0, 0, 0));
}

void badge(QPainter& p, const QColor& fill) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(18, 18, 18), 1));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
}

QImage abilityIcon(std::string_view name) {
    QImage image = onBlack(16, 16);
    QPainter p(&image);
    const QColor light(250, 246, 230);
    if (name == "FLY") {
        badge(p, QColor(90, 150, 210));
        QPainterPath wing;
        wing.moveTo(2, 11);
        wing.cubicTo(5, 3, 10, 2, 14, 3);
        wing.cubicTo(11, 6, 9, 9, 2, 11);
        p.setPen(Qt::NoPen);
        p.setBrush(light);
        p.drawPath(wing);
    } else if (name == "FIS") {
        badge(p, QColor(200, 150, 40));
        p.setPen(QPen(light, 2));
        p.drawLine(QPointF(3, 13), QPointF(12, 4));
        p.drawLine(QPointF(5, 8), QPointF(8, 11));
    } else if (name == "TRAMPLE") {
        badge(p, QColor(120, 160, 60));
        p.setPen(Qt::NoPen);
        p.setBrush(light);
        p.drawEllipse(QRectF(4, 6, 8, 8));
        for (int k = 0; k < 3; ++k)
            p.drawEllipse(QRectF(3.5 + k * 3, 2.5, 2.6, 3));
    } else if (name == "REGEN") {
        badge(p, QColor(60, 150, 110));
        p.setPen(QPen(light, 1.8));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(3.5, 3.5, 9, 9), 60 * 16, 280 * 16);
        p.drawLine(QPointF(10.5, 2.5), QPointF(12.5, 4.5));
    } else if (name.ends_with("WALK")) {
        const char letter = name[0] == 'M' ? 'R' : name[0];
        badge(p, QColor(70, 64, 56));
        p.setPen(Qt::NoPen);
        p.setBrush(manaColor(letter));
        p.drawEllipse(QRectF(2, 2, 12, 12));
        p.setBrush(QColor(30, 24, 20));
        // a footprint
        p.drawEllipse(QRectF(5.5, 6, 5, 7));
        p.drawEllipse(QRectF(5, 3, 2, 2));
        p.drawEllipse(QRectF(8, 2.5, 2, 2));
    } else if (name.starts_with("PROT")) {
        const char letter = name[4];
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath shield;
        shield.moveTo(8, 0.5);
        shield.lineTo(15, 3);
        shield.cubicTo(15, 10, 11, 14, 8, 15.5);
        shield.cubicTo(5, 14, 1, 10, 1, 3);
        shield.closeSubpath();
        p.setPen(QPen(QColor(230, 226, 214), 1));
        p.setBrush(manaColor(letter));
        p.drawPath(shield);
    }
    p.end();
    return keyedOut(image, qRgb(0, 0, 0));
}

QImage dieFace(int value) {
    QImage image(66, 66, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 66, 66);
    g.setColorAt(0, QColor(252, 250, 240));
    g.setColorAt(1, QColor(200, 194, 176));
    p.setPen(QPen(QColor(60, 56, 48), 2));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(2, 2, 62, 62), 10, 10);
    static const int pips[7][6][2] = {
        {},
        {{1, 1}},
        {{0, 0}, {2, 2}},
        {{0, 0}, {1, 1}, {2, 2}},
        {{0, 0}, {2, 0}, {0, 2}, {2, 2}},
        {{0, 0}, {2, 0}, {1, 1}, {0, 2}, {2, 2}},
        {{0, 0}, {2, 0}, {0, 1}, {2, 1}, {0, 2}, {2, 2}},
    };
    p.setPen(Qt::NoPen);
    p.setBrush(value == 1 ? QColor(176, 30, 30) : QColor(30, 28, 26));
    for (int k = 0; k < value; ++k) {
        const double x = 15 + pips[value][k][0] * 18;
        const double y = 15 + pips[value][k][1] * 18;
        const double r = value == 1 ? 8 : 5.5;
        p.drawEllipse(QPointF(x, y), r, r);
    }
    return image;
}

QHash<QString, QImage> makePictures() {
    QHash<QString, QImage> pictures;
    for (const TTileColors& c : tileColors)
        pictures.insert(QString::fromLatin1(c.Code) + QStringLiteral("_SMALL"), smallFrame(c));
    pictures.insert(QStringLiteral("FDOWN"), cardBack());
    for (const char* mana : {"UMANA", "BMANA", "RMANA", "GMANA", "WMANA", "ARTMANA"})
        pictures.insert(QString::fromLatin1(mana), manaIcon(mana[0]));
    for (const TTileIcon& icon : TileAbilityIcons)
        pictures.insert(QString::fromLatin1(icon.Picture.data(), icon.Picture.size()),
                        abilityIcon(icon.Picture));
    for (int v = 1; v <= 6; ++v)
        pictures.insert(QStringLiteral("DIE%1").arg(v), dieFace(v));
    return pictures;
}

} // namespace

QImage TilePicture(std::string_view name) {
    RegisterCardFonts();
    static const QHash<QString, QImage> pictures = makePictures();
    return pictures.value(
        QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())).toUpper());
}

} // namespace zandor
