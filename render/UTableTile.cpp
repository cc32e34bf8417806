#include "render/UTableTile.h"

#include "core/UCodePage.h"
#include "core/UTextFile.h"
#include "render/UCombine.h"
#include "render/UFonts.h"
#include "render/UImageLists.h"
#include "render/UJpeg.h"
#include "render/UPictureFiles.h"
#include "render/UResample.h"

#include <QHash>
#include <QPainter>

#include <charconv>

namespace zandor {

const TTileIcon TileManaIcons[6] = {
    {"_MU_", "UMANA", 44}, {"_MB_", "BMANA", 35}, {"_MR_", "RMANA", 62},
    {"_MG_", "GMANA", 53}, {"_MW_", "WMANA", 71}, {"_MART_", "ARTMANA", 26},
};

const TTileIcon TileAbilityIcons[14] = {
    {"_FS_", "FIS", 0},    {"_WB_", "BWALK", 0}, {"_WU_", "UWALK", 0}, {"_WG_", "GWALK", 0},
    {"_WW_", "WWALK", 0},  {"_WR_", "MWALK", 0}, {"_FL_", "FLY", 0},   {"_TR_", "TRAMPLE", 0},
    {"_REG_", "REGEN", 0}, {"_PW_", "PROTW", 0}, {"_PU_", "PROTU", 0}, {"_PB_", "PROTB", 0},
    {"_PR_", "PROTR", 0},  {"_PG_", "PROTG", 0},
};

namespace {

constexpr int NameStartPoints = 8;
constexpr int NameWidth = 93;
const QColor ptColor(255, 239, 176);

QString display(std::string_view bytes) {
    return QString::fromStdString(Cp1252ToUtf8(bytes));
}

// The counter mark, read once per file and keyed on white; a null picture when the file
// is missing or unreadable.
const QImage& counterMark(const std::string& dataDir) {
    static QHash<QString, QImage> marks;
    const QString path = QString::fromStdString(dataDir + std::string(CounterMarkFile));
    auto found = marks.find(path);
    if (found == marks.end()) {
        QImage mark;
        if (FileExists(path.toStdString()) && mark.load(path) && !mark.isNull()) {
            mark = mark.convertToFormat(QImage::Format_ARGB32);
            for (int y = 0; y < mark.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(mark.scanLine(y));
                for (int x = 0; x < mark.width(); ++x)
                    if ((line[x] & 0xffffff) == 0xffffff)
                        line[x] = 0;
            }
        }
        found = marks.insert(path, mark);
    }
    return *found;
}

bool readCount(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty();
}

// Draws the art file stretched into the picture window; false with error set when a file
// that exists cannot be decoded.
bool drawArtFile(QImage& tile, const std::string& asked, std::string& error) {
    const std::string path = FindPictureFile(asked);
    if (path.empty())
        return true;
    thread_local QImage decoded;
    const TJpegResult result = LoadJpegFile(path, decoded);
    if (!result.Ok) {
        error = "Cannot decode the picture \"" + path + "\": " + result.Error;
        return false;
    }
    StretchImage(
        tile,
        QRect(TileArtLeft, TileArtTop, TileArtRight - TileArtLeft, TileArtBottom - TileArtTop),
        decoded);
    return true;
}

void drawShadowText(QPainter& p, const QFont& font, int x, int y, int dx, int dy,
                    const QColor& color, const QString& text) {
    const QFontMetrics metrics = CardMetrics(font);
    p.setFont(font);
    p.setPen(Qt::black);
    DrawCellText(p, metrics, x + dx, y + dy, text);
    p.setPen(color);
    DrawCellText(p, metrics, x, y, text);
}

void copyOut(const QImage& tile, QImage& target, const QRect& source) {
    if (target.isNull()) {
        target = NewWorkPicture(source.width(), source.height());
    }
    QPainter p(&target);
    if (target.size() == source.size())
        p.drawImage(QPoint(0, 0), tile, source);
    else
        p.drawImage(QRect(QPoint(0, 0), target.size()), tile, source);
}

void appendError(std::string& errors, const std::string& error) {
    if (error.empty())
        return;
    if (!errors.empty())
        errors += "; ";
    errors += error;
}

} // namespace

std::vector<int> CounterMarkLefts(int count) {
    std::vector<int> lefts;
    if (count <= 0)
        return lefts;
    int pitch = 18;
    long long width = 18LL * count;
    if (width > 70) {
        pitch = 70 / count;
        width = static_cast<long long>(pitch) * (count - 1) + 17;
    }
    // More marks than pixels would only draw over each other.
    const int drawn = std::min(count, 100);
    for (int k = 0; k < drawn; ++k)
        lefts.push_back(static_cast<int>(50 - width / 2 + static_cast<long long>(pitch) * k));
    return lefts;
}

int TileNamePoints(const QString& name, int width) {
    int points = NameStartPoints;
    while (points > TileNameMinPoints &&
           CardMetrics(CardFont(RulesFontFamily, points)).horizontalAdvance(name) > width)
        --points;
    return points;
}

std::string TileArtPath(const std::string& picDir, std::string_view edition,
                        std::string_view name) {
    std::string file(name);
    if (const std::size_t slash = file.find('/'); slash != std::string::npos)
        file.erase(slash, 1);
    std::erase(file, ':');
    std::string path = picDir;
    if (path.empty() || path.back() != '/')
        path += '/';
    return path + Cp1252ToUtf8(edition) + "/" + Cp1252ToUtf8(file) + ".jpg";
}

TTileResult DrawTableTile(const TMCardPlay& play, QImage& target, const QRect& source,
                          const TTileSources& sources) {
    TTileResult result;
    QImage tile;
    if (play.FaceDown) {
        tile = TilePicture("FDOWN");
    } else {
        const TZandorCard& card = play.Card;
        tile = TilePicture(card.Color.str() + "_SMALL");
        if (tile.isNull()) {
            result.Error = "No tile frame for the colour \"" + card.Color.str() + "\"";
            return result;
        }
        tile.detach();
        // Picture.
        bool artDrawn = false;
        if (play.ImageIndex >= 0 && sources.SmallArt) {
            thread_local QImage small;
            if (sources.SmallArt->Copy(play.ImageIndex, small)) {
                QPainter p(&tile);
                p.drawImage(TileArtLeft, TileArtTop, small);
                artDrawn = true;
            }
        }
        if (!artDrawn && play.ImageIndex < 0) {
            std::string error;
            drawArtFile(tile, TileArtPath(sources.PicDir, card.Edition.str(), card.Name), error);
            appendError(result.Error, error);
        }
        QPainter p(&tile);
        // Mana icons.
        for (const TTileIcon& icon : TileManaIcons)
            if (play.Keywords.find(icon.Token) != std::string::npos)
                p.drawImage(icon.Left, 0, TilePicture(icon.Picture));
        // Name.
        QString shown = display(card.Name);
        if (card.Name.find('/') != std::string::npos) {
            const qsizetype bracket = shown.indexOf(QLatin1Char('('));
            shown = bracket < 0 ? QString() : shown.left(bracket);
        }
        drawShadowText(p, CardFont(RulesFontFamily, TileNamePoints(shown, NameWidth)), 4, 0, 1, 1,
                       Qt::white, shown);
        // Power/toughness and the ability row.
        if (!card.PT.empty()) {
            const QFont font = CardFont(TitleFontFamily, 22, true);
            const QString pt = display(card.PT);
            const int x = 98 - CardMetrics(font).horizontalAdvance(pt);
            drawShadowText(p, font, x, 71, 2, 2, ptColor, pt);
            int left = 1;
            for (const TTileIcon& icon : TileAbilityIcons)
                if (play.Keywords.find(icon.Token) != std::string::npos) {
                    p.drawImage(left, 83, TilePicture(icon.Picture));
                    left += 17;
                }
        }
        // Counter marks.
        int count = 0;
        if (!play.Counters.empty() && readCount(play.Counters, count) && count > 0) {
            const QImage& mark = counterMark(sources.DataDir);
            if (mark.isNull())
                appendError(result.Error, "Cannot load the counter mark \"" + sources.DataDir +
                                              std::string(CounterMarkFile) + "\"");
            else
                for (const int left : CounterMarkLefts(count))
                    p.drawImage(left, 30, mark);
        }
        p.end();
        if (!play.Untapped)
            RotateQuarter(tile);
    }
    copyOut(tile, target, source);
    result.Drawn = true;
    return result;
}

TTileResult DrawSplitTile(const TMCardPlay& first, const TMCardPlay& second, QImage& target,
                          const TTileSources& sources) {
    TTileResult result;
    const std::string base = SplitBaseName(first.Card.Name);
    const QString baseText = display(base);
    const qsizetype slash = baseText.indexOf(QLatin1Char('/'));
    const int points = TileNamePoints(baseText, NameWidth);
    const QFont font = CardFont(RulesFontFamily, points);
    const QFontMetrics metrics = CardMetrics(font);
    QImage halves[2];
    for (int i = 0; i < 2; ++i) {
        const TZandorCard& card = i == 0 ? first.Card : second.Card;
        QImage tile = TilePicture(card.Color.str() + "_SMALL");
        if (tile.isNull()) {
            result.Error = "No tile frame for the colour \"" + card.Color.str() + "\"";
            return result;
        }
        tile.detach();
        std::string file = SplitHalfName(base, i + 1);
        std::erase(file, '/');
        std::erase(file, ':');
        std::string path = sources.PicDir;
        if (path.empty() || path.back() != '/')
            path += '/';
        path += Cp1252ToUtf8(card.Edition.str()) + "/" + Cp1252ToUtf8(file) + ".jpg";
        std::string error;
        drawArtFile(tile, path, error);
        appendError(result.Error, error);
        const QString title = slash < 0 ? (i == 0 ? baseText : QString())
                                        : (i == 0 ? baseText.left(slash) : baseText.mid(slash + 1));
        const int t = metrics.horizontalAdvance(title);
        const int x = i == 0 ? TileSize / 4 - t / 2 : TileSize / 4 + TileSize / 2 - t / 2;
        QPainter p(&tile);
        p.setFont(font);
        p.setPen(Qt::black);
        DrawCellText(p, metrics, x - 1, 1, title);
        p.setPen(Qt::white);
        DrawCellText(p, metrics, x, 0, title);
        halves[i] = tile;
    }
    // Columns 0..47 from the first half, the rest from the second.
    QImage joined = halves[1];
    {
        QPainter p(&joined);
        const int firstColumns = (TileSize - 1) / 2 - 1;
        p.drawImage(QPoint(0, 0), halves[0], QRect(0, 0, firstColumns, TileSize));
    }
    if (target.isNull())
        target = NewWorkPicture(TileSize, TileSize);
    QPainter p(&target);
    p.drawImage(QPoint(0, 0), joined);
    result.Drawn = true;
    return result;
}

void RotateQuarter(QImage& picture) {
    const int s = std::min(picture.width(), picture.height());
    if (s <= 0)
        return;
    const QImage copy = picture.copy();
    // Row r, column c of the copy becomes row c, column s - 1 - r.
    if (picture.depth() == 32) {
        for (int r = 0; r < s; ++r) {
            const auto* in = reinterpret_cast<const QRgb*>(copy.constScanLine(r));
            for (int c = 0; c < s; ++c)
                reinterpret_cast<QRgb*>(picture.scanLine(c))[s - 1 - r] = in[c];
        }
        return;
    }
    for (int r = 0; r < s; ++r)
        for (int c = 0; c < s; ++c)
            picture.setPixel(s - 1 - r, c, copy.pixel(c, r));
}

} // namespace zandor
