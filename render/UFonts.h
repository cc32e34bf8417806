// The faces the card renderer asks for by name, mapped onto the Liberation faces that have
// the same metrics, and the program's own mana symbol font.
#pragma once

#include <QString>

namespace zandor {

inline const QString SymbolFontFamily = QStringLiteral("ZandorSymbols");

// Registers the substitutions and loads the symbol font; safe to call more than once.
// Returns false when the symbol font could not be loaded.
bool RegisterCardFonts();

} // namespace zandor
