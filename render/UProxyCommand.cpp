#include "render/UProxyCommand.h"

#include "core/UCardCommands.h"
#include "core/UCodePage.h"
#include "core/UTextFile.h"
#include "deck/UBaseList.h"
#include "deck/UDeckFile.h"
#include "deck/UDeckList.h"
#include "render/UProxyFace.h"
#include "render/UProxyJob.h"
#include "render/URenderCommand.h"

#include <QBuffer>
#include <QImage>

#include <algorithm>
#include <charconv>

namespace zandor {

namespace {

std::string trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(" \t");
    return std::string(s.substr(first, last - first + 1));
}

bool isDeckFile(const std::string& path) {
    if (path.size() < 4)
        return false;
    std::string ext = path.substr(path.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".dec";
}

std::optional<int> parseInt(std::string_view text, int low, int high) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<std::vector<std::string>> ReadProxyList(const TCardDatabase& db,
                                                      const std::string& path, std::string& error) {
    std::optional<std::vector<std::string>> lines = ReadTextLines(path);
    if (!lines) {
        error = "cannot read \"" + path + "\"";
        return std::nullopt;
    }
    std::vector<std::string> list;
    if (!isDeckFile(path)) {
        for (const std::string& line : *lines) {
            std::string base = trimmed(line);
            if (base.empty())
                continue;
            if (static_cast<long long>(list.size()) >= MaxProxyCards) {
                error = "more than " + std::to_string(MaxProxyCards) + " cards in \"" + path + "\"";
                return std::nullopt;
            }
            list.push_back(std::move(base));
        }
        return list;
    }
    std::vector<std::string> deck = *lines;
    if (IsOldFormatDeck(deck))
        deck = ConvertOldDeck(deck, db);
    long long total = 0;
    for (const std::string& line : deck) {
        if (trimmed(line).empty() || DeckLineKind(line) != TDeckLineKind::Main)
            continue;
        TDeckEntry entry;
        const TDeckResult parsed = ParseDeckLine(line, entry);
        if (!parsed.Ok) {
            error = "the count of \"" + Cp1252ToUtf8(parsed.BadLine) + "\" is not a number";
            return std::nullopt;
        }
        if (entry.Count <= 0)
            continue;
        if (entry.Count > MaxProxyCards - total) {
            error = "more than " + std::to_string(MaxProxyCards) + " cards in \"" + path + "\"";
            return std::nullopt;
        }
        total += entry.Count;
        for (long long k = 0; k < entry.Count; ++k)
            list.push_back(entry.CardPart);
    }
    return list;
}

int RunProxiesCommand(const TCardDatabase& db, const TProxiesCommand& command, std::ostream& err) {
    if (command.OutFile.empty()) {
        err << "zandor: proxies needs --out FILE.pdf\n";
        return 2;
    }
    const std::optional<int> dpi =
        command.Dpi.empty() ? std::optional<int>(300) : parseInt(command.Dpi, 72, 1200);
    if (!dpi) {
        err << "zandor: --dpi takes a number from 72 to 1200\n";
        return 2;
    }
    QPageSize::PageSizeId paper = QPageSize::A4;
    if (!command.Paper.empty() && !ProxyPaperByName(command.Paper, paper)) {
        err << "zandor: --paper takes A4, Letter or Legal\n";
        return 2;
    }
    std::string error;
    const auto list = ReadProxyList(db, command.ListFile, error);
    if (!list) {
        err << "zandor: " << error << "\n";
        return 1;
    }
    if (list->empty()) {
        err << "zandor: \"" << command.ListFile << "\" names no cards\n";
        return 1;
    }
    // A card the base does not hold would print as "XNOCARD": every such line is told and
    // nothing is written.
    bool missing = false;
    for (std::size_t i = 0; i < list->size(); ++i) {
        const std::string& line = (*list)[i];
        if (i > 0 && line == (*list)[i - 1])
            continue;
        if (IsNotFound(ProxyCard(db, line))) {
            err << "zandor: no card \"" << Cp1252ToUtf8(line) << "\"\n";
            missing = true;
        }
    }
    if (missing)
        return 1;
    EnsureRenderingApplication();
    TProxyJobOptions options;
    options.Base = command.Base;
    options.Art = !command.NoArt;
    options.Border = command.Border;
    options.Gap = command.Gap;
    options.CutMarks = command.CutMarks;
    TProxyJobHooks hooks;
    hooks.PictureFailed = [&err](const std::string& problem) {
        err << "zandor: " << problem << "; the card is drawn without it\n";
        return true;
    };
    const TProxyJobResult result =
        WriteProxyPdf(db, *list, command.OutFile, *dpi, paper, options, hooks);
    if (!result.Completed()) {
        err << "zandor: " << result.Error << "\n";
        return 1;
    }
    return 0;
}

std::optional<std::pair<int, int>> ParseProxySize(const std::string& text) {
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos)
        return std::nullopt;
    const auto width = parseInt(std::string_view(text).substr(0, x), 2, 20000);
    const auto height = parseInt(std::string_view(text).substr(x + 1), 2, 20000);
    if (!width || !height)
        return std::nullopt;
    return std::pair(*width, *height);
}

int RunProxyRenderCommand(const TCardDatabase& db, const std::string& name,
                          const std::string& edition, const std::string& size, bool base,
                          bool noArt, bool border, const std::string& outFile, std::ostream& out,
                          std::ostream& err) {
    if (outFile.empty()) {
        err << "zandor: render needs --out FILE.png\n";
        return 2;
    }
    const auto dimensions = ParseProxySize(size);
    if (!dimensions) {
        err << "zandor: --proxy takes WIDTHxHEIGHT, each from 2 to 20000\n";
        return 2;
    }
    const TZandorCard card = FindCardByUtf8(db, name, edition);
    if (IsNotFound(card)) {
        err << "zandor: no card \"" << name << "\"";
        if (!edition.empty())
            err << " in edition " << edition;
        err << "\n";
        return 1;
    }
    EnsureRenderingApplication();
    QImage face(dimensions->first, dimensions->second, QImage::Format_RGB888);
    face.fill(Qt::white);
    const TProxyFaceResult result =
        DrawProxyFace(card, face, base, !noArt, border, {db.PicDir, db.DataDir});
    if (!result.FrameError.empty())
        err << "zandor: " << result.FrameError << "\n";
    if (!result.ArtError.empty())
        err << "zandor: " << result.ArtError << "\n";
    // Written through the atomic writer: a failed write leaves no half picture behind.
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    if (!face.save(&png, "PNG")) {
        err << "zandor: cannot encode the picture\n";
        return 1;
    }
    const TWriteResult written = CurrentFileWriter().WriteFile(
        outFile, std::string_view(png.data().constData(), static_cast<std::size_t>(png.size())));
    if (!written.Ok) {
        err << "zandor: " << written.Error << "\n";
        return 1;
    }
    out << outFile << "\n";
    return 0;
}

} // namespace zandor
