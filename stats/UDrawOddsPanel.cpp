// The draw odds panel of the statistics window, to the right of the mana curve: for the card
// of the selected table row, the chance of holding at least 1, 2, 3 and 4 copies in the
// opening hand and by each of the first seven turns on the draw.
#include "stats/UDeckStat.h"

#include "core/UApplication.h"
#include "stats/UDrawOdds.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

namespace zandor {

namespace {

// Wide enough for "Turn 7 (14)" and "100.00%" in the window's font, so no value is cut.
constexpr int seenColumnWidth = 66;
constexpr int copiesColumnWidth = 52;
constexpr int oddsLeft = 686;
constexpr int oddsWidth = seenColumnWidth + 4 * copiesColumnWidth + 4;

} // namespace

void TfmStat::buildOddsPanel() {
    plOdds = new QLabel(QStringLiteral("Draw Odds"), this);
    plOdds->setObjectName(QStringLiteral("plOdds"));
    plOdds->setGeometry(oddsLeft, 6, oddsWidth, 15);
    plOdds->setAlignment(Qt::AlignCenter);
    plOdds->setAutoFillBackground(true);
    QPalette palette = plOdds->palette();
    palette.setColor(QPalette::Window, this->palette().color(QPalette::Dark));
    palette.setColor(QPalette::WindowText, Qt::white);
    plOdds->setPalette(palette);
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPointSize(8);
    titleFont.setBold(true);
    plOdds->setFont(titleFont);

    lbOddsCard = new QLabel(this);
    lbOddsCard->setObjectName(QStringLiteral("lbOddsCard"));
    lbOddsCard->setGeometry(oddsLeft, 26, oddsWidth, 30);
    lbOddsCard->setWordWrap(true);

    sgOdds = new QTableWidget(1 + OddsTurns, 1 + OddsMostCopies, this);
    sgOdds->setObjectName(QStringLiteral("sgOdds"));
    sgOdds->setGeometry(oddsLeft, 60, oddsWidth, 18 * (2 + OddsTurns) + 4);
    QStringList headers{QStringLiteral("Seen")};
    for (int copies = 1; copies <= OddsMostCopies; ++copies)
        headers << QStringLiteral("\u2265%1").arg(copies);
    sgOdds->setHorizontalHeaderLabels(headers);
    sgOdds->horizontalHeader()->setMinimumSectionSize(1);
    sgOdds->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sgOdds->horizontalHeader()->setFixedHeight(18);
    sgOdds->horizontalHeader()->setHighlightSections(false);
    sgOdds->setColumnWidth(0, seenColumnWidth);
    for (int column = 1; column <= OddsMostCopies; ++column)
        sgOdds->setColumnWidth(column, copiesColumnWidth);
    sgOdds->verticalHeader()->hide();
    sgOdds->verticalHeader()->setMinimumSectionSize(1);
    sgOdds->verticalHeader()->setDefaultSectionSize(18);
    sgOdds->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sgOdds->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sgOdds->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sgOdds->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgOdds->setSelectionMode(QAbstractItemView::NoSelection);
    sgOdds->setFocusPolicy(Qt::NoFocus);
    for (int row = 0; row <= OddsTurns; ++row) {
        const int seen = OpeningHand + row;
        const QString caption = row == 0 ? QStringLiteral("Hand (%1)").arg(seen)
                                         : QStringLiteral("Turn %1 (%2)").arg(row).arg(seen);
        for (int column = 0; column <= OddsMostCopies; ++column) {
            auto* item = new QTableWidgetItem(column == 0 ? caption : QString());
            item->setFlags(Qt::ItemIsEnabled);
            item->setTextAlignment(column == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                               : Qt::AlignRight | Qt::AlignVCenter);
            sgOdds->setItem(row, column, item);
        }
    }
    // The window grows by the panel; everything else keeps its place.
    setFixedSize(oddsLeft + oddsWidth + 8, height());
    connect(sgDeck, &QTableWidget::currentCellChanged, this, [this] { refreshOdds(); });
    refreshOdds();
}

void TfmStat::refreshOdds() {
    if (!sgOdds)
        return; // the panel is made at the end of the window's creation
    const int row = sgDeck->currentRow();
    const bool chosen = row >= 0 && static_cast<std::size_t>(row) < m_stats->Cards.size();
    TCardCopies copies;
    if (chosen)
        copies = CardCopies(m_stats->Cards, m_stats->Cards[static_cast<std::size_t>(row)].Name);
    if (!chosen)
        lbOddsCard->setText(QStringLiteral("Select a card in the table."));
    else
        lbOddsCard->setText(
            QStringLiteral("%1\n%2 of %3 cards in the main deck")
                .arg(ToDisplay(copies.Name.empty()
                                   ? m_stats->Cards[static_cast<std::size_t>(row)].Name
                                   : copies.Name))
                .arg(copies.Copies)
                .arg(copies.DeckSize));
    for (int turn = 0; turn <= OddsTurns; ++turn) {
        for (int atLeast = 1; atLeast <= OddsMostCopies; ++atLeast) {
            QString text;
            if (chosen) {
                const auto odds =
                    DrawOddsHundredths(copies.DeckSize, copies.Copies, OpeningHand + turn, atLeast);
                text = odds ? QString::fromStdString(OddsPercentText(*odds)) + QStringLiteral("%")
                            : QStringLiteral("\u2013");
            }
            sgOdds->item(turn, atLeast)->setText(text);
        }
    }
}

} // namespace zandor
