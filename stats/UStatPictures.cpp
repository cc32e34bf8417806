#include "stats/UStatPictures.h"

#include "core/UCard.h"

#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace zandor {

namespace {

constexpr int iconSize = 16;
constexpr int lineStep = 18;

// Writes text with the top-left corner of its cell at (x, y).
void textOut(QPainter& painter, int x, int y, const QString& text) {
    painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), text);
}

void startChart(QPainter& painter) {
    painter.setPen(Qt::white);
    painter.setFont(ChartFont());
}

int textWidth(const QPainter& painter, const QString& text) {
    return painter.fontMetrics().horizontalAdvance(text);
}

QColor discColor(std::string_view letter) {
    const TRGB c = SymbolColor(letter);
    return QColor(c.R, c.G, c.B);
}

void drawSymbol(QPainter& p, int key) {
    const QColor ink(40, 36, 32);
    p.setPen(QPen(ink, 1.2));
    p.setBrush(ink);
    switch (key) {
    case 1: // a sun
        p.drawEllipse(QPointF(8, 8), 2.2, 2.2);
        for (int ray = 0; ray < 8; ++ray) {
            p.save();
            p.translate(8, 8);
            p.rotate(ray * 45.0);
            p.drawLine(QPointF(0, 3.5), QPointF(0, 5.5));
            p.restore();
        }
        break;
    case 2: { // a drop
        QPainterPath drop;
        drop.moveTo(8, 3);
        drop.cubicTo(8, 3, 4.5, 8, 4.5, 9.5);
        drop.arcTo(QRectF(4.5, 6.5, 7, 6.5), 180, 180);
        drop.cubicTo(11.5, 8, 8, 3, 8, 3);
        p.drawPath(drop);
        break;
    }
    case 3: // a skull
        p.drawEllipse(QRectF(4.5, 3.5, 7, 6.5));
        p.drawRect(QRectF(6, 9.5, 4, 3));
        p.setPen(Qt::NoPen);
        p.setBrush(discColor("B"));
        p.drawEllipse(QPointF(6.6, 7), 1.1, 1.1);
        p.drawEllipse(QPointF(9.4, 7), 1.1, 1.1);
        break;
    case 4: { // a flame with three tongues
        QPainterPath flame;
        flame.moveTo(8, 13.5);
        flame.cubicTo(5, 13.5, 3.8, 11, 4.8, 8.5);
        flame.lineTo(6.2, 10);
        flame.lineTo(6.8, 5.5);
        flame.lineTo(8.4, 8);
        flame.lineTo(9.6, 2.8);
        flame.lineTo(10.6, 7.8);
        flame.lineTo(11.6, 6.6);
        flame.cubicTo(12.6, 9.5, 12, 13.5, 8, 13.5);
        p.drawPath(flame);
        break;
    }
    case 5: { // a tree
        QPainterPath crown;
        crown.moveTo(8, 2.5);
        crown.lineTo(12, 9.5);
        crown.lineTo(4, 9.5);
        crown.closeSubpath();
        p.drawPath(crown);
        p.drawRect(QRectF(7.2, 9.5, 1.6, 3.5));
        break;
    }
    default: // the colourless X
        p.setPen(QPen(ink, 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5, 5), QPointF(11, 11));
        p.drawLine(QPointF(11, 5), QPointF(5, 11));
        break;
    }
}

} // namespace

QImage StatBitmap(const QString& name) {
    if (!name.startsWith(QStringLiteral("SMALL_")) || name.size() != 7)
        return {};
    const int key = name.back().digitValue();
    if (key < 1 || key > 6)
        return {};
    QImage icon(iconSize, iconSize, QImage::Format_RGB32);
    icon.fill(ChartBackground);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    const char* letters[] = {"W", "U", "B", "R", "G", ""};
    p.setPen(QPen(QColor(20, 20, 20), 1.0));
    p.setBrush(discColor(letters[key - 1]));
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    drawSymbol(p, key);
    return icon;
}

QFont ChartFont(bool bold) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    font.setBold(bold);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QRect ManaCurveBar(const QSize& size, const TStatCards& stats, int bucket) {
    if (bucket < 1 || bucket > CurveBuckets)
        return {};
    std::int64_t most = 0;
    for (int b = 1; b <= CurveBuckets; ++b)
        most = std::max(most, stats.CurveCount(b));
    const std::int64_t count = stats.CurveCount(bucket);
    if (count <= 0 || most <= 0)
        return {};
    const std::int64_t room = std::max(0, size.width() - 60);
    const std::int64_t unit = room / most;
    // A curve too tall for whole pixels per card scales its bars instead of dropping them,
    // and a bar of a few cards keeps at least one pixel so that it can be seen and clicked.
    const std::int64_t length =
        unit > 0 ? count * unit : std::max<std::int64_t>(1, TruncatedRatio(count, room, most));
    const int step = (size.height() - 50) / 6;
    const int y = size.height() - 25 - (bucket - 1) * step;
    const int right = std::max<int>(15 + static_cast<int>(length), 24);
    return QRect(23, y - 6, right - 23, 12);
}

void DrawManaCurve(QImage& picture, const TStatCards& stats) {
    const int h = picture.height();
    picture.fill(ChartBackground);
    QPainter p(&picture);
    startChart(p);
    const int step = (h - 50) / 6;
    p.drawLine(15, h - 25 - 6 * step, 15, h - 25);
    const int labelX = 8 - textWidth(p, QStringLiteral("5"));
    for (int i = 0; i < CurveBuckets; ++i) {
        const int y = h - 25 - i * step;
        p.drawLine(10, y, 20, y);
        textOut(p, labelX, y - 6, QString::number(i + 1));
    }
    for (int i = 0; i < CurveBuckets; ++i) {
        const QRect bar = ManaCurveBar(picture.size(), stats, i + 1);
        if (bar.isEmpty())
            continue;
        p.fillRect(bar.translated(3, 3), Qt::black);
        p.fillRect(bar, ChartBarColor);
        const int length = bar.right() + 1 - 15;
        textOut(p, length + 30, bar.top(), QString::number(stats.CurveCount(i + 1)));
    }
}

// Writes an icon with its figure beside it, two entries to a line: the left column first,
// then the right one, then the next line.
struct TIconColumns {
    int ColumnWidth;
    int TextDrop;
    int X = 5;
    int Y = 4;
    bool SecondColumn = false;

    void Write(QPainter& p, const QImage& icon, const QString& text) {
        p.drawImage(X, Y, icon);
        textOut(p, X + 18, Y + TextDrop, text);
        if (!SecondColumn) {
            SecondColumn = true;
            X += ColumnWidth;
        } else {
            SecondColumn = false;
            X = 5;
            Y += lineStep;
        }
    }
};

void DrawAverageCost(QImage& picture, const TStatCards& stats, char decimalSeparator) {
    picture.fill(ChartBackground);
    QPainter p(&picture);
    startChart(p);
    const int w = textWidth(p, QStringLiteral("0.9999 99"));
    const int textDrop = 15 - p.fontMetrics().height();
    const int cx = 2 * w + 35;
    const QPoint pentagon[] = {{cx, 4},       {cx + 22, 19}, {cx + 15, 45},
                               {cx - 15, 45}, {cx - 22, 19}, {-40, -40}};
    TIconColumns columns{w, textDrop};
    for (int k = 1; k <= 6; ++k) {
        const std::int64_t total = stats.ColorTotal(StatColorKeys[k - 1]);
        const QImage icon = StatBitmap(QStringLiteral("SMALL_%1").arg(k));
        if (total != 0)
            columns.Write(
                p, icon,
                QString::fromStdString(AverageText(total, stats.NonLandCount, decimalSeparator)));
        p.drawImage(pentagon[k - 1], icon);
    }
    p.drawLine(2 * w + 5, 0, 2 * w + 5, picture.height());
    p.setFont(ChartFont(true));
    const QString all = QString::fromStdString(
        AverageText(stats.AllColorTotal(), stats.NonLandCount, decimalSeparator));
    const int half = textWidth(p, all) / 2;
    p.setPen(Qt::black);
    textOut(p, cx + 9 - half, 28, all);
    p.setPen(Qt::white);
    textOut(p, cx + 8 - half, 27, all);
}

void DrawLocalCost(QImage& picture, const TStatCards& stats, int bucket, char decimalSeparator) {
    picture.fill(ChartBackground);
    QPainter p(&picture);
    startChart(p);
    // The second column starts half way across at the latest: the figures written there
    // ("2.33 - (33%)") must end inside the picture, not at or beyond its edge.
    const int w =
        std::min(textWidth(p, QStringLiteral("9.99 - (99.99 999)")), (picture.width() - 5) / 2);
    const int textDrop = 15 - p.fontMetrics().height();
    std::int64_t counts[6];
    std::int64_t sum = 0;
    for (int k = 0; k < 6; ++k) {
        counts[k] = stats.ColorCurveCount(StatColorKeys[k], bucket);
        sum += counts[k];
    }
    TIconColumns columns{w, textDrop};
    for (int k = 1; k <= 6; ++k) {
        if (counts[k - 1] == 0)
            continue;
        columns.Write(
            p, StatBitmap(QStringLiteral("SMALL_%1").arg(k)),
            QString::fromStdString(LocalCostText(counts[k - 1], sum, bucket, decimalSeparator)));
    }
}

bool IsBarPixel(QRgb pixel) {
    const std::uint32_t background = ChartBackground.rgb();
    return (static_cast<std::uint32_t>(pixel) - background) / 1000000u == 12u;
}

int BarBucket(int height, int y) {
    const int rowHeight = (height - 30) / 6 - 1;
    if (rowHeight <= 0)
        return 1;
    return std::clamp((height - y) / rowHeight + 1, 1, CurveBuckets);
}

char LocaleDecimalSeparator() {
    const QString point = QLocale().decimalPoint();
    if (point.size() == 1 && point.front().unicode() < 128)
        return static_cast<char>(point.front().unicode());
    return '.';
}

} // namespace zandor
