#include "render/UCombine.h"

#include "render/UFonts.h"

#include <QPainter>

#include <algorithm>

namespace zandor {

namespace {

template <typename TOperation>
void combine(QImage& target, int x, int y, const QImage& source, int firstRow, int lastRow,
             TOperation operation) {
    if (target.isNull() || source.isNull())
        return;
    if (target.format() != QImage::Format_RGB888)
        target = target.convertToFormat(QImage::Format_RGB888);
    const bool wide = source.format() == QImage::Format_RGB32 ||
                      source.format() == QImage::Format_ARGB32 ||
                      source.format() == QImage::Format_ARGB32_Premultiplied;
    const QImage input = wide || source.format() == QImage::Format_RGB888
                             ? source
                             : source.convertToFormat(QImage::Format_RGB888);
    const int sx0 = std::max(0, -x);
    const int sx1 = std::min(input.width(), target.width() - x);
    const int sy0 = std::max({0, -y, firstRow});
    const int sy1 = std::min({input.height(), target.height() - y, lastRow + 1});
    if (sx0 >= sx1 || sy0 >= sy1)
        return;
    for (int sy = sy0; sy < sy1; ++sy) {
        unsigned char* out = target.scanLine(sy + y) + (x + sx0) * 3;
        const int count = sx1 - sx0;
        if (wide) {
            const auto* in = reinterpret_cast<const QRgb*>(input.constScanLine(sy)) + sx0;
            for (int k = 0; k < count; ++k) {
                const QRgb p = in[k];
                out[k * 3 + 0] = operation(out[k * 3 + 0], static_cast<unsigned char>(p >> 16));
                out[k * 3 + 1] = operation(out[k * 3 + 1], static_cast<unsigned char>(p >> 8));
                out[k * 3 + 2] = operation(out[k * 3 + 2], static_cast<unsigned char>(p));
            }
        } else {
            const unsigned char* in = input.constScanLine(sy) + sx0 * 3;
            for (int k = 0; k < count * 3; ++k)
                out[k] = operation(out[k], in[k]);
        }
    }
}

// Function objects rather than pointers, so that the loops above inline them.
//
// The layers are combined by multiplication rather than by bitwise AND: for black and white
// the two agree, but an antialiased letter edge of grey g over a background channel c must
// give c * g / 255 in every channel alike. Bitwise AND turns the same edge into colour noise
// wherever the background's channels differ by a few units (192 & 191 is 128, 190 & 191 is
// 190). OR with the inverted source becomes the inverse: 255 - (255 - a) * b / 255.
//
// a * b / 255, rounded to nearest, exact for every pair of bytes.
inline unsigned char multiplyBytes(unsigned a, unsigned b) {
    const unsigned t = a * b + 128;
    return static_cast<unsigned char>((t + (t >> 8)) >> 8);
}

struct TAndByte {
    unsigned char operator()(unsigned char a, unsigned char b) const { return multiplyBytes(a, b); }
};

struct TOrNotByte {
    unsigned char operator()(unsigned char a, unsigned char b) const {
        return static_cast<unsigned char>(255 - multiplyBytes(255u - a, b));
    }
};

constexpr TAndByte andByte;
constexpr TOrNotByte orNotByte;

} // namespace

QImage NewWorkPicture(int width, int height) {
    QImage picture(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    picture.setDotsPerMeterX(DotsPerMeter96);
    picture.setDotsPerMeterY(DotsPerMeter96);
    picture.fill(Qt::white);
    return picture;
}

void ResetWorkPicture(QImage& picture, int width, int height) {
    if (picture.width() != width || picture.height() != height ||
        picture.format() != QImage::Format_RGB32) {
        picture = NewWorkPicture(width, height);
        return;
    }
    picture.fill(Qt::white);
}

void SetRendererResolution(QImage& picture) {
    picture.setDotsPerMeterX(DotsPerMeter96);
    picture.setDotsPerMeterY(DotsPerMeter96);
}

void CombineAnd(QImage& target, int x, int y, const QImage& source) {
    combine(target, x, y, source, 0, source.height() - 1, andByte);
}

void CombineOrNot(QImage& target, int x, int y, const QImage& source) {
    combine(target, x, y, source, 0, source.height() - 1, orNotByte);
}

void CombineAndRows(QImage& target, int x, int y, const QImage& source, int firstRow, int lastRow) {
    combine(target, x, y, source, firstRow, lastRow, andByte);
}

void CombineOrNotRows(QImage& target, int x, int y, const QImage& source, int firstRow,
                      int lastRow) {
    combine(target, x, y, source, firstRow, lastRow, orNotByte);
}

void DrawOpaqueText(QPainter& painter, const QFontMetrics& metrics, int x, int top,
                    const QString& text) {
    const int width = metrics.horizontalAdvance(text);
    if (width > 0)
        painter.fillRect(QRect(x, top, width, metrics.height()), Qt::white);
    painter.drawText(QPoint(x, top + metrics.ascent()), text);
}

void DrawCellText(QPainter& painter, const QFontMetrics& metrics, int x, int top,
                  const QString& text) {
    painter.drawText(QPoint(x, top + metrics.ascent()), text);
}

QImage TextPicture(const QFont& font, const QString& text) {
    const QFontMetrics metrics = CardMetrics(font);
    const int width = metrics.horizontalAdvance(text);
    if (width <= 0)
        return {};
    QImage picture = NewWorkPicture(width, metrics.height());
    QPainter p(&picture);
    p.setFont(font);
    p.setPen(Qt::black);
    DrawCellText(p, metrics, 0, 0, text);
    return picture;
}

} // namespace zandor
