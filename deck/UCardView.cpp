#include "deck/UCardView.h"

#include "core/UApplication.h"
#include "render/UImageLists.h"

#include <QTimer>

namespace zandor {

TCardView::TCardView(TCardDatabase& db, QWidget* parent) : TLayeredPicture(parent), m_db(db) {
    setFixedSize(CardWidth, CardHeight);
    SetBackground(Qt::black);
    LoadBlankCard(m_bitmap);
    SetLayer(0, m_bitmap);
    SetLayer(1, m_bitmap);
    tViewCard = new QTimer(this);
    tViewCard->setObjectName(QStringLiteral("tViewCard"));
    tViewCard->setInterval(55);
    connect(tViewCard, &QTimer::timeout, this, &TCardView::tViewCardTimer);
}

TCardView::~TCardView() = default;

const TListImageZandorCard* TCardView::frames() {
    // The launcher's frames serve every window; a view made without it loads its own.
    const TListImageZandorCard* list = nullptr;
    if (HasShell() && Shell().FrameImages && &Shell().Db == &m_db)
        list = Shell().FrameImages.get();
    else {
        if (!m_ownFrames)
            m_ownFrames = std::make_unique<TListImageZandorCard>(m_db.DataDir);
        list = m_ownFrames.get();
    }
    return list->Usable() ? list : nullptr;
}

void TCardView::ShowCardFace(const TZandorCard& card, bool fade) {
    m_bitmap.fill(Qt::white);
    const TCardFaceSources sources{frames(), m_db.PicDir, m_db.DataDir};
    m_lastFace = DrawCardFace(card, m_bitmap, m_db.ProgramOptions.Stretch, sources);
    // A click during a fade starts it again with the new face beneath.
    SetLayer(fade ? 0 : 1, m_bitmap);
    if (fade)
        tViewCard->start();
}

void TCardView::tViewCardTimer() {
    // At the end the new face comes to the top and the old one goes beneath for the next fade.
    if (!FadeStep())
        tViewCard->stop();
}

} // namespace zandor
