#include "tools/UCardPictures.h"

#include "core/UCardDatabase.h"
#include "core/UTextFile.h"
#include "render/UCardFace.h"
#include "render/UImageLists.h"
#include "render/UJpeg.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <filesystem>
#include <set>

namespace zandor {

namespace {

struct TPalette {
    QColor Base, Dark, Light;
};

const TPalette palettes[8] = {
    {{222, 214, 190}, {66, 58, 44}, {250, 247, 235}}, // w
    {{70, 120, 190}, {22, 46, 96}, {210, 228, 246}},  // u
    {{78, 72, 78}, {22, 20, 24}, {208, 202, 206}},    // b
    {{196, 70, 48}, {96, 24, 14}, {246, 214, 198}},   // r
    {{62, 138, 80}, {20, 62, 30}, {208, 232, 204}},   // g
    {{150, 114, 78}, {72, 52, 32}, {234, 222, 202}},  // lnd
    {{206, 168, 66}, {108, 82, 22}, {246, 236, 202}}, // gld
    {{158, 164, 170}, {62, 68, 76}, {230, 232, 234}}, // art
};

std::uint32_t hashOf(std::string_view text, std::uint32_t seed = 2166136261u) {
    std::uint32_t h = seed;
    for (const char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 16777619u;
    }
    return h;
}

// A small deterministic generator, so that the same card list always gives the same art.
class TRandom {
public:
    explicit TRandom(std::uint32_t seed) : m_state(seed ? seed : 1) {}
    std::uint32_t next() {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    double unit() { return (next() & 0xffffff) / double(0x1000000); }
    double range(double a, double b) { return a + (b - a) * unit(); }

private:
    std::uint32_t m_state;
};

QColor mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t,
                            a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t);
}

// A fine grain over a filled area so that frames look printed rather than flat.
void addGrain(QImage& image, const QRect& area, int strength, std::uint32_t seed) {
    TRandom random(seed);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            const int wave = static_cast<int>(std::sin((x + y * 0.7) * 0.35) * strength / 2);
            const int d = static_cast<int>(random.next() % (2 * strength + 1)) - strength + wave;
            const QRgb p = line[x];
            line[x] = qRgb(std::clamp(qRed(p) + d, 0, 255), std::clamp(qGreen(p) + d, 0, 255),
                           std::clamp(qBlue(p) + d, 0, 255));
        }
    }
}

void drawFrame(QImage& image, const TPalette& c, std::uint32_t seed) {
    image.fill(QColor(12, 10, 10));
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(c.Base);
        p.drawRoundedRect(QRectF(3, 3, 204, 294), 7, 7);
    }
    addGrain(image, QRect(4, 4, 202, 292), 9, seed);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const auto bar = [&](const QRectF& r) {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, mix(c.Dark, c.Base, 0.3));
        g.setColorAt(1, c.Dark);
        p.setPen(QPen(mix(c.Dark, Qt::black, 0.5), 1));
        p.setBrush(g);
        p.drawRoundedRect(r, 3, 3);
    };
    bar(QRectF(7.5, 0.5, 195, 17));
    bar(QRectF(7.5, 164.5, 195, 18));
    bar(QRectF(7.5, 276.5, 195, 20));
    // The art window: a bevel around a white field that the art is ANDed into.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(mix(c.Dark, Qt::black, 0.4));
    p.drawRect(12, 17, 185, 148);
    p.setBrush(mix(c.Light, Qt::white, 0.3));
    p.drawRect(13, 18, 183, 146);
    p.setBrush(Qt::white);
    p.drawRect(14, 19, 181, 144);
    // The rules box: a light field with a thin dark line.
    p.setBrush(mix(c.Dark, Qt::black, 0.3));
    p.drawRect(13, 183, 184, 93);
    QLinearGradient g(0, 184, 0, 275);
    g.setColorAt(0, c.Light);
    g.setColorAt(1, mix(c.Light, c.Base, 0.22));
    p.setBrush(g);
    p.drawRect(14, 184, 182, 91);
}

QPainterPath editionShape(std::string_view code) {
    QPainterPath path;
    const QRectF box(1, 1, 13, 13);
    switch (hashOf(code) % 5) {
    case 0:
        path.addEllipse(box);
        break;
    case 1:
        path.moveTo(7.5, 0.5);
        path.lineTo(14.5, 7.5);
        path.lineTo(7.5, 14.5);
        path.lineTo(0.5, 7.5);
        path.closeSubpath();
        break;
    case 2: // a shield
        path.moveTo(1, 1);
        path.lineTo(14, 1);
        path.lineTo(14, 7);
        path.quadTo(14, 12, 7.5, 14.5);
        path.quadTo(1, 12, 1, 7);
        path.closeSubpath();
        break;
    case 3: { // a star
        for (int i = 0; i < 10; ++i) {
            const double a = -M_PI / 2 + i * M_PI / 5;
            const double r = i % 2 ? 3.2 : 7.2;
            const QPointF pt(7.5 + r * std::cos(a), 7.8 + r * std::sin(a));
            i ? path.lineTo(pt) : path.moveTo(pt);
        }
        path.closeSubpath();
        break;
    }
    default: // a hexagon
        for (int i = 0; i < 6; ++i) {
            const double a = M_PI / 6 + i * M_PI / 3;
            const QPointF pt(7.5 + 7 * std::cos(a), 7.5 + 7 * std::sin(a));
            i ? path.lineTo(pt) : path.moveTo(pt);
        }
        path.closeSubpath();
        break;
    }
    return path;
}

QImage symbolPicture() {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

void drawLandscape(QImage& image, const TZandorCard& card, TRandom& random) {
    const int w = image.width();
    const int h = image.height();
    const int frame = std::max(FrameIndex(card.Color.str()), 0);
    const TPalette& c = palettes[frame];
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double horizon = h * random.range(0.38, 0.62);
    // Sky.
    const bool night = random.unit() < 0.3;
    QLinearGradient sky(0, 0, 0, horizon);
    sky.setColorAt(0, night ? QColor(12, 16, 48) : mix(QColor(60, 110, 200), c.Base, 0.25));
    sky.setColorAt(1, night ? mix(QColor(70, 50, 110), c.Base, 0.3)
                            : mix(QColor(250, 200, 150), c.Light, 0.4));
    p.fillRect(QRectF(0, 0, w, horizon + 2), sky);
    // Sun or moon with a glow.
    const QPointF sun(w * random.range(0.15, 0.85), horizon * random.range(0.2, 0.7));
    const double radius = std::min(w, h) * random.range(0.05, 0.11);
    QRadialGradient glow(sun, radius * 4);
    glow.setColorAt(0, night ? QColor(230, 230, 255, 150) : QColor(255, 240, 190, 200));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(sun, radius * 4, radius * 4);
    p.setBrush(night ? QColor(235, 235, 245) : QColor(255, 248, 215));
    p.drawEllipse(sun, radius, radius);
    // Clouds.
    for (int k = 0, n = static_cast<int>(random.range(2, 6)); k < n; ++k) {
        const QPointF at(w * random.unit(), horizon * random.range(0.1, 0.8));
        p.setBrush(QColor(255, 255, 255, night ? 40 : 110));
        for (int b = 0; b < 5; ++b)
            p.drawEllipse(at + QPointF(b * w * 0.03, random.range(-3, 3) * h / 300.0),
                          w * random.range(0.04, 0.08), h * random.range(0.015, 0.03));
    }
    // Mountain ranges, further ones paler.
    const int ranges = static_cast<int>(random.range(2, 5));
    for (int r = 0; r < ranges; ++r) {
        const double depth = double(r) / ranges;
        QPainterPath ridge;
        const double base = horizon + (h - horizon) * depth * 0.5;
        ridge.moveTo(0, h);
        const double peak = h * random.range(0.12, 0.3) * (1.0 - depth * 0.5);
        const double phase = random.range(0, 6.3), phase2 = random.range(0, 6.3);
        const double f1 = random.range(1.5, 4), f2 = random.range(5, 11);
        for (int x = 0; x <= w; x += std::max(1, w / 120)) {
            const double u = double(x) / w;
            const double y = base - peak * (0.55 + 0.35 * std::sin(u * f1 * 3.14 + phase) +
                                            0.12 * std::sin(u * f2 * 3.14 + phase2));
            ridge.lineTo(x, y);
        }
        ridge.lineTo(w, h);
        ridge.closeSubpath();
        const QColor nearColor = mix(c.Dark, QColor(30, 40, 30), 0.3);
        const QColor farColor = mix(sky.stops().last().second, c.Base, 0.3);
        QLinearGradient shade(0, base - peak, 0, h);
        shade.setColorAt(0, mix(farColor, nearColor, depth * 0.8 + 0.1));
        shade.setColorAt(1, mix(farColor, nearColor, depth * 0.5 + 0.5));
        p.setBrush(shade);
        p.drawPath(ridge);
    }
    // Some scenes end at the sea, and artifacts stand among crystal spires.
    const double pick = random.unit();
    const bool sea = frame == 1 ? pick < 0.7 : pick < 0.15;
    const bool spires = !sea && (frame == 7 ? pick < 0.8 : pick > 0.9);
    if (sea) {
        const double shore = horizon + (h - horizon) * random.range(0.15, 0.35);
        QLinearGradient water(0, shore, 0, h);
        water.setColorAt(0, mix(sky.stops().last().second, QColor(20, 60, 120), 0.5));
        water.setColorAt(1, QColor(8, 24, 60));
        p.setBrush(water);
        p.drawRect(QRectF(0, shore, w, h - shore));
        for (int k = 0; k < 60; ++k) {
            const double y = shore + (h - shore) * std::pow(random.unit(), 1.6);
            const double nearSun = std::exp(-std::pow((random.unit() - 0.5) * 3, 2));
            const double x = sun.x() + (random.unit() - 0.5) * w * (0.2 + (y - shore) / h);
            p.setBrush(QColor(255, 240, 200, static_cast<int>(40 + 120 * nearSun)));
            p.drawRect(QRectF(x, y, w * random.range(0.02, 0.08) * (0.5 + (y - shore) / h), 1.2));
        }
        p.end();
        addGrain(image, image.rect(), 4, random.next());
        return;
    }
    if (spires) {
        for (int k = 0, n = static_cast<int>(random.range(3, 7)); k < n; ++k) {
            const double cx = w * random.range(0.08, 0.92);
            const double top = horizon - h * random.range(0.05, 0.35);
            const double half = w * random.range(0.03, 0.07);
            const double base = h * random.range(0.85, 1.0);
            QPolygonF left, right;
            left << QPointF(cx, top) << QPointF(cx - half, top + half * 1.5)
                 << QPointF(cx - half, base) << QPointF(cx, base);
            right << QPointF(cx, top) << QPointF(cx + half, top + half * 1.5)
                  << QPointF(cx + half, base) << QPointF(cx, base);
            p.setBrush(mix(c.Light, c.Base, 0.3));
            p.drawPolygon(left);
            p.setBrush(mix(c.Dark, c.Base, 0.4));
            p.drawPolygon(right);
        }
    }
    // Foreground: a field of the card's colour with a few trees or stones.
    QPainterPath ground;
    const double groundTop = h * random.range(0.78, 0.9);
    ground.moveTo(0, h);
    ground.lineTo(0, groundTop);
    ground.quadTo(w * 0.5, groundTop - h * random.range(-0.05, 0.08), w, groundTop);
    ground.lineTo(w, h);
    ground.closeSubpath();
    QLinearGradient soil(0, groundTop, 0, h);
    soil.setColorAt(0, mix(c.Base, QColor(40, 60, 30), 0.4));
    soil.setColorAt(1, mix(c.Dark, Qt::black, 0.3));
    p.setBrush(soil);
    p.drawPath(ground);
    for (int k = 0, n = static_cast<int>(random.range(0, 7)); k < n; ++k) {
        const double x = w * random.unit();
        const double size = h * random.range(0.05, 0.14);
        const double y = groundTop + (h - groundTop) * random.range(0.1, 0.6);
        p.setBrush(mix(c.Dark, Qt::black, 0.5));
        p.drawRect(QRectF(x - size * 0.06, y - size * 0.5, size * 0.12, size * 0.5));
        p.setBrush(mix(c.Dark, QColor(20, 70, 30), 0.5));
        QPolygonF crown;
        crown << QPointF(x, y - size * 1.4) << QPointF(x + size * 0.35, y - size * 0.4)
              << QPointF(x - size * 0.35, y - size * 0.4);
        p.drawPolygon(crown);
    }
    p.end();
    addGrain(image, image.rect(), 4, random.next());
}

// A name that keeps its slashes (it holds a colon) could climb out of the picture folder
// with "..": such art is not written.
bool insideFolder(const std::string& path, const std::string& folder) {
    const auto normal = std::filesystem::path(path).lexically_normal().string();
    auto base = std::filesystem::path(folder).lexically_normal().string();
    if (!base.empty() && base.back() != '/')
        base += '/';
    return normal.compare(0, base.size(), base) == 0;
}

// The top card of a pile stands where the table puts the thumbnail of its top card; the
// cards below it step down and to the right.
struct TPileLevel {
    int Size, Layers, Left, Top;
};
constexpr TPileLevel pileLevels[] = {
    {5, 2, 15, 19}, {15, 3, 13, 16}, {35, 6, 8, 10}, {60, 10, 4, 4}};
constexpr int PileCardWidth = 52;
constexpr int PileCardHeight = 67;

void drawPileCard(QPainter& p, const QRectF& r, std::string_view kind, bool top) {
    p.setRenderHint(QPainter::Antialiasing);
    if (kind == "lib") {
        QLinearGradient g(r.topLeft(), r.bottomRight());
        g.setColorAt(0, QColor(132, 82, 44));
        g.setColorAt(1, QColor(70, 38, 20));
        p.setPen(QPen(QColor(28, 16, 8), 1));
        p.setBrush(g);
        p.drawRoundedRect(r, 3, 3);
        if (top) {
            QRadialGradient oval(r.center(), r.width() / 2);
            oval.setColorAt(0, QColor(80, 124, 190));
            oval.setColorAt(1, QColor(26, 42, 88));
            p.setBrush(oval);
            p.setPen(QPen(QColor(220, 182, 100), 1.5));
            p.drawEllipse(r.adjusted(8, 12, -8, -12));
        }
    } else if (kind == "grave") {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, QColor(112, 104, 116));
        g.setColorAt(1, QColor(52, 46, 56));
        p.setPen(QPen(QColor(18, 14, 20), 1));
        p.setBrush(g);
        p.drawRoundedRect(r, 3, 3);
        if (top) {
            // A headstone.
            const QPointF c = r.center();
            QPainterPath stone;
            stone.moveTo(c.x() - 12, c.y() + 18);
            stone.lineTo(c.x() - 12, c.y() - 6);
            stone.arcTo(QRectF(c.x() - 12, c.y() - 18, 24, 24), 180, -180);
            stone.lineTo(c.x() + 12, c.y() + 18);
            stone.closeSubpath();
            p.setBrush(QColor(196, 192, 184));
            p.setPen(QPen(QColor(30, 28, 26), 1));
            p.drawPath(stone);
            p.setPen(QPen(QColor(60, 56, 52), 2));
            p.drawLine(QPointF(c.x(), c.y() - 10), QPointF(c.x(), c.y() + 8));
            p.drawLine(QPointF(c.x() - 6, c.y() - 4), QPointF(c.x() + 6, c.y() - 4));
        }
    } else {
        QLinearGradient g(r.topLeft(), r.bottomRight());
        g.setColorAt(0, QColor(196, 226, 236));
        g.setColorAt(1, QColor(70, 128, 160));
        p.setPen(QPen(QColor(16, 40, 56), 1));
        p.setBrush(g);
        p.drawRoundedRect(r, 3, 3);
        if (top) {
            // A swirl: the card has left the game.
            p.setPen(QPen(QColor(250, 252, 255), 2));
            p.setBrush(Qt::NoBrush);
            const QPointF c = r.center();
            for (int k = 0; k < 3; ++k) {
                const double d = 6 + k * 6;
                p.drawArc(QRectF(c.x() - d, c.y() - d, 2 * d, 2 * d), (k * 120) * 16, 240 * 16);
            }
        }
    }
}

} // namespace

std::vector<std::string> PilePictureFiles() {
    std::vector<std::string> files;
    for (const char* kind : {"lib", "grave", "remov"}) {
        files.push_back(std::string(kind) + ".bmp");
        for (const TPileLevel& level : pileLevels)
            files.push_back(std::string(kind) + std::to_string(level.Size) + ".bmp");
    }
    files.emplace_back("caynt1.bmp");
    return files;
}

QImage MakePilePicture(std::string_view kind, int size) {
    QImage image(70, 90, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    const TPileLevel* level = nullptr;
    for (const TPileLevel& l : pileLevels)
        if (l.Size == size)
            level = &l;
    if (!level) {
        // The empty pile: a dashed slot with the pile's mark, dimmed.
        p.setRenderHint(QPainter::Antialiasing);
        QPen dashed(kind == "lib"     ? QColor(150, 104, 60)
                    : kind == "grave" ? QColor(140, 130, 150)
                                      : QColor(120, 180, 206),
                    1.5, Qt::DashLine);
        p.setPen(dashed);
        p.setBrush(Qt::NoBrush);
        const QRectF slot(15.5, 19.5, PileCardWidth - 1, PileCardHeight - 1);
        p.drawRoundedRect(slot, 3, 3);
        p.setOpacity(0.35);
        drawPileCard(p, slot.adjusted(6, 8, -6, -8), kind, true);
        return image;
    }
    const QPointF bottom(15, 19);
    const QPointF topLeft(level->Left, level->Top);
    for (int k = 0; k < level->Layers; ++k) {
        const double t = level->Layers == 1 ? 1.0 : double(k) / (level->Layers - 1);
        const QPointF at = bottom + (topLeft - bottom) * t;
        drawPileCard(p, QRectF(at.x() + 0.5, at.y() + 0.5, PileCardWidth - 1, PileCardHeight - 1),
                     kind, k == level->Layers - 1);
    }
    return image;
}

QImage MakeCounterMark() {
    QImage image(17, 17, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(6, 6, 10);
    g.setColorAt(0, QColor(255, 236, 150));
    g.setColorAt(0.6, QColor(226, 150, 30));
    g.setColorAt(1, QColor(120, 60, 8));
    p.setPen(QPen(QColor(40, 20, 4), 1.2));
    p.setBrush(g);
    p.drawEllipse(QRectF(1, 1, 15, 15));
    p.end();
    // Antialiased edges blend towards white; the mark keys white out, so the fringe must
    // not be left almost white.
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (line[x] != qRgb(255, 255, 255) && qGray(line[x]) > 200)
                line[x] = qRgb(255, 255, 255);
    }
    return image;
}

QImage MakeFramePicture(int index) {
    QImage image(CardWidth, CardHeight, QImage::Format_RGB32);
    drawFrame(image, palettes[std::clamp(index, 0, 7)], 77u + static_cast<unsigned>(index));
    return image;
}

QImage MakeBlankCard() {
    QImage image(CardWidth, CardHeight, QImage::Format_RGB32);
    drawFrame(image, palettes[7], 5);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 19, 0, 163);
    g.setColorAt(0, QColor(40, 46, 70));
    g.setColorAt(1, QColor(120, 110, 140));
    p.fillRect(QRect(14, 19, 181, 144), g);
    p.setPen(QPen(QColor(230, 220, 180), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(104.5, 91), 46, 46);
    p.drawEllipse(QPointF(104.5, 91), 30, 30);
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(22);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(14, 72, 181, 40), Qt::AlignCenter, QStringLiteral("Z"));
    font.setPixelSize(13);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(10, 1, 190, 16), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral(" Zandor Library"));
    p.setPen(QColor(60, 60, 70));
    font.setPixelSize(11);
    font.setBold(false);
    font.setItalic(true);
    p.setFont(font);
    p.drawText(QRect(15, 184, 180, 90), Qt::AlignCenter | Qt::TextWordWrap,
               QStringLiteral("Choose a card to see its face."));
    return image;
}

QImage MakeEditionSilhouette(std::string_view code) {
    QImage image = symbolPicture();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.6));
    p.setBrush(Qt::black);
    p.drawPath(editionShape(code));
    return image;
}

QImage MakeEditionColors(std::string_view code, char rarity) {
    // The card is black where the silhouette is; what is stored here shows inverted, so
    // the outline is stored black (it shows white) and the inside in the inverted colour.
    const QColor shown = rarity == 'R'   ? QColor(232, 184, 44)
                         : rarity == 'U' ? QColor(196, 200, 208)
                                         : QColor(0, 0, 0);
    QImage image = symbolPicture();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.6));
    p.setBrush(QColor(255 - shown.red(), 255 - shown.green(), 255 - shown.blue()));
    p.drawPath(editionShape(code));
    return image;
}

QImage MakeCardArt(const TZandorCard& card) {
    static const QSize sizes[] = {{488, 680}, {312, 445}, {223, 310}, {400, 320}, {600, 480},
                                  {300, 200}, {362, 288}, {480, 340}, {181, 144}, {640, 512}};
    const std::uint32_t h = hashOf(card.Name, hashOf(card.Edition.str()));
    const QSize size = sizes[h % (sizeof sizes / sizeof sizes[0])];
    QImage image(size, QImage::Format_RGB32);
    TRandom random(h);
    drawLandscape(image, card, random);
    return image;
}

QImage MakeContactSheet(const TCardDatabase& db, int columns, int stretch, int* artErrors) {
    std::vector<TZandorCard> cards;
    for (std::string_view line : db.CardLines) {
        TZandorCard card = ParseCardLine(line);
        if (!card.Name.empty() && card.Edition != VersionEdition)
            cards.push_back(std::move(card));
    }
    const TListImageZandorCard frames(db.DataDir);
    columns = std::max(1, columns);
    const int rows = std::max(1, static_cast<int>((cards.size() + columns - 1) / columns));
    constexpr int gap = 6;
    QImage sheet(columns * (CardWidth + gap) + gap, rows * (CardHeight + gap) + gap,
                 QImage::Format_RGB888);
    sheet.fill(QColor(60, 60, 64));
    QPainter p(&sheet);
    QImage face;
    int errors = 0;
    for (std::size_t i = 0; i < cards.size(); ++i) {
        face = QImage(CardWidth, CardHeight, QImage::Format_RGB888);
        face.fill(Qt::white);
        const TCardFaceResult r = DrawCardFace(
            cards[i], face, stretch, {frames.Usable() ? &frames : nullptr, db.PicDir, db.DataDir});
        errors += !r.ArtError.empty() || !r.ArtFound;
        const int col = static_cast<int>(i) % columns, row = static_cast<int>(i) / columns;
        p.drawImage(gap + col * (CardWidth + gap), gap + row * (CardHeight + gap), face);
    }
    if (artErrors)
        *artErrors = errors;
    return sheet;
}

TSampleCount MakeSamplePictures(const std::string& dataDir, const std::string& picDir) {
    TSampleCount count;
    const std::string data = IncludeTrailingSeparator(dataDir);
    std::filesystem::create_directories(data);
    for (std::size_t i = 0; i < TListImageZandorCard::FrameFiles.size(); ++i) {
        const std::string path = data + std::string(TListImageZandorCard::FrameFiles[i]);
        if (!FileExists(path) && SaveJpegFile(path, MakeFramePicture(static_cast<int>(i)), 92))
            ++count.Frames;
    }
    for (const std::string& file : PilePictureFiles()) {
        const std::string path = data + file;
        if (FileExists(path))
            continue;
        QImage picture;
        if (file == "caynt1.bmp") {
            picture = MakeCounterMark();
        } else {
            const std::size_t digits = file.find_first_of("0123456789");
            const std::size_t dot = file.find('.');
            const int size =
                digits == std::string::npos ? 0 : std::stoi(file.substr(digits, dot - digits));
            picture =
                MakePilePicture(std::string_view(file).substr(0, std::min(digits, dot)), size);
        }
        if (picture.convertToFormat(QImage::Format_RGB888)
                .save(QString::fromStdString(path), "BMP"))
            ++count.Piles;
    }
    const auto lines = ReadTextLines(data + std::string(CardListFile));
    if (!lines)
        return count;
    std::set<std::string> editions;
    for (const std::string& line : *lines) {
        const TZandorCard card = ParseCardLine(line);
        if (card.Name.empty() || card.Edition == VersionEdition)
            continue;
        ++count.Cards;
        editions.insert(card.Edition.str());
        const std::string art = ArtFileName(card, picDir);
        if (FileExists(art) || !insideFolder(art, picDir))
            continue;
        std::error_code ignored;
        std::filesystem::create_directories(std::filesystem::path(art).parent_path(), ignored);
        if (SaveJpegFile(art, MakeCardArt(card), 85))
            ++count.Art;
    }
    for (const std::string& code : editions) {
        const QString base = QString::fromStdString(data + code);
        if (!FileExists(data + code + "_os.bmp") &&
            MakeEditionSilhouette(code)
                .convertToFormat(QImage::Format_RGB888)
                .save(base + QStringLiteral("_os.bmp"), "BMP"))
            ++count.Symbols;
        for (const char rarity : {'C', 'U', 'R'}) {
            const QString path =
                base + QLatin1Char('_') + QLatin1Char(rarity) + QStringLiteral(".bmp");
            if (!FileExists(path.toStdString()) && MakeEditionColors(code, rarity)
                                                       .convertToFormat(QImage::Format_RGB888)
                                                       .save(path, "BMP"))
                ++count.Symbols;
        }
    }
    return count;
}

} // namespace zandor
