// The card search dialog: one or two terms joined by AND or OR, the fields to search and
// the two options. It keeps its contents between uses and hands them over as search
// options.
#pragma once

#include "deck/UFindCardLogic.h"

#include <QDialog>
#include <QList>
#include <QString>

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

    // Cancel changes nothing: the dialog is put back as it was shown.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct TState {
        QString Find1, Find2;
        int Flag = 0;
        QList<bool> Boxes;
    };
    TState state() const;
    void setState(const TState& state);
    QList<QCheckBox*> boxes() const;
    TState m_shown;
};

} // namespace zandor
