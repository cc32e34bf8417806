// Where proxies go on paper: the card size and gaps at a resolution, the row rule that
// places cards across pages, and the cards-per-page count the proxy window shows. Plain
// arithmetic, so the print job, the PDF job and the window agree.
#pragma once

#include <vector>

namespace zandor {

// Card size and gaps in device pixels.
struct TProxyMetrics {
    int CardWidth = 0;
    int CardHeight = 0;
    int GapX = 0;
    int GapY = 0;
};

// A card is 2.44 x 3.5 inches; the gap is a tenth of an inch each way when wanted.
TProxyMetrics ProxyMetrics(int dpiX, int dpiY, bool gap);

// One card's place: the page (from 0) and its top-left corner there.
struct TProxyPlacement {
    int Page = 0;
    int X = 0;
    int Y = 0;
    friend bool operator==(const TProxyPlacement&, const TProxyPlacement&) = default;
};

// Places count cards in rows: after each card the pen moves right by a card and a gap;
// when the next card would reach the right edge the row ends, and when the next row would
// reach the bottom edge the page ends (a card or row ending exactly at the edge does not
// fit). The first card of a row or page is placed whatever its size. No page is begun
// after the last card.
std::vector<TProxyPlacement> LayoutProxies(int count, const TProxyMetrics& metrics, int pageWidth,
                                           int pageHeight);
// The number of pages the layout uses (0 for no cards).
int ProxyPageCount(const std::vector<TProxyPlacement>& placements);

// The count shown beside "Количество карт на странице:", worked out with a card of 2.43 x
// 3.51 inches and the same gaps. A page or resolution that is not positive counts 0.
int CardsPerPage(int dpiX, int dpiY, bool gap, int pageWidth, int pageHeight);

} // namespace zandor
