#include "maint/UMaintCommands.h"

#include "core/UCodePage.h"
#include "core/USettings.h"
#include "maint/UPriceDownload.h"
#include "maint/UPriceList.h"
#include "maint/URulingsUpdate.h"

#include <QCoreApplication>
#include <memory>

namespace zandor {

namespace {

void printRun(const TPriceRun& run, std::ostream& out) {
    out << "Обновлено: " << run.Updated << " карт\n";
    out << "Не найдено в базе: " << run.NotFound.size() << " карт\n";
    for (const std::string& name : run.NotFound)
        out << Cp1252ToUtf8(name) << "\n";
}

int applyAndPrint(TCardDatabase& db, const std::vector<std::string>& lines, std::ostream& out,
                  std::ostream& err) {
    const TPriceRun run = ApplyPrices(db, lines, CurrentDate());
    if (!run.Ok) {
        err << "zandor: the card list was not changed: " << run.Error << "\n";
        return 1;
    }
    printRun(run, out);
    return 0;
}

std::optional<std::vector<std::string>> readFile(const std::string& file, std::ostream& err) {
    auto lines = ReadTextLines(file);
    if (!lines)
        err << "zandor: cannot read \"" << file << "\"\n";
    return lines;
}

const char* indicatorText(TRulingsIndicator indicator) {
    switch (indicator) {
    case TRulingsIndicator::Green:
        return "green";
    case TRulingsIndicator::Yellow:
        return "yellow";
    case TRulingsIndicator::None:
        break;
    }
    return "none";
}

} // namespace

int RunPricesUpdateCommand(TCardDatabase& db, const std::string& file, std::ostream& out,
                           std::ostream& err) {
    const auto lines = readFile(file, err);
    if (!lines)
        return 1;
    return applyAndPrint(db, *lines, out, err);
}

int RunPricesDownloadCommand(TCardDatabase& db, const std::string& url, std::ostream& out,
                             std::ostream& err) {
    const std::string host =
        url.empty() ? db.Settings.ReadString(ini::Update, PriceHostKey, "") : url;
    const std::string address = PriceListUrl(host);
    if (address.empty()) {
        err << "zandor: no price list server is set: give --url or set " << PriceHostKey
            << " in section [" << ini::Update << "] of " << db.Settings.FileName() << "\n";
        return 1;
    }
    // The download runs Qt's event loop, which needs the application object.
    std::unique_ptr<QCoreApplication> app;
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "zandor";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    TDownloadResult result;
    {
        TPriceDownload download;
        result = download.Get(QUrl(QString::fromStdString(address)));
    }
    if (!result.Ok) {
        err << "zandor: " << result.Error.toStdString() << "\n";
        return 1;
    }
    std::vector<std::string> lines;
    SplitLines(result.Body, lines);
    if (const TWriteResult saved = SaveDownloadedPrices(db, lines); !saved.Ok) {
        err << "zandor: the price list could not be saved: " << saved.Error << "\n";
        return 1;
    }
    return applyAndPrint(db, lines, out, err);
}

int RunRulingsCheckCommand(TCardDatabase& db, const std::string& file, std::ostream& out,
                           std::ostream& err) {
    const auto lines = readFile(file, err);
    if (!lines)
        return 1;
    const TRulingsCheck check = CheckRulingsChanges(*lines, RulingsSummaryDate(db.RuleLines));
    out << "Current updated: " << Cp1252ToUtf8(check.LastUpdated) << "\n";
    out << "Add updated: " << Cp1252ToUtf8(check.AddUpdated) << "\n";
    out << "Indicator: " << indicatorText(check.Indicator) << "\n";
    return 0;
}

int RunRulingsUpdateCommand(TCardDatabase& db, const std::string& file, std::ostream&,
                            std::ostream& err) {
    const auto lines = readFile(file, err);
    if (!lines)
        return 1;
    const TRulingsCheck check = CheckRulingsChanges(*lines, RulingsSummaryDate(db.RuleLines));
    const TRulingsUpdateResult result = UpdateRulings(db, *lines, check);
    if (!result.Error.empty()) {
        err << "zandor: the rulings were not changed: " << result.Error << "\n";
        return 1;
    }
    if (!result.Done) {
        err << "zandor: \"" << file
            << "\" is no changes-only rulings summary (its \"Card Rulings Summary (CHANGES "
               "ONLY)\" or \"since the\" line is missing, or it is empty); nothing was "
               "changed\n";
        return 1;
    }
    return 0;
}

} // namespace zandor
