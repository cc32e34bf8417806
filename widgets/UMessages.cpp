#include "widgets/UMessages.h"

#include <QMessageBox>

namespace zandor {

namespace {

TMessageAnswerer answerer;

bool show(QWidget* parent, const TMessage& message, bool yesNo) {
    if (answerer)
        return answerer(message);
    QMessageBox box(parent);
    box.setWindowTitle(message.Caption);
    box.setText(message.Text);
    box.setWindowModality(Qt::ApplicationModal);
    switch (message.Kind) {
    case TMessageKind::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case TMessageKind::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case TMessageKind::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case TMessageKind::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    if (!yesNo) {
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return true;
    }
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(message.DefaultYes ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace

void SetMessageAnswerer(TMessageAnswerer a) {
    answerer = std::move(a);
}

void ShowError(QWidget* parent, const QString& text) {
    show(parent, {TMessageKind::Error, ErrorCaption, text, true}, false);
}

void ShowResult(QWidget* parent, const QString& text) {
    show(parent, {TMessageKind::Information, ResultCaption, text, true}, false);
}

bool AskYesNo(QWidget* parent, const QString& caption, const QString& text, bool defaultYes,
              TMessageKind kind) {
    return show(parent, {kind, caption, text, defaultYes}, true);
}

} // namespace zandor
