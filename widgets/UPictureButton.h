// The launcher's picture buttons: a picture on the panel colour, rectangular or elliptic
// in shape, that lightens under the pointer and reports a click.
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QPixmap>

namespace zandor {

class TPictureButton : public QAbstractButton {
    Q_OBJECT
public:
    enum class Shape { Rectangle, Ellipse };
    TPictureButton(QWidget* parent, const QPixmap& picture, Shape shape, const QColor& panel);
    QSize sizeHint() const override;
    Shape shape() const { return m_shape; }

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    bool hitButton(const QPoint& pos) const override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;

private:
    QPixmap m_picture;
    Shape m_shape;
    QColor m_panel;
    bool m_hover = false;
};

// A picture of a label in the launcher's lettering, for the large buttons.
QPixmap LabelPicture(const QString& label, const QSize& size, const QColor& panel);

} // namespace zandor
