#include "deck/UCardView.h"

#include "render/UImageLists.h"

#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <utility>

namespace zandor {

TCardView::TCardView(TCardDatabase& db, QWidget* parent) : QWidget(parent), m_db(db) {
    setFixedSize(CardWidth, CardHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_frames = std::make_unique<TListImageZandorCard>(m_db.DataDir);
    LoadBlankCard(m_bitmap);
    for (TLayer& layer : m_layers)
        layer.Picture = m_bitmap.convertToFormat(QImage::Format_RGB32);
    tViewCard = new QTimer(this);
    tViewCard->setObjectName(QStringLiteral("tViewCard"));
    tViewCard->setInterval(55);
    connect(tViewCard, &QTimer::timeout, this, &TCardView::tViewCardTimer);
}

TCardView::~TCardView() = default;

void TCardView::ShowCardFace(const TZandorCard& card, bool fade) {
    m_bitmap.fill(Qt::white);
    const TCardFaceSources sources{m_frames->Usable() ? m_frames.get() : nullptr, m_db.PicDir,
                                   m_db.DataDir};
    m_lastFace = DrawCardFace(card, m_bitmap, m_db.ProgramOptions.Stretch, sources);
    // A click during a fade starts it again with the new face beneath.
    TLayer& target = m_layers[fade ? 0 : 1];
    QPainter painter(&target.Picture);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, m_bitmap);
    painter.end();
    if (fade)
        tViewCard->start();
    update();
}

void TCardView::tViewCardTimer() {
    if (m_layers[1].Opacity >= FadeAmount + 1) {
        m_layers[1].Opacity -= FadeAmount;
    } else {
        tViewCard->stop();
        // The new face comes to the top; the old one goes beneath for the next fade.
        std::swap(m_layers[0], m_layers[1]);
        m_layers[0].Opacity = 255;
        m_layers[1].Opacity = 255;
    }
    update();
}

const QImage& TCardView::Layer(int index) const {
    return m_layers[std::clamp(index, 0, 1)].Picture;
}

int TCardView::Opacity(int index) const {
    return m_layers[std::clamp(index, 0, 1)].Opacity;
}

void TCardView::paintLayers(QPainter& painter) const {
    painter.fillRect(QRect(0, 0, CardWidth, CardHeight), Qt::black);
    for (const TLayer& layer : m_layers) {
        painter.setOpacity(layer.Opacity / 255.0);
        painter.drawImage(0, 0, layer.Picture);
    }
    painter.setOpacity(1.0);
}

QImage TCardView::Composed() const {
    QImage picture(CardWidth, CardHeight, QImage::Format_RGB32);
    QPainter painter(&picture);
    paintLayers(painter);
    return picture;
}

void TCardView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintLayers(painter);
}

} // namespace zandor
