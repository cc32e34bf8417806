// Every message box of the program goes through here: the captions, icons and Yes/No
// defaults the program uses, and a seam through which tests answer boxes and read them.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace zandor {

enum class TMessageKind { Error, Information, Warning, Question };

struct TMessage {
    TMessageKind Kind;
    QString Caption;
    QString Text;
    bool DefaultYes;
};

// Answers a box instead of showing it: returns true for Yes (or OK).
using TMessageAnswerer = std::function<bool(const TMessage&)>;
// Installs an answerer for tests; an empty one shows real boxes again.
void SetMessageAnswerer(TMessageAnswerer answerer);

inline const QString ErrorCaption = QStringLiteral("Ошибка");
inline const QString ResultCaption = QStringLiteral("Статистика");
inline const QString AttentionCaption = QStringLiteral("Внимание");

void ShowError(QWidget* parent, const QString& text);
void ShowResult(QWidget* parent, const QString& text);
// A Yes/No box with a warning or question icon; true when the user answered Yes.
bool AskYesNo(QWidget* parent, const QString& caption, const QString& text, bool defaultYes,
              TMessageKind kind = TMessageKind::Warning);

} // namespace zandor
