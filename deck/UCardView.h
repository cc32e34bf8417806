// The card view of the deck editor: the card bitmap the face is drawn into, shown on the
// two-layer picture of the widget set, and the 55 ms cross-fade from the old face to the
// new one. It owns the card bitmap; the frames are the launcher's when it has made them.
#pragma once

#include "core/UCardDatabase.h"
#include "render/UCardFace.h"
#include "widgets/ULayeredPicture.h"

#include <QImage>
#include <memory>

class QTimer;

namespace zandor {

class TListImageZandorCard;

class TCardView : public TLayeredPicture {
    Q_OBJECT
public:
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

private:
    const TListImageZandorCard* frames();

    TCardDatabase& m_db;
    std::unique_ptr<TListImageZandorCard> m_ownFrames;
    QImage m_bitmap;
    TCardFaceResult m_lastFace;
};

} // namespace zandor
