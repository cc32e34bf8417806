#include "widgets/UPictureButton.h"

#include <QPainter>
#include <QPainterPath>
#include <QRegion>

namespace zandor {

TPictureButton::TPictureButton(QWidget* parent, const QPixmap& picture, Shape shape,
                               const QColor& panel)
    : QAbstractButton(parent), m_picture(picture), m_shape(shape), m_panel(panel) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

QSize TPictureButton::sizeHint() const {
    return m_picture.size();
}

void TPictureButton::resizeEvent(QResizeEvent*) {
    if (m_shape == Shape::Ellipse)
        setMask(QRegion(rect(), QRegion::Ellipse));
    else
        clearMask();
}

bool TPictureButton::hitButton(const QPoint& pos) const {
    if (m_shape == Shape::Rectangle)
        return rect().contains(pos);
    QPainterPath ellipse;
    ellipse.addEllipse(QRectF(rect()));
    return ellipse.contains(QPointF(pos));
}

void TPictureButton::enterEvent(QEnterEvent*) {
    m_hover = true;
    update();
}

void TPictureButton::leaveEvent(QEvent*) {
    m_hover = false;
    update();
}

void TPictureButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), m_panel);
    QRectF area = QRectF(rect());
    if (isDown())
        area.translate(1, 1);
    if (m_shape == Shape::Ellipse) {
        p.setPen(QPen(m_panel.lighter(m_hover ? 190 : 150), 1));
        p.setBrush(m_panel.darker(isDown() ? 140 : 115));
        p.drawEllipse(area.adjusted(0.5, 0.5, -0.5, -0.5));
    }
    const QPointF at(area.x() + (area.width() - m_picture.width()) / 2.0,
                     area.y() + (area.height() - m_picture.height()) / 2.0);
    p.drawPixmap(at, m_picture);
    if (m_hover && m_shape == Shape::Rectangle) {
        p.setPen(QPen(QColor(255, 255, 255, 90), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(area.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    }
}

QPixmap LabelPicture(const QString& label, const QSize& size, const QColor& panel) {
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient face(0, 0, 0, size.height());
    face.setColorAt(0, panel.lighter(135));
    face.setColorAt(1, panel.darker(125));
    p.setPen(QPen(panel.lighter(170), 1));
    p.setBrush(face);
    p.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 5, 5);
    QFont font("Times New Roman");
    font.setPixelSize(size.height() / 2);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0, 0, 0, 120));
    p.drawText(QRectF(1, 1, size.width(), size.height()), Qt::AlignCenter, label);
    p.setPen(QColor(235, 225, 190));
    p.drawText(QRectF(0, 0, size.width(), size.height()), Qt::AlignCenter, label);
    return picture;
}

} // namespace zandor
