// The card filter dialog: editions (with the tournament sets), spell types, colours and
// rarities. It shows and edits a filter dialog model that it reloads from the settings file
// each time it is shown, so a cancelled dialog leaves no trace.
#pragma once

#include "deck/UCardFilter.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace zandor {

class TfmFilters : public QDialog {
    Q_OBJECT
public:
    explicit TfmFilters(TCardDatabase& db, QWidget* parent = nullptr);

    QComboBox* cbEditionType;
    QListWidget* clbEdition;
    QListWidget* clbSpell;
    QPushButton* bbSpell;
    QListWidget* clbColor;
    QPushButton* bbColor;
    QCheckBox* cbRCommon;
    QCheckBox* cbRUncommon;
    QCheckBox* cbRRare;
    QPushButton* bbOk;
    QPushButton* BitBtn2;

    const TFilterDialogModel& Model() const { return m_model; }
    // Reads the dialog from the settings file, as it is on every show.
    void LoadFromSettings();
    // Writes the dialog's choices to the settings file.
    TWriteResult SaveToSettings();

    void cbEditionTypeChange(int index);
    void bbSpellClick();
    void bbColorClick();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void refresh();
    void clbEditionChange(QListWidgetItem* item);
    void clbColorChange(QListWidgetItem* item);
    void clbSpellChange(QListWidgetItem* item);

    TCardDatabase& m_db;
    TFilterDialogModel m_model;
    bool m_updating = false;
};

} // namespace zandor
