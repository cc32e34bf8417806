// The pile viewer of the play table: one library or graveyard as a grid of names, top
// card first, from which cards are read, dragged anywhere they may go, and shuffled.
#include "play/UPileViewer.h"

#include "core/UApplication.h"
#include "core/UCardDatabase.h"
#include "core/UCodePage.h"
#include "play/USplit.h"
#include "play/UTest.h"
#include "play/UfmTest.h"
#include "render/UTableTile.h"

#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolButton>

#include <algorithm>

namespace zandor {

namespace {

constexpr int ViewerWidth = 345;
constexpr int ViewerTitleHeight = 17;
constexpr int GridLeft = 4;
constexpr int GridTop = ViewerTitleHeight + 5;
constexpr int ScrollBarWidth = 6;
const QColor EmptyCell(68, 72, 78);
const QColor SelectedCell(128, 128, 128);
// A dropped card's corner lies this far up and left of the drop point.
constexpr int DropGrab = 31;

QColor nameColor(const std::string& color) {
    if (color == "W")
        return {255, 246, 210};
    if (color == "U")
        return {151, 217, 239};
    if (color == "B")
        return {201, 201, 203};
    if (color == "R")
        return {239, 150, 132};
    if (color == "G")
        return {131, 171, 135};
    if (color == "Gld")
        return {224, 216, 128};
    return {184, 182, 170};
}

} // namespace

// ---- the grid -------------------------------------------------------------------------

TPileGrid::TPileGrid(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("sgRLG"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    verticalScrollBar()->setStyleSheet(
        QStringLiteral("QScrollBar:vertical { width: %1px; background: black; margin: 0; }"
                       "QScrollBar::handle:vertical { background: rgb(128, 128, 128);"
                       " min-height: 16px; }"
                       "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical"
                       " { height: 0; }")
            .arg(ScrollBarWidth));
    verticalScrollBar()->setSingleStep(RowHeight);
    viewport()->setAutoFillBackground(false);
}

void TPileGrid::SetRowCount(int rows) {
    m_rows = std::max(rows, 1);
    updateScrollBar();
    viewport()->update();
}

void TPileGrid::SetCurrent(int row, int column) {
    m_row = std::clamp(row, 0, m_rows - 1);
    m_col = std::clamp(column, 0, ColumnCount - 1);
    const QRect cell = CellRect(m_row, m_col);
    QScrollBar* bar = verticalScrollBar();
    if (cell.top() < 0)
        bar->setValue(bar->value() + cell.top());
    else if (cell.bottom() >= viewport()->height())
        bar->setValue(bar->value() + cell.bottom() - viewport()->height() + 1);
    viewport()->update();
    emit CellSelected(m_row, m_col);
}

QRect TPileGrid::CellRect(int row, int column) const {
    return QRect(column * ColumnWidth, row * RowHeight - verticalScrollBar()->value(), ColumnWidth,
                 RowHeight);
}

bool TPileGrid::CellAt(const QPoint& pos, int& row, int& column) const {
    const int y = pos.y() + verticalScrollBar()->value();
    if (pos.x() < 0 || pos.y() < 0 || pos.x() >= ColumnCount * ColumnWidth || y < 0)
        return false;
    row = y / RowHeight;
    column = pos.x() / ColumnWidth;
    return row < m_rows;
}

void TPileGrid::updateScrollBar() {
    // From the grid's own height: a hidden grid's viewport learns its size only when shown.
    const int visible = std::max(0, height() - 2 * frameWidth());
    QScrollBar* bar = verticalScrollBar();
    bar->setPageStep(std::max(visible, RowHeight));
    bar->setRange(0, std::max(0, m_rows * RowHeight - visible));
}

void TPileGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBar();
}

void TPileGrid::paintEvent(QPaintEvent* event) {
    QPainter p(viewport());
    p.fillRect(event->rect(), Qt::black);
    if (!DrawCell)
        return;
    const int first = verticalScrollBar()->value() / RowHeight;
    const int last = std::min(m_rows - 1, first + viewport()->height() / RowHeight + 1);
    for (int row = first; row <= last; ++row)
        for (int column = 0; column < ColumnCount; ++column) {
            const QRect cell = CellRect(row, column);
            if (!cell.intersects(event->rect()))
                continue;
            p.save();
            p.setClipRect(cell);
            DrawCell(p, cell, row, column, row == m_row && column == m_col);
            p.restore();
        }
}

void TPileGrid::mousePressEvent(QMouseEvent* event) {
    int row = 0;
    int column = 0;
    if (CellAt(event->position().toPoint(), row, column))
        SetCurrent(row, column);
}

// ---- the viewer of the play table ---------------------------------------------------------

void TfmPlay::createViewer() {
    plRLG = new QFrame(Panel2);
    plRLG->setObjectName(QStringLiteral("plRLG"));
    plRLG->setAutoFillBackground(true);
    QPalette black = plRLG->palette();
    black.setColor(QPalette::Window, Qt::black);
    plRLG->setPalette(black);
    plRLG->setGeometry(0, 0, ViewerWidth, 353);
    plRLG->hide();
    plRLGTop = new QLabel(QStringLiteral(" Player 1 - Library: 0 cards"), plRLG);
    plRLGTop->setObjectName(QStringLiteral("plRLGTop"));
    plRLGTop->setGeometry(0, 0, ViewerWidth, ViewerTitleHeight);
    QFont title(QStringLiteral("Times New Roman"));
    title.setBold(true);
    title.setItalic(true);
    plRLGTop->setFont(title);
    QPalette white = plRLGTop->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    white.setColor(QPalette::ButtonText, Qt::white);
    plRLGTop->setPalette(white);
    const auto button = [this, &title](const char* name, const char* text, int x) {
        auto* b = new QToolButton(plRLGTop);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(QString::fromLatin1(text));
        b->setAutoRaise(true);
        b->setFont(title);
        b->setGeometry(x, 0, 56, ViewerTitleHeight);
        return b;
    };
    sbShuffle = button("sbShuffle", "Shuffle", ViewerWidth - 118);
    sbEXIT = button("sbEXIT", "Done", ViewerWidth - 60);
    sgRLG = new TPileGrid(plRLG);
    sgRLG->DrawCell = [this](QPainter& p, const QRect& rect, int row, int column, bool selected) {
        sgRLGDrawCell(p, rect, row, column, selected);
    };
    sgRLG->viewport()->installEventFilter(this);
    connect(sgRLG, &TPileGrid::CellSelected, this,
            [this](int row, int column) { sgRLGSelectCell(row, column); });
    connect(sbShuffle, &QToolButton::clicked, this, [this] { sbShuffleClick(); });
    connect(sbEXIT, &QToolButton::clicked, this, [this] { sbEXITClick(); });
}

int TfmPlay::viewerPlayer() const {
    return !ViewerPile.empty() && ViewerPile.back() == '1' ? 1 : 2;
}

bool TfmPlay::viewerIsLibrary() const {
    return ViewerPile.rfind("Lib", 0) == 0;
}

int TfmPlay::viewerLast() const {
    if (!m_game || ViewerPile.empty())
        return -1;
    const std::string name = playerName(viewerPlayer());
    return viewerIsLibrary() ? m_game->LibraryLast(name) : m_game->GraveyardLast(name);
}

std::optional<TMCardPlay> TfmPlay::viewerCard(int index) {
    if (!m_game || ViewerPile.empty())
        return std::nullopt;
    const std::string name = playerName(viewerPlayer());
    return viewerIsLibrary() ? m_game->PrepareLibraryCard(name, index)
                             : m_game->PrepareGraveyardCard(name, index);
}

void TfmPlay::layoutViewer() {
    const int h = viewerLast();
    // One row per three cards, and an empty row after a full last row.
    const int rows = std::max(h, 0) / 3 + 1 + (h >= 0 && h % 3 == 2 ? 1 : 0);
    int gridHeight = (rows + 1) * TPileGrid::RowHeight + 2;
    int panelHeight = (rows + 1) * TPileGrid::RowHeight + ViewerTitleHeight + 12;
    int top = ViewerPile == "LibP2" ? 100 : 430 - panelHeight;
    // A pile taller than the play area scrolls inside it.
    const int area = std::max(Panel2->height(), ViewerTitleHeight + 12 + TPileGrid::RowHeight);
    if (panelHeight > area) {
        gridHeight -= panelHeight - area;
        panelHeight = area;
    }
    top = std::clamp(top, 0, area - panelHeight);
    plRLG->setGeometry(0, top, ViewerWidth, panelHeight);
    sgRLG->setGeometry(GridLeft, GridTop,
                       TPileGrid::ColumnCount * TPileGrid::ColumnWidth + ScrollBarWidth + 1,
                       gridHeight);
    sgRLG->SetRowCount(rows);
    const char* pile = ViewerPile == "LibP1"     ? "Player1 - Library: "
                       : ViewerPile == "LibP2"   ? "Player2 - Library: "
                       : ViewerPile == "GreivP1" ? "Player1 - Graveyard: "
                                                 : "Player2 - Graveyard: ";
    plRLGTop->setText(QString::fromLatin1(pile) + QString::number(h + 1) +
                      QStringLiteral(" cards"));
}

void TfmPlay::PileDoubleClick(int player, TPileKind kind) {
    if (kind == TPileKind::Removed)
        return;
    const bool wasOpen = plRLG->isVisible();
    ViewerPile.clear();
    const std::string key =
        std::string(kind == TPileKind::Library ? "LibP" : "GreivP") + (player == 1 ? "1" : "2");
    const std::string name = playerName(player);
    const int h = !m_game                      ? -1
                  : kind == TPileKind::Library ? m_game->LibraryLast(name)
                                               : m_game->GraveyardLast(name);
    // An empty pile shows nothing; a double click on any pile closes an open viewer.
    if (h < 0 || wasOpen) {
        plRLG->hide();
        return;
    }
    ViewerPile = key;
    layoutViewer();
    sgRLG->verticalScrollBar()->setValue(0);
    plRLG->show();
    plRLG->raise();
}

void TfmPlay::HidePileViewer() {
    plRLG->hide();
    ViewerPile.clear();
}

void TfmPlay::sbEXITClick() {
    HidePileViewer();
}

void TfmPlay::sbShuffleClick() {
    if (ViewerPile.empty() || !m_game)
        return;
    const bool library = viewerIsLibrary();
    const std::string name = playerName(viewerPlayer());
    HidePileViewer();
    if (library) {
        m_game->ShuffleLibrary(name);
    } else {
        m_game->ShuffleGraveyard(name);
        RedrawPiles(TPileKind::Graveyard);
    }
}

void TfmPlay::RefreshViewer() {
    if (ViewerPile.empty() || !plRLG->isVisible())
        return;
    layoutViewer();
    sgRLG->viewport()->update();
}

void TfmPlay::sgRLGDrawCell(QPainter& painter, const QRect& rect, int row, int column,
                            bool selected) {
    const int p = TPileGrid::ColumnCount * row + column;
    const int h = viewerLast();
    if (p > h) {
        painter.fillRect(rect, EmptyCell);
        return;
    }
    const TPlayerObj& owner = viewerPlayer() == 1 ? m_game->Player1() : m_game->Player2();
    const TZandorCardObj* card = (viewerIsLibrary() ? owner.Library : owner.Graveyard).Card(h - p);
    QFont font(QStringLiteral("Times New Roman"));
    font.setBold(true);
    font.setItalic(true);
    font.setPointSize(selected ? 10 : 9);
    painter.fillRect(rect, selected ? SelectedCell : EmptyCell);
    painter.setFont(font);
    painter.setPen(nameColor(card->Play.Card.Color.str()));
    painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     ToDisplay(card->Play.Card.Name));
}

void TfmPlay::sgRLGSelectCell(int row, int column) {
    const int p = TPileGrid::ColumnCount * row + column;
    const int h = viewerLast();
    if (p > h)
        return;
    if (const auto card = viewerCard(h - p))
        showCardInView(card->Card, true);
}

void TfmPlay::dropFromViewer(const TDropTarget& target, const QPoint& globalPos) {
    if (!m_game || ViewerPile.empty())
        return;
    const int player = viewerPlayer();
    const bool library = viewerIsLibrary();
    const TPileKind own = library ? TPileKind::Library : TPileKind::Graveyard;
    const std::string name = playerName(player);
    const int h = viewerLast();
    const int p = m_viewerDragPos;
    if (p < 0 || p > h) {
        // The card is no longer there: nothing moves, the grid shows the pile as it is.
        if (target.Kind == TDropTarget::OnPile)
            HidePileViewer();
        else
            RefreshViewer();
        return;
    }
    const int i = h - p;
    switch (target.Kind) {
    case TDropTarget::OnTable:
        viewerToTable(i, target.TablePos);
        RedrawPiles(own);
        RefreshViewer();
        return;
    case TDropTarget::OnPile: {
        bool moved = false;
        if (target.Player == player) {
            if (library && target.Pile == TPileKind::Graveyard)
                moved = m_game->LibraryToGraveyard(name, i);
            else if (library && target.Pile == TPileKind::Removed)
                moved = m_game->LibraryToRemoved(name, i);
            else if (!library && target.Pile == TPileKind::Library)
                moved = m_game->GraveyardToLibrary(name, i);
            else if (!library && target.Pile == TPileKind::Removed)
                moved = m_game->GraveyardToRemoved(name, i);
        }
        HidePileViewer();
        if (moved) {
            RedrawPiles(own);
            RedrawPiles(target.Pile);
        }
        return;
    }
    case TDropTarget::OnHand: {
        // Into the owner's hand, whichever hand list took the drop.
        const bool moved =
            library ? m_game->LibraryToHand(name, i) : m_game->GraveyardToHand(name, i);
        if (moved) {
            resizeHandPanel(player);
            std::vector<std::string> names;
            m_game->HandNames(name, names);
            auto* item = new QListWidgetItem(ToDisplay(names.back()));
            item->setSizeHint(QSize(0, 12));
            handList(player)->addItem(item);
            RedrawPiles(own);
        }
        RefreshViewer();
        return;
    }
    case TDropTarget::OnViewer: {
        int row = 0;
        int column = 0;
        if (!sgRLG->CellAt(sgRLG->viewport()->mapFromGlobal(globalPos), row, column))
            return;
        const int q = std::min(TPileGrid::ColumnCount * row + column, h);
        if (q == p)
            return;
        if (library)
            m_game->MoveInLibrary(name, h - p, h - q);
        else
            m_game->MoveInGraveyard(name, h - p, h - q);
        sgRLG->SetCurrent(q / TPileGrid::ColumnCount, q % TPileGrid::ColumnCount);
        RefreshViewer();
        if (!library)
            RedrawPiles(TPileKind::Graveyard);
        return;
    }
    case TDropTarget::Nothing:
        return;
    }
}

void TfmPlay::viewerToTable(int index, const QPoint& tablePos) {
    const std::string name = playerName(viewerPlayer());
    const bool library = viewerIsLibrary();
    const int x = tablePos.x() - DropGrab;
    const int y = tablePos.y() - DropGrab;
    const auto prepared = viewerCard(index);
    if (!prepared)
        return;
    if (prepared->Card.Name.find('/') != std::string::npos) {
        const TMCardPlay play = chooseSplitHalf(prepared->Card, name, x, y);
        if (library ? m_game->LibraryToTableAs(name, index, play)
                    : m_game->GraveyardToTableAs(name, index, play))
            redrawLastCard();
        return;
    }
    const bool changed = library ? m_game->LibraryToTable(name, index, true, x, y)
                                 : m_game->GraveyardToTable(name, index, true, x, y);
    if (changed)
        FullRedraw();
    else
        redrawLastCard();
}

} // namespace zandor
