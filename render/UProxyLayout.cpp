#include "render/UProxyLayout.h"

namespace zandor {

namespace {

// The integer part of factor x dpi, worked out in extended precision.
int scaled(long double inches, int dpi) {
    return static_cast<int>(inches * static_cast<long double>(dpi));
}

} // namespace

TProxyMetrics ProxyMetrics(int dpiX, int dpiY, bool gap) {
    TProxyMetrics m;
    m.CardWidth = scaled(2.44L, dpiX);
    m.CardHeight = scaled(3.5L, dpiY);
    if (gap) {
        m.GapX = dpiX / 10;
        m.GapY = dpiY / 10;
    }
    return m;
}

std::vector<TProxyPlacement> LayoutProxies(int count, const TProxyMetrics& metrics, int pageWidth,
                                           int pageHeight) {
    std::vector<TProxyPlacement> placements;
    if (count <= 0)
        return placements;
    placements.reserve(static_cast<std::size_t>(count));
    const long long stepX = static_cast<long long>(metrics.CardWidth) + metrics.GapX;
    const long long stepY = static_cast<long long>(metrics.CardHeight) + metrics.GapY;
    int page = 0;
    long long x = 0;
    long long y = 0;
    for (int i = 0; i < count; ++i) {
        placements.push_back({page, static_cast<int>(x), static_cast<int>(y)});
        x += stepX;
        // A card of no width would never end its row: each such card then takes a row.
        if (x + stepX >= pageWidth || stepX <= 0) {
            x = 0;
            y += stepY;
            if (y + stepY >= pageHeight || stepY <= 0) {
                y = 0;
                if (i + 1 < count)
                    ++page;
            }
        }
    }
    return placements;
}

int ProxyPageCount(const std::vector<TProxyPlacement>& placements) {
    return placements.empty() ? 0 : placements.back().Page + 1;
}

int CardsPerPage(int dpiX, int dpiY, bool gap, int pageWidth, int pageHeight) {
    if (dpiX <= 0 || dpiY <= 0 || pageWidth <= 0 || pageHeight <= 0)
        return 0;
    const long long width = scaled(2.43L, dpiX);
    const long long height = scaled(3.51L, dpiY);
    const long long gapX = gap ? dpiX / 10 : 0;
    const long long gapY = gap ? dpiY / 10 : 0;
    if (width + gapX <= 0 || height + gapY <= 0)
        return 0;
    int n = 0;
    long long x = 0;
    long long y = 0;
    do {
        ++n;
        x += width + gapX;
        if (x + width + gapX >= pageWidth) {
            x = 0;
            y += height + gapY;
        }
    } while (y + height + gapY < pageHeight);
    return n;
}

} // namespace zandor
