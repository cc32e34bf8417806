#include "widgets/ULayeredPicture.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <utility>

namespace zandor {

namespace {

int layerIndex(int index) {
    return std::clamp(index, 0, TLayeredPicture::LayerCount - 1);
}

} // namespace

TLayeredPicture::TLayeredPicture(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (TLayer& layer : m_layers) {
        layer.Picture = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        layer.Picture.fill(m_background);
    }
}

QImage& TLayeredPicture::Layer(int index) {
    fitLayers();
    return m_layers[layerIndex(index)].Picture;
}

const QImage& TLayeredPicture::Layer(int index) const {
    fitLayers();
    return m_layers[layerIndex(index)].Picture;
}

void TLayeredPicture::SetLayer(int index, const QImage& picture) {
    QPainter painter(&Layer(index));
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, picture);
    painter.end();
    update();
}

void TLayeredPicture::FillLayer(int index, const QColor& color) {
    Layer(index).fill(color);
    update();
}

int TLayeredPicture::Opacity(int index) const {
    return m_layers[layerIndex(index)].Opacity;
}

void TLayeredPicture::SetOpacity(int index, int opacity) {
    m_layers[layerIndex(index)].Opacity = std::clamp(opacity, 0, 255);
    update();
}

void TLayeredPicture::BringToFront(int index) {
    if (layerIndex(index) != LayerCount - 1)
        std::swap(m_layers[0], m_layers[1]);
    update();
}

bool TLayeredPicture::FadeStep() {
    if (m_layers[1].Opacity > FadeAmount) {
        SetOpacity(1, m_layers[1].Opacity - FadeAmount);
        return true;
    }
    BringToFront(0);
    m_layers[0].Opacity = 255;
    m_layers[1].Opacity = 255;
    update();
    return false;
}

void TLayeredPicture::SetBackground(const QColor& color) {
    m_background = color;
    update();
}

QImage TLayeredPicture::Composed() const {
    QImage picture(Layer(0).size(), QImage::Format_RGB32);
    QPainter painter(&picture);
    paintLayers(painter);
    return picture;
}

void TLayeredPicture::paintLayers(QPainter& painter) const {
    painter.fillRect(QRect(QPoint(0, 0), Layer(0).size()), m_background);
    for (const TLayer& layer : m_layers) {
        painter.setOpacity(layer.Opacity / 255.0);
        painter.drawImage(0, 0, layer.Picture);
    }
    painter.setOpacity(1.0);
}

void TLayeredPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_background);
    paintLayers(painter);
}

void TLayeredPicture::resizeEvent(QResizeEvent*) {
    fitLayers();
}

void TLayeredPicture::fitLayers() const {
    // What the layers held stays at the top-left corner.
    const QSize layerSize = size().expandedTo(QSize(1, 1));
    for (TLayer& layer : m_layers) {
        if (layer.Picture.size() == layerSize)
            continue;
        QImage resized(layerSize, QImage::Format_RGB32);
        resized.fill(m_background);
        QPainter painter(&resized);
        painter.drawImage(0, 0, layer.Picture);
        painter.end();
        layer.Picture = std::move(resized);
    }
}

void TLayeredPicture::mousePressEvent(QMouseEvent* event) {
    emit MouseDown(event->button(), event->position().toPoint());
}

void TLayeredPicture::mouseMoveEvent(QMouseEvent* event) {
    emit MouseMove(event->position().toPoint());
}

} // namespace zandor
