// The card edit dialog "Edit Card": every stored field of one base card and its play-test
// program, saved at once on OK.
#pragma once

#include "core/UCardDatabase.h"
#include "maint/UEditCardLogic.h"

#include <QDialog>
#include <optional>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zandor {

class TfmEditCard : public QDialog {
    Q_OBJECT
public:
    explicit TfmEditCard(TCardDatabase& db, QWidget* parent = nullptr);

    QLineEdit* edName;
    QLineEdit* edColor;
    QLineEdit* edRarity;
    QLineEdit* edType;
    QLineEdit* edCost;
    QLineEdit* edPT;
    QLineEdit* edEdition;
    QLineEdit* edArtist;
    QPlainTextEdit* mmText;
    QPlainTextEdit* mmFlavor;
    QLineEdit* edValue;
    QLineEdit* edMana;
    QLineEdit* edSeq;
    QLineEdit* edPrAbill;
    QPushButton* bbOk;
    QPushButton* bbCancel;

    void Fill(const TZandorCard& card);
    // The typed values; false when one holds characters the card base cannot store.
    bool Read(TCardEditInput& input) const;

    // The whole edit command for a base line: fills the dialog, shows it, and on OK saves
    // the card. The new base line when the card was saved, nothing otherwise.
    std::optional<std::string> EditBaseLine(const std::string& baseLine);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void bbOkClick();
    TCardDatabase& m_db;
};

} // namespace zandor
