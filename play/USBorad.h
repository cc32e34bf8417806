// The sideboard dialog: trades cards between a player's main deck and sideboard before a
// play-test game, one copy at a time.
#pragma once

#include "play/UNewTestLogic.h"

#include <QDialog>

class QTableWidget;
class QPushButton;

namespace zandor {

class TfmSideBoard : public QDialog {
    Q_OBJECT
public:
    explicit TfmSideBoard(QWidget* parent = nullptr);

    QTableWidget* sgDeck;
    QTableWidget* sgSB;
    QPushButton* sbTrade;
    QPushButton* sbClose;

    void SetRows(const TSideboardRows& rows);
    TSideboardRows Rows() const;

    void sbTradeClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace zandor
