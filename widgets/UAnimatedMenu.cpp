#include "widgets/UAnimatedMenu.h"

#include "core/UCard.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QVariantAnimation>

#include <algorithm>

namespace zandor {

namespace {

constexpr int TextLeft = 26;   // pictures sit in the column left of the captions
constexpr int ArrowSpace = 22; // room for the submenu arrow
constexpr int MinWidth = 110;

bool selectable(const TMenuItem& item) {
    return item.Enabled;
}

} // namespace

TMenuItem* TMenuItem::Add(const QString& caption, const QImage& picture) {
    auto item = std::make_unique<TMenuItem>();
    item->Caption = caption;
    item->Picture = picture;
    Items.push_back(std::move(item));
    return Items.back().get();
}

// ---- one level --------------------------------------------------------------------------

TMenuPanel::TMenuPanel(TAnimatedPopupMenu* menu, TMenuItem* item, int level)
    : QWidget(nullptr, Qt::Popup | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint),
      m_menu(menu), m_item(item), m_level(level) {
    setObjectName(QStringLiteral("MenuPanel%1").arg(level));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setFont(menu->Font());
    const QFontMetrics metrics(font());
    int widest = 0;
    for (const auto& entry : item->Items)
        widest = std::max(widest, metrics.horizontalAdvance(entry->Caption));
    const int rows = static_cast<int>(item->Items.size());
    setFixedSize(std::max(MinWidth, TextLeft + widest + ArrowSpace),
                 rows * TAnimatedPopupMenu::RowHeight + 4);
}

QRect TMenuPanel::RowRect(int row) const {
    return QRect(2, 2 + row * TAnimatedPopupMenu::RowHeight, width() - 4,
                 TAnimatedPopupMenu::RowHeight);
}

int TMenuPanel::RowAt(const QPoint& pos) const {
    if (!rect().contains(pos))
        return -1;
    const int row = (pos.y() - 2) / TAnimatedPopupMenu::RowHeight;
    return pos.y() >= 2 && row < static_cast<int>(m_item->Items.size()) ? row : -1;
}

void TMenuPanel::SetCurrent(int row) {
    if (row >= 0 && (row >= static_cast<int>(m_item->Items.size()) ||
                     !selectable(*m_item->Items[static_cast<std::size_t>(row)])))
        row = -1;
    if (row == m_current)
        return;
    m_current = row;
    update();
}

void TMenuPanel::StartFade() {
    m_fade = new QVariantAnimation(this);
    m_fade->setStartValue(0.0);
    m_fade->setEndValue(TAnimatedPopupMenu::Opacity);
    m_fade->setDuration(TAnimatedPopupMenu::OpeningMs);
    m_fade->setEasingCurve(QEasingCurve::OutCubic);
    connect(m_fade, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) { setWindowOpacity(value.toDouble()); });
    setWindowOpacity(0.0);
    m_fade->start();
}

bool TMenuPanel::Fading() const {
    return m_fade && m_fade->state() == QAbstractAnimation::Running;
}

void TMenuPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), TAnimatedPopupMenu::Background);
    // A lighter picture column and a dark rim give the panel its edge.
    p.fillRect(QRect(0, 0, TextLeft - 4, height()), TAnimatedPopupMenu::Background.lighter(112));
    p.setPen(TAnimatedPopupMenu::Background.darker(160));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setRenderHint(QPainter::Antialiasing);
    for (int row = 0; row < static_cast<int>(m_item->Items.size()); ++row) {
        const TMenuItem& entry = *m_item->Items[static_cast<std::size_t>(row)];
        const QRect r = RowRect(row);
        const bool selected = row == m_current && entry.Enabled;
        if (selected)
            p.fillRect(r, TAnimatedPopupMenu::SelectedBackground);
        const QColor ink = !entry.Enabled ? TAnimatedPopupMenu::DisabledText
                           : selected     ? TAnimatedPopupMenu::SelectedText
                                          : TAnimatedPopupMenu::TextColor;
        if (!entry.Picture.isNull())
            p.drawImage(QRect(r.left() + 3,
                              r.top() + (r.height() - TAnimatedPopupMenu::PictureSize) / 2,
                              TAnimatedPopupMenu::PictureSize, TAnimatedPopupMenu::PictureSize),
                        entry.Picture);
        p.setPen(ink);
        p.drawText(r.adjusted(TextLeft - 2, 0, -ArrowSpace, 0), Qt::AlignVCenter | Qt::AlignLeft,
                   entry.Caption);
        if (!entry.Items.empty()) {
            const int cx = r.right() - 10;
            const int cy = r.center().y();
            QPainterPath arrow;
            arrow.moveTo(cx - 3, cy - 4);
            arrow.lineTo(cx + 2, cy);
            arrow.lineTo(cx - 3, cy + 4);
            arrow.closeSubpath();
            p.fillPath(arrow, ink);
        }
    }
}

void TMenuPanel::mouseMoveEvent(QMouseEvent* event) {
    if (!m_menu)
        return;
    const QPoint global = event->globalPosition().toPoint();
    TMenuPanel* panel =
        rect().contains(event->position().toPoint()) ? this : m_menu->PanelAt(global, m_level - 1);
    if (!panel)
        return;
    const int row = panel->RowAt(panel->mapFromGlobal(global));
    panel->SetCurrent(row);
    if (row >= 0 && !panel->Item()->Items[static_cast<std::size_t>(row)]->Items.empty())
        m_menu->OpenSubmenu(panel, row, false);
    else if (row >= 0)
        m_menu->CloseAbove(panel->Level());
}

void TMenuPanel::mousePressEvent(QMouseEvent* event) {
    if (!m_menu)
        return;
    const QPoint global = event->globalPosition().toPoint();
    if (rect().contains(event->position().toPoint())) {
        m_pressed = true;
        return;
    }
    // A press on a lower level goes on there; anywhere else closes the whole menu.
    TMenuPanel* panel = m_menu->PanelAt(global, m_level - 1);
    if (!panel) {
        m_menu->Close();
        return;
    }
    TAnimatedPopupMenu* menu = m_menu;
    const int row = panel->RowAt(panel->mapFromGlobal(global));
    menu->CloseAbove(panel->Level());
    panel->SetCurrent(row);
    if (row >= 0 && !panel->Item()->Items[static_cast<std::size_t>(row)]->Items.empty())
        menu->OpenSubmenu(panel, row, false);
    else
        panel->m_pressed = true;
}

void TMenuPanel::mouseReleaseEvent(QMouseEvent* event) {
    // Only a press inside the menu picks: the release of the click that opened it does not.
    if (!m_menu || !m_pressed)
        return;
    m_pressed = false;
    const int row = RowAt(event->position().toPoint());
    if (row < 0)
        return;
    TMenuItem* entry = m_item->Items[static_cast<std::size_t>(row)].get();
    if (entry->Items.empty())
        m_menu->Pick(entry);
}

void TMenuPanel::leaveEvent(QEvent*) {
    // The selection stays on an entry whose submenu is open.
    if (m_menu && m_menu->OpenLevels() == m_level + 1)
        SetCurrent(-1);
}

void TMenuPanel::moveSelection(int step) {
    const int count = static_cast<int>(m_item->Items.size());
    int row = m_current;
    for (int i = 0; i < count; ++i) {
        row = row < 0 ? (step > 0 ? 0 : count - 1) : (row + step + count) % count;
        if (selectable(*m_item->Items[static_cast<std::size_t>(row)])) {
            SetCurrent(row);
            return;
        }
    }
}

void TMenuPanel::keyPressEvent(QKeyEvent* event) {
    if (!m_menu)
        return;
    TAnimatedPopupMenu* menu = m_menu;
    const TMenuItem* entry =
        m_current >= 0 ? m_item->Items[static_cast<std::size_t>(m_current)].get() : nullptr;
    switch (event->key()) {
    case Qt::Key_Down:
        moveSelection(1);
        break;
    case Qt::Key_Up:
        moveSelection(-1);
        break;
    case Qt::Key_Right:
        if (entry && !entry->Items.empty())
            menu->OpenSubmenu(this, m_current, true);
        break;
    case Qt::Key_Left:
        if (m_level > 0)
            menu->CloseAbove(m_level - 1);
        break;
    case Qt::Key_Escape:
        if (m_level > 0)
            menu->CloseAbove(m_level - 1);
        else
            menu->Close();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (entry && !entry->Items.empty())
            menu->OpenSubmenu(this, m_current, true);
        else if (entry)
            menu->Pick(m_item->Items[static_cast<std::size_t>(m_current)].get());
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TMenuPanel::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // Hidden by the window system (a click elsewhere, the application losing focus): the
    // menu closes from this level up.
    if (m_menu)
        m_menu->CloseAbove(m_level - 1);
}

// ---- the menu ---------------------------------------------------------------------------

TAnimatedPopupMenu::TAnimatedPopupMenu(QObject* parent) : QObject(parent) {}

TAnimatedPopupMenu::~TAnimatedPopupMenu() {
    for (TMenuPanel* panel : m_panels) {
        panel->Detach();
        delete panel;
    }
}

QFont TAnimatedPopupMenu::Font() const {
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSize(8);
    return font;
}

TMenuItem* TAnimatedPopupMenu::Find(const QString& caption) {
    std::vector<TMenuItem*> todo{&m_root};
    while (!todo.empty()) {
        TMenuItem* item = todo.front();
        todo.erase(todo.begin());
        for (const auto& entry : item->Items) {
            if (entry->Caption == caption)
                return entry.get();
            todo.push_back(entry.get());
        }
    }
    return nullptr;
}

TMenuPanel* TAnimatedPopupMenu::Panel(int level) const {
    return level >= 0 && level < OpenLevels() ? m_panels[static_cast<std::size_t>(level)] : nullptr;
}

bool TAnimatedPopupMenu::Animating() const {
    return IsOpen() && m_panels.front()->Fading();
}

TMenuPanel* TAnimatedPopupMenu::PanelAt(const QPoint& globalPos, int level) const {
    for (int i = std::min(level, OpenLevels() - 1); i >= 0; --i)
        if (m_panels[static_cast<std::size_t>(i)]->geometry().contains(globalPos))
            return m_panels[static_cast<std::size_t>(i)];
    return nullptr;
}

TMenuPanel* TAnimatedPopupMenu::openPanel(TMenuItem* item, const QPoint& globalPos,
                                          const QRect& avoid) {
    auto* panel = new TMenuPanel(this, item, OpenLevels());
    QScreen* screen = QGuiApplication::screenAt(globalPos);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(globalPos, panel->size());
    int x = globalPos.x();
    int y = globalPos.y();
    if (x + panel->width() > area.right() + 1)
        x = avoid.isNull() ? globalPos.x() - panel->width() : avoid.left() - panel->width();
    if (y + panel->height() > area.bottom() + 1)
        y = area.bottom() + 1 - panel->height();
    x = std::clamp(x, area.left(), std::max(area.left(), area.right() + 1 - panel->width()));
    y = std::clamp(y, area.top(), std::max(area.top(), area.bottom() + 1 - panel->height()));
    panel->move(x, y);
    m_panels.push_back(panel);
    panel->StartFade();
    panel->show();
    panel->setFocus();
    return panel;
}

void TAnimatedPopupMenu::Popup(const QPoint& globalPos) {
    Close();
    if (m_root.Items.empty())
        return;
    openPanel(&m_root, globalPos, QRect());
}

void TAnimatedPopupMenu::OpenSubmenu(TMenuPanel* from, int row, bool selectFirst) {
    TMenuItem* item = from->Item()->Items[static_cast<std::size_t>(row)].get();
    if (!item->Enabled || item->Items.empty())
        return;
    TMenuPanel* open = Panel(from->Level() + 1);
    if (!open || open->Item() != item) {
        CloseAbove(from->Level());
        const QRect r(from->mapToGlobal(from->RowRect(row).topLeft()), from->RowRect(row).size());
        open = openPanel(item, QPoint(from->geometry().right() + 1, r.top() - 2), from->geometry());
    }
    from->SetCurrent(row);
    if (selectFirst && open->Current() < 0)
        open->SelectFirst();
}

void TAnimatedPopupMenu::CloseAbove(int level) {
    bool closedAll = false;
    while (OpenLevels() > level + 1) {
        TMenuPanel* panel = m_panels.back();
        m_panels.pop_back();
        panel->Detach();
        panel->hide();
        panel->deleteLater();
        closedAll = m_panels.empty();
    }
    if (closedAll)
        emit Closed();
}

void TAnimatedPopupMenu::Close() {
    CloseAbove(-1);
}

void TAnimatedPopupMenu::Pick(TMenuItem* item) {
    if (!item || !item->Enabled || !item->Items.empty())
        return;
    // The menu is gone before the command runs: a command may open a dialog.
    const QString caption = item->Caption;
    Close();
    emit ItemSelected(caption);
}

// ---- pictures ---------------------------------------------------------------------------

QImage MenuCounterPicture() {
    QImage picture(TAnimatedPopupMenu::PictureSize, TAnimatedPopupMenu::PictureSize,
                   QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient shine(QPointF(6, 5), 9);
    shine.setColorAt(0, QColor(255, 240, 170));
    shine.setColorAt(1, QColor(196, 150, 40));
    p.setBrush(shine);
    p.setPen(QPen(QColor(90, 60, 10), 1));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(QColor(90, 60, 10), 1.6));
    p.drawLine(QPointF(8, 5), QPointF(8, 11));
    p.drawLine(QPointF(5, 8), QPointF(11, 8));
    return picture;
}

QImage MenuColorPicture(const QString& letter) {
    static const QString letters = QStringLiteral("WUBRG");
    QColor color(170, 170, 170);
    if (letter.size() == 1 && letters.contains(letter)) {
        const TRGB rgb = SymbolColor(letter.toStdString());
        color = QColor(rgb.R, rgb.G, rgb.B);
    }
    QImage picture(TAnimatedPopupMenu::PictureSize, TAnimatedPopupMenu::PictureSize,
                   QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(color);
    p.setPen(QPen(color.darker(220), 1));
    p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
    return picture;
}

} // namespace zandor
