// The per-pixel combinations the renderer composes with instead of transparency (a multiply
// that acts as AND on black and white, and its inverse that acts as OR of the inverted
// source), the white work pictures, and text with an opaque cell.
#pragma once

#include <QColor>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRect>

namespace zandor {

// Pictures that text is drawn on carry 96 pixels per inch, so point sizes come out as
// the card layout expects whatever the screen.
inline constexpr int DotsPerMeter96 = 3780;

// A white work picture of the size (QImage::Format_RGB32, 96 pixels per inch).
QImage NewWorkPicture(int width, int height);
// Makes picture a white work picture of the size, reusing its memory where it can.
void ResetWorkPicture(QImage& picture, int width, int height);
// Gives a 24-bit picture the resolution the renderer draws text at.
void SetRendererResolution(QImage& picture);

// target := target * source / 255, per byte (AND for black and white, clean greys between),
// with source's top-left at (x, y); clipped. target is QImage::Format_RGB888; source is
// RGB888 or RGB32.
void CombineAnd(QImage& target, int x, int y, const QImage& source);
// target := 255 - (255 - target) * source / 255, per byte (OR of the inverted source for
// black and white); as above.
void CombineOrNot(QImage& target, int x, int y, const QImage& source);
// The same restricted to rows [firstRow, lastRow] of the source.
void CombineAndRows(QImage& target, int x, int y, const QImage& source, int firstRow, int lastRow);
void CombineOrNotRows(QImage& target, int x, int y, const QImage& source, int firstRow,
                      int lastRow);

// Draws text with its cell (advance width x font height, top-left at (x, top)) first
// filled white, as the layers are drawn.
void DrawOpaqueText(QPainter& painter, const QFontMetrics& metrics, int x, int top,
                    const QString& text);
// The text black on a white work picture just as large as its cells; a null picture when
// the text has no width.
QImage TextPicture(const QFont& font, const QString& text);
// Draws text with its cell's top-left at (x, top) and no background.
void DrawCellText(QPainter& painter, const QFontMetrics& metrics, int x, int top,
                  const QString& text);

} // namespace zandor
