// Scaling of 24-bit pictures with separable filters and integer 8.8 weights, and the
// plain nearest-pixel stretch. Owns the per-thread work buffers the passes reuse.
#pragma once

#include <QImage>
#include <QRect>

#include <cstdint>
#include <vector>

namespace zandor {

enum TResampleFilter : int {
    BoxFilter = 0,
    TriangleFilter = 1,
    HermiteFilter = 2,
    BellFilter = 3,
    BSplineFilter = 4,
    Lanczos3Filter = 5,
    MitchellFilter = 6,
};

inline constexpr int ResampleFilterCount = 7;

// The filter's value at x; 0 for an index outside the table.
float ResampleFilterValue(int filter, float x);
// The table's support radius of the filter (0.5 for the box, 3.0 for Lanczos3).
float DefaultSupport(int filter);

// One input position and its weight (the filter value scaled by 256).
struct TContributorEntry {
    std::int32_t Pixel = 0;
    std::int32_t Weight = 0;
};

// The entries of one output position: a slice of its list's storage, and their weight sum.
struct TContributors {
    std::int32_t First = 0;
    std::int32_t Count = 0;
    std::int32_t WeightSum = 0;
};

// For each output position (column or row), its entries. Input positions outside the
// source are mirrored at the edges, and kept inside the source even where the filter
// reaches further than the source is wide.
struct TContributorList {
    std::vector<TContributors> Positions;
    std::vector<TContributorEntry> Entries;

    const TContributorEntry* begin(int position) const {
        return Entries.data() + Positions[static_cast<std::size_t>(position)].First;
    }
    const TContributorEntry* end(int position) const {
        return begin(position) + Positions[static_cast<std::size_t>(position)].Count;
    }
};

// The scale factor of one direction: (new - 1) / (source - 1), or new / source when either
// side is a single pixel (a single output position then sits at the source's centre).
float ResampleScale(int newSize, int sourceSize);
void BuildContributors(TContributorList& list, int newSize, int sourceSize, int filter,
                       float support);

// Scales source to newWidth x newHeight with the filter (radius 0 picks the filter's
// default support) into destination, which becomes a 24-bit picture of that size. A size
// below 1 or an empty source leaves destination empty.
void ResampleImage(int newWidth, int newHeight, int filter, QImage& destination,
                   const QImage& source, float radius);

// Nearest-pixel stretch of the whole source onto target (RGB888, or RGB32 work pictures)
// within rect, clipped to the target: output pixel x takes source column
// x * source width / rect width.
void StretchImage(QImage& target, const QRect& rect, const QImage& source);

} // namespace zandor
