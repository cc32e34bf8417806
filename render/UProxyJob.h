// The proxy print job: every card of a list drawn at the device's resolution and placed
// in rows across pages, on a printer or into a PDF file. The job asks its caller before
// each card whether to go on, and what to do when a card's picture cannot be read.
#pragma once

#include "core/UCardDatabase.h"
#include "render/UProxyLayout.h"

#include <QPageLayout>
#include <QPageSize>

#include <functional>
#include <string>
#include <vector>

class QPainter;
class QPagedPaintDevice;

namespace zandor {

struct TProxyJobOptions {
    bool Base = false;     // UseOsn
    bool Art = true;       // UseTempPic
    bool Border = false;   // UseBord
    bool Gap = false;      // Use5MM
    bool CutMarks = false; // thin marks at every card corner, outside the cards
};

// The options of the proxy window and the options dialog as the job takes them.
TProxyJobOptions ProxyJobOptions(const TProgramOptions& options);

struct TProxyJobHooks {
    // Called before each card with the number of cards done; false cancels the job.
    std::function<bool(int done, int total)> Progress;
    // A card's frame or art could not be read (problem names the card and the file): true
    // goes on with the card drawn without that picture, false cancels the job. Without a
    // hook the job goes on.
    std::function<bool(const std::string& problem)> PictureFailed;
};

enum class TProxyJobOutcome { Completed, Cancelled, Failed };

struct TProxyJobResult {
    TProxyJobOutcome Outcome = TProxyJobOutcome::Completed;
    int Pages = 0;
    int Cards = 0;
    std::string Error;                 // why the job failed
    std::vector<std::string> Problems; // the pictures the cards went without
    bool Completed() const { return Outcome == TProxyJobOutcome::Completed; }
};

// The paper of a PDF job by its name ("A4", "Letter", "Legal", any case).
bool ProxyPaperByName(const std::string& name, QPageSize::PageSizeId& paper);

// The card of a base line ("[E] - Name"); a split card's whole name ("Left/Right") gives
// its first half. A line naming no card gives the record the lookup returns for a miss.
TZandorCard ProxyCard(const TCardDatabase& db, std::string_view baseLine);

// Draws the cards of baseLines on the painter's device, whose printable page is pageWidth
// x pageHeight pixels at dpiX x dpiY; newPage begins the next page and returns false when
// the device failed. Nothing is drawn past a cancel.
TProxyJobResult DrawProxyPages(const TCardDatabase& db, const std::vector<std::string>& baseLines,
                               QPainter& painter, int dpiX, int dpiY, int pageWidth, int pageHeight,
                               const TProxyJobOptions& options,
                               const std::function<bool()>& newPage, const TProxyJobHooks& hooks);

// The same on a printer or PDF writer that the painter is already active on: its resolution
// and printable page, "Zandor Library - Proxy" being the job's title set by the caller.
TProxyJobResult PrintProxyPages(const TCardDatabase& db, const std::vector<std::string>& baseLines,
                                QPagedPaintDevice& device, QPainter& painter,
                                const TProxyJobOptions& options, const TProxyJobHooks& hooks);

// The job title printers and PDF files carry.
inline constexpr const char* ProxyJobTitle = "Zandor Library - Proxy";

// Writes the cards as a PDF of whole pages of paper (upright or across) at dpi pixels per
// inch, margins 0.
// The file appears only when the job completed: a failed or cancelled job leaves whatever
// was at path before untouched.
TProxyJobResult WriteProxyPdf(const TCardDatabase& db, const std::vector<std::string>& baseLines,
                              const std::string& path, int dpi, QPageSize::PageSizeId paper,
                              const TProxyJobOptions& options, const TProxyJobHooks& hooks = {},
                              QPageLayout::Orientation orientation = QPageLayout::Portrait);

} // namespace zandor
