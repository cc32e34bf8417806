// The card view of the deck editor: the card bitmap the face is drawn into, two stacked
// 210 x 300 layers with their master opacity, and the 55 ms cross-fade from the old face to
// the new one. It owns the card bitmap, the layers and the frame pictures it draws with.
#pragma once

#include "core/UCardDatabase.h"
#include "render/UCardFace.h"

#include <QImage>
#include <QWidget>
#include <memory>

class QTimer;

namespace zandor {

class TListImageZandorCard;

class TCardView : public QWidget {
    Q_OBJECT
public:
    static constexpr int FadeAmount = 62;

    TCardView(TCardDatabase& db, QWidget* parent = nullptr);
    ~TCardView() override;

    QTimer* tViewCard;

    // Clears the card bitmap and draws the card into it. With fade, the face goes into the
    // bottom layer and the fade timer starts; without, into the top layer, seen at once.
    void ShowCardFace(const TZandorCard& card, bool fade);
    // One tick of the fade timer.
    void tViewCardTimer();

    const QImage& CardBitmap() const { return m_bitmap; }
    const TCardFaceResult& LastFace() const { return m_lastFace; }
    // Layer 0 lies at the bottom, layer 1 on top.
    const QImage& Layer(int index) const;
    int Opacity(int index) const;
    // The picture as shown: both layers blended over each other.
    QImage Composed() const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    struct TLayer {
        QImage Picture;
        int Opacity = 255;
    };
    void paintLayers(QPainter& painter) const;

    TCardDatabase& m_db;
    std::unique_ptr<TListImageZandorCard> m_frames;
    QImage m_bitmap;
    TLayer m_layers[2];
    TCardFaceResult m_lastFace;
};

} // namespace zandor
