#include "play/Umessage.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>

namespace zandor {

TfmMessage::TfmMessage(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("fmMessage"));
    setFixedSize(148, 44);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    auto* panel = new QLabel(QStringLiteral("Подготовка...."), this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(3, 3, 142, 38);
    panel->setAlignment(Qt::AlignCenter);
    panel->setAutoFillBackground(true);
    QPalette colors = panel->palette();
    colors.setColor(QPalette::Window, QColor(56, 84, 119));
    colors.setColor(QPalette::WindowText, QColor(255, 255, 187));
    panel->setPalette(colors);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(19);
    font.setBold(true);
    font.setItalic(true);
    panel->setFont(font);
}

void TfmMessage::ShowNow() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    show();
    raise();
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace zandor
