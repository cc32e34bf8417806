#include "play/USBorad.h"

#include "core/UApplication.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>

namespace zandor {

namespace {

QTableWidget* grid(QWidget* parent, const char* name) {
    auto* g = new QTableWidget(1, 1, parent);
    g->setObjectName(QString::fromLatin1(name));
    g->horizontalHeader()->hide();
    g->verticalHeader()->hide();
    g->horizontalHeader()->setStretchLastSection(true);
    g->verticalHeader()->setDefaultSectionSize(15);
    g->verticalHeader()->setMinimumSectionSize(15);
    g->setShowGrid(false);
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QFont font(QStringLiteral("Courier New"));
    font.setPointSize(8);
    g->setFont(font);
    QPalette palette = g->palette();
    palette.setColor(QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    g->setPalette(palette);
    return g;
}

void fillGrid(QTableWidget* g, const std::vector<std::string>& rows) {
    g->clearContents();
    g->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < g->rowCount(); ++r)
        g->setItem(r, 0, new QTableWidgetItem(ToDisplay(rows[static_cast<std::size_t>(r)])));
}

std::vector<std::string> gridRows(const QTableWidget* g) {
    std::vector<std::string> rows;
    for (int r = 0; r < g->rowCount(); ++r) {
        const QTableWidgetItem* item = g->item(r, 0);
        std::string bytes;
        if (item)
            FromDisplay(item->text(), bytes);
        rows.push_back(bytes);
    }
    if (rows.empty())
        rows.emplace_back();
    return rows;
}

} // namespace

TfmSideBoard::TfmSideBoard(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmSideBoard"));
    setWindowTitle(QStringLiteral("Sideboard"));
    setFixedSize(672, 328);
    auto* deckGroup = new QGroupBox(QStringLiteral(" Your Deck: "), this);
    deckGroup->setGeometry(5, 8, 300, 313);
    sgDeck = grid(deckGroup, "sgDeck");
    sgDeck->setGeometry(8, 20, 284, 285);
    auto* sbGroup = new QGroupBox(QStringLiteral(" Sideboard: "), this);
    sbGroup->setGeometry(370, 8, 300, 313);
    sgSB = grid(sbGroup, "sgSB");
    sgSB->setGeometry(8, 20, 284, 285);
    sbTrade = new QPushButton(QStringLiteral("Trade"), this);
    sbTrade->setObjectName(QStringLiteral("sbTrade"));
    sbTrade->setGeometry(312, 120, 50, 25);
    sbClose = new QPushButton(QStringLiteral("Close"), this);
    sbClose->setObjectName(QStringLiteral("sbClose"));
    sbClose->setGeometry(312, 160, 50, 25);
    connect(sbTrade, &QPushButton::clicked, this, [this] { sbTradeClick(); });
    connect(sbClose, &QPushButton::clicked, this, &QDialog::reject);
}

void TfmSideBoard::SetRows(const TSideboardRows& rows) {
    fillGrid(sgDeck, rows.Deck);
    fillGrid(sgSB, rows.Sideboard);
    sgDeck->setCurrentCell(0, 0);
    sgSB->setCurrentCell(0, 0);
}

TSideboardRows TfmSideBoard::Rows() const {
    TSideboardRows rows;
    rows.Deck = gridRows(sgDeck);
    rows.Sideboard = gridRows(sgSB);
    return rows;
}

void TfmSideBoard::sbTradeClick() {
    TSideboardRows rows = Rows();
    int deckRow = sgDeck->currentRow();
    int sbRow = sgSB->currentRow();
    if (!TradeSideboard(rows, deckRow, sbRow))
        return;
    fillGrid(sgDeck, rows.Deck);
    fillGrid(sgSB, rows.Sideboard);
    sgDeck->setCurrentCell(deckRow, 0);
    sgSB->setCurrentCell(sbRow, 0);
}

void TfmSideBoard::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && HasShell()) {
        Shell().OpenHelp(this);
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace zandor
