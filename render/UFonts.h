// The faces the card renderer asks for by name, mapped onto the Liberation faces that have
// the same metrics, and the program's own mana symbol font.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QString>

namespace zandor {

inline const QString SymbolFontFamily = QStringLiteral("ZandorSymbols");
inline const QString TitleFontFamily = QStringLiteral("Times New Roman");
inline const QString RulesFontFamily = QStringLiteral("MPZurich Cn BT");
inline const QString InterfaceFontFamily = QStringLiteral("MS Sans Serif");

// Registers the substitutions, the built-in resources and the symbol font; safe to call
// more than once. Returns false when the symbol font could not be loaded.
bool RegisterCardFonts();

// A font of the family at a point size; sizes are resolved at 96 pixels per inch by the
// pictures the renderer draws on.
QFont CardFont(const QString& family, int points, bool bold = false, bool italic = false);
// Metrics of the font as drawn on the renderer's pictures (96 pixels per inch).
QFontMetrics CardMetrics(const QFont& font);

} // namespace zandor
