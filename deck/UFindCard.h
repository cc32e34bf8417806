// The card search dialog: one or two terms joined by AND or OR, the fields to search and
// the two options. It keeps its contents between uses and hands them over as search
// options.
#pragma once

#include "deck/UFindCardLogic.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace zandor {

class TfmFindCard : public QDialog {
    Q_OBJECT
public:
    explicit TfmFindCard(QWidget* parent = nullptr);

    QComboBox* cbFind1;
    QComboBox* cbFlag;
    QComboBox* cbFind2;
    QCheckBox* cbName;
    QCheckBox* cbType;
    QCheckBox* cbText;
    QCheckBox* cbArtist;
    QCheckBox* cbPT;
    QCheckBox* cbSelectMatch;
    QCheckBox* cbMatchwhole;
    QPushButton* bbFind;
    QPushButton* bbCancel;

    // The dialog's contents as search options. False when a term holds characters the card
    // base's code page cannot hold: such a term can match nothing and is refused.
    bool Options(TFindOptions& options) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace zandor
