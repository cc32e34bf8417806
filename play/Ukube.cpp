#include "play/Ukube.h"

#include "core/URandom.h"
#include "render/UTableTile.h"

namespace zandor {

TDiceFace::TDiceFace(QWidget* parent) : QLabel(parent) {
    setFixedSize(66, 66);
    SetValue(1);
}

void TDiceFace::SetValue(int value) {
    m_value = value;
    const QImage face = TilePicture("DIE" + std::to_string(value));
    setPixmap(QPixmap::fromImage(face));
}

TfmKube::TfmKube(QWidget* parent) : QDialog(parent, Qt::Tool) {
    setObjectName(QStringLiteral("fmKube"));
    setFixedSize(157, 116);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    rxlResult = new QLabel(this);
    rxlResult->setObjectName(QStringLiteral("rxlResult"));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(64);
    font.setBold(true);
    rxlResult->setFont(font);
    QPalette yellow = rxlResult->palette();
    yellow.setColor(QPalette::WindowText, QColor(255, 255, 128));
    rxlResult->setPalette(yellow);
    rxlResult->setAttribute(Qt::WA_TranslucentBackground);
    rxlResult->setGeometry(12, 18, 60, 80);
    rxlResult->setAlignment(Qt::AlignCenter);
    RxDice = new TDiceFace(this);
    RxDice->setObjectName(QStringLiteral("RxDice"));
    RxDice->move(82, 25);
}

void TfmKube::SetValue(int value) {
    RxDice->SetValue(value);
    rxlResult->setText(QString::number(value));
    setWindowTitle(QStringLiteral("Result: %1").arg(value));
}

int TfmKube::Roll() {
    const int value = Random(6) + 1;
    SetValue(value);
    exec();
    return value;
}

} // namespace zandor
