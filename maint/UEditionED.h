// The edition window "Edit Edition": the edition catalogue as "KEY - Name" lines, adding an
// edition from a text spoiler and deleting an edition with all its cards.
#pragma once

#include "core/UCardDatabase.h"

#include <QDialog>
#include <functional>

class QGroupBox;
class QListWidget;
class QPushButton;

namespace zandor {

class TfmAddEdition;

class TfmEditionED : public QDialog {
    Q_OBJECT
public:
    explicit TfmEditionED(TCardDatabase& db, QWidget* parent = nullptr);

    QGroupBox* gbEdition;
    QListWidget* lbEditionED;
    QPushButton* bbAddEdition;
    QPushButton* bbDeleteEdition;
    QPushButton* bbOkEdition;
    TfmAddEdition* fmAddEdition;

    // Run after the catalogue or the card list changed, so that the deck editor reloads its
    // filter and refilters its base list.
    std::function<void()> BaseChanged;

    void RefreshEditionList();
    void bbAddEditionClick();
    void bbDeleteEditionClick();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TCardDatabase& m_db;
};

} // namespace zandor
