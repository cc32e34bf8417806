// The pictures of the statistics window: the mana curve with its bar hit test, the average
// coloured symbols per card, the colour split of one cost bucket, and the six colour icons
// "SMALL_1" to "SMALL_6". They draw from the statistics model into pictures they are given.
#pragma once

#include "stats/UStat.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

namespace zandor {

inline const QColor ChartBackground(56, 84, 119);
inline const QColor ChartBarColor(247, 243, 210);

// The icon of a colour key, "SMALL_1" (white) to "SMALL_6" (colourless): a 16 by 16 symbol on
// the chart background; a null picture for any other name.
QImage StatBitmap(const QString& name);

// The 8-point face the charts write with, drawn without smoothing so that text pixels never
// take the colour of a bar.
QFont ChartFont(bool bold = false);

// The mana curve: the axis with the cost labels 1 to 7 from the bottom, and one bar per
// bucket that holds cards, the longest reaching W - 45.
void DrawManaCurve(QImage& picture, const TStatCards& stats);
// The average symbols of each colour per non-land card, in two columns and on a pentagon of
// the five colours with the overall average in its middle.
void DrawAverageCost(QImage& picture, const TStatCards& stats, char decimalSeparator);
// The share of each colour key among the symbols of one cost bucket.
void DrawLocalCost(QImage& picture, const TStatCards& stats, int bucket, char decimalSeparator);

// The rectangle of a bucket's bar in a mana curve of the given size, empty when the bucket
// has no bar; the bar covers x from 23 up to (not including) 15 + its length.
QRect ManaCurveBar(const QSize& size, const TStatCards& stats, int bucket);
// True for a pixel of the bar colour and for nothing else the mana curve shows.
bool IsBarPixel(QRgb pixel);
// The bucket 1 to 7 of a bar hit at height y of a mana curve of the given height.
int BarBucket(int height, int y);

// The locale's decimal separator for the figures.
char LocaleDecimalSeparator();

} // namespace zandor
