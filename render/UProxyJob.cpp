#include "render/UProxyJob.h"

#include "core/UCodePage.h"
#include "core/UTextFile.h"
#include "deck/UBaseList.h"
#include "render/UProxyFace.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>

#include <algorithm>

namespace zandor {

namespace {

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Short lines at the corners of the page's cards, continuing the card edges outwards,
// drawn only where no card lies.
void drawCutMarks(QPainter& painter, const std::vector<QRect>& cards, const TProxyMetrics& m,
                  int dpi, int pageWidth, int pageHeight) {
    if (cards.empty())
        return;
    QPainterPath free;
    free.addRect(QRectF(0, 0, pageWidth, pageHeight));
    QPainterPath covered;
    for (const QRect& card : cards)
        covered.addRect(QRectF(card));
    free = free.subtracted(covered);
    const int length = std::max({m.GapX, m.GapY, dpi / 8, 1});
    const int thickness = std::max(1, dpi / 150);
    painter.save();
    painter.setClipPath(free);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (const QRect& card : cards) {
        const int left = card.left();
        const int right = card.left() + card.width();
        const int top = card.top();
        const int bottom = card.top() + card.height();
        for (const int x : {left, right - thickness}) {
            painter.drawRect(QRect(x, top - length, thickness, length));
            painter.drawRect(QRect(x, bottom, thickness, length));
        }
        for (const int y : {top, bottom - thickness}) {
            painter.drawRect(QRect(left - length, y, length, thickness));
            painter.drawRect(QRect(right, y, length, thickness));
        }
    }
    painter.restore();
}

std::string displayLine(std::string_view baseLine) {
    return Cp1252ToUtf8(baseLine);
}

} // namespace

TProxyJobOptions ProxyJobOptions(const TProgramOptions& options) {
    TProxyJobOptions o;
    o.Base = options.UseOsn;
    o.Art = options.UseTempPic;
    o.Border = options.UseBord;
    o.Gap = options.Use5MM;
    return o;
}

bool ProxyPaperByName(const std::string& name, QPageSize::PageSizeId& paper) {
    const std::string lower = lowered(name);
    if (lower == "a4")
        paper = QPageSize::A4;
    else if (lower == "letter")
        paper = QPageSize::Letter;
    else if (lower == "legal")
        paper = QPageSize::Legal;
    else
        return false;
    return true;
}

TZandorCard ProxyCard(const TCardDatabase& db, std::string_view baseLine) {
    const TBaseLineParts parts = SplitBaseLine(baseLine);
    TZandorCard card = FindCard(db, parts.Name, parts.Edition);
    // A deck names a split card by its whole name; its proxy shows the first half, which
    // carries the card's cost and text first.
    if (IsNotFound(card) && parts.Name.find('/') != std::string::npos &&
        parts.Name.find('(') == std::string::npos)
        card = FindCard(db, SplitHalfName(parts.Name, 1), parts.Edition);
    return card;
}

TProxyJobResult DrawProxyPages(const TCardDatabase& db, const std::vector<std::string>& baseLines,
                               QPainter& painter, int dpiX, int dpiY, int pageWidth, int pageHeight,
                               const TProxyJobOptions& options,
                               const std::function<bool()>& newPage, const TProxyJobHooks& hooks) {
    TProxyJobResult result;
    const TProxyMetrics metrics = ProxyMetrics(dpiX, dpiY, options.Gap);
    if (metrics.CardWidth < 2 || metrics.CardHeight < 2 || pageWidth <= 0 || pageHeight <= 0) {
        result.Outcome = TProxyJobOutcome::Failed;
        result.Error = "The printer reports no usable page or resolution";
        return result;
    }
    const auto placements =
        LayoutProxies(static_cast<int>(baseLines.size()), metrics, pageWidth, pageHeight);
    const int total = static_cast<int>(baseLines.size());
    const TProxySources sources{db.PicDir, db.DataDir};
    std::vector<QRect> pageCards;
    int page = 0;
    QImage face;
    for (int i = 0; i < total; ++i) {
        if (hooks.Progress && !hooks.Progress(i, total)) {
            result.Outcome = TProxyJobOutcome::Cancelled;
            return result;
        }
        const TProxyPlacement& place = placements[static_cast<std::size_t>(i)];
        if (place.Page != page) {
            if (options.CutMarks)
                drawCutMarks(painter, pageCards, metrics, dpiX, pageWidth, pageHeight);
            pageCards.clear();
            if (!newPage()) {
                result.Outcome = TProxyJobOutcome::Failed;
                result.Error = "The printer could not begin a new page";
                return result;
            }
            page = place.Page;
        }
        const std::string& line = baseLines[static_cast<std::size_t>(i)];
        const TZandorCard card = ProxyCard(db, line);
        face = QImage(metrics.CardWidth, metrics.CardHeight, QImage::Format_RGB888);
        face.fill(Qt::white);
        const TProxyFaceResult drawn =
            DrawProxyFace(card, face, options.Base, options.Art, options.Border, sources);
        for (const std::string* problem : {&drawn.FrameError, &drawn.ArtError}) {
            if (problem->empty())
                continue;
            const std::string told = displayLine(line) + ": " + *problem;
            if (hooks.PictureFailed && !hooks.PictureFailed(told)) {
                result.Outcome = TProxyJobOutcome::Cancelled;
                return result;
            }
            result.Problems.push_back(told);
        }
        const QRect at(place.X, place.Y, metrics.CardWidth, metrics.CardHeight);
        painter.drawImage(at, face);
        pageCards.push_back(at);
        ++result.Cards;
    }
    if (options.CutMarks)
        drawCutMarks(painter, pageCards, metrics, dpiX, pageWidth, pageHeight);
    if (hooks.Progress)
        hooks.Progress(total, total);
    result.Pages = ProxyPageCount(placements);
    return result;
}

TProxyJobResult PrintProxyPages(const TCardDatabase& db, const std::vector<std::string>& baseLines,
                                QPagedPaintDevice& device, QPainter& painter,
                                const TProxyJobOptions& options, const TProxyJobHooks& hooks) {
    return DrawProxyPages(
        db, baseLines, painter, device.logicalDpiX(), device.logicalDpiY(), device.width(),
        device.height(), options, [&device] { return device.newPage(); }, hooks);
}

TProxyJobResult WriteProxyPdf(const TCardDatabase& db, const std::vector<std::string>& baseLines,
                              const std::string& path, int dpi, QPageSize::PageSizeId paper,
                              const TProxyJobOptions& options, const TProxyJobHooks& hooks,
                              QPageLayout::Orientation orientation) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TProxyJobResult result;
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(QString::fromLatin1(ProxyJobTitle));
        writer.setCreator(QStringLiteral("Zandor Library"));
        writer.setResolution(dpi);
        writer.setPageLayout(QPageLayout(QPageSize(paper), orientation, QMarginsF(0, 0, 0, 0),
                                         QPageLayout::Millimeter, QMarginsF(0, 0, 0, 0)));
        QPainter painter;
        if (!painter.begin(&writer)) {
            result.Outcome = TProxyJobOutcome::Failed;
            result.Error = "Cannot begin the PDF file";
            return result;
        }
        result = PrintProxyPages(db, baseLines, writer, painter, options, hooks);
        painter.end();
    }
    if (!result.Completed())
        return result;
    const QByteArray& bytes = buffer.data();
    const TWriteResult written = CurrentFileWriter().WriteFile(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!written.Ok) {
        result.Outcome = TProxyJobOutcome::Failed;
        result.Error = written.Error;
    }
    return result;
}

} // namespace zandor
