#include "play/USplit.h"

#include <QFrame>
#include <QMouseEvent>

namespace zandor {

void TClickImage::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit clicked();
    QLabel::mousePressEvent(event);
}

namespace {

void fill(QWidget* widget, const QColor& color) {
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
}

} // namespace

TfmSplit::TfmSplit(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("fmSplit"));
    setWindowTitle(QStringLiteral("Chose split"));
    setFixedSize(347, 283);
    fill(this, QColor(68, 72, 78));
    Panel1 = new QFrame(this);
    Panel1->setGeometry(8, 8, 331, 267);
    fill(Panel1, QColor(107, 114, 122));
    lbTitle = new QLabel(QStringLiteral("Choose split"), Panel1);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(21);
    font.setBold(true);
    font.setUnderline(true);
    lbTitle->setFont(font);
    lbTitle->setGeometry(0, 6, 331, 26);
    lbTitle->setAlignment(Qt::AlignCenter);
    const auto image = [this](int x, const char* name) {
        auto* shadow = new QFrame(Panel1);
        shadow->setGeometry(x + 5, 40 + 8, 140, 200);
        fill(shadow, Qt::black);
        auto* picture = new TClickImage(Panel1);
        picture->setObjectName(QString::fromLatin1(name));
        picture->setGeometry(x, 40, 140, 200);
        picture->setCursor(Qt::PointingHandCursor);
        return picture;
    };
    imSp1 = image(10, "imSp1");
    imSp2 = image(170, "imSp2");
    connect(imSp1, &TClickImage::clicked, this, [this] { done(Yes); });
    connect(imSp2, &TClickImage::clicked, this, [this] { done(No); });
}

void TfmSplit::SetHalves(const QImage& first, const QImage& second) {
    imSp1->setPixmap(QPixmap::fromImage(first));
    imSp2->setPixmap(QPixmap::fromImage(second));
}

bool TfmSplit::ChooseFirst() {
    return exec() == Yes;
}

} // namespace zandor
