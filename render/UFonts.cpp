#include "render/UFonts.h"

#include <QFont>
#include <QFontDatabase>

namespace zandor {

bool RegisterCardFonts() {
    static bool done = false;
    static bool symbolsLoaded = false;
    if (done)
        return symbolsLoaded;
    done = true;
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

} // namespace zandor
