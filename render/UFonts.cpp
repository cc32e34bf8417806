#include "render/UFonts.h"

#include "render/UCombine.h"

#include <QFontDatabase>
#include <QImage>

// The resources live in a static library: nothing refers to them, so they are pulled in
// by name.
static void initZandorResources() {
    Q_INIT_RESOURCE(zandor);
}

namespace zandor {

bool RegisterCardFonts() {
    static bool done = false;
    static bool symbolsLoaded = false;
    if (done)
        return symbolsLoaded;
    done = true;
    initZandorResources();
    QFont::insertSubstitution(QStringLiteral("Times New Roman"),
                              QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("MPZurich Cn BT"),
                              QStringLiteral("Liberation Sans Narrow"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/ZandorSymbols.ttf"));
    symbolsLoaded = id >= 0;
    return symbolsLoaded;
}

QFont CardFont(const QString& family, int points, bool bold, bool italic) {
    QFont font(family);
    font.setPointSize(points < 1 ? 1 : points);
    font.setBold(bold);
    font.setItalic(italic);
    // Grey antialiasing only: the layers are combined per channel, and coloured fringes of
    // subpixel text would show as colours on the card.
    font.setStyleStrategy(QFont::NoSubpixelAntialias);
    return font;
}

QFontMetrics CardMetrics(const QFont& font) {
    static const QImage device = NewWorkPicture(1, 1);
    return QFontMetrics(font, &device);
}

} // namespace zandor
