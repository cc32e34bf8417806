// The options dialog: the picture folder, the art scaling method, the play table's drag
// frame, the card animation, the small card copies of the play test and the four proxy
// print options. OK writes everything to the settings at once; Cancel changes nothing.
#pragma once

#include "core/UCardDatabase.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QWidget;

namespace zandor {

class TfmOptions : public QDialog {
    Q_OBJECT
public:
    explicit TfmOptions(TCardDatabase& db, QWidget* parent = nullptr);

    QTabWidget* pcOpt;
    QWidget* tsGeneral;
    QWidget* tsPrint;
    QGroupBox* gbPic;
    QLineEdit* dePic;
    QPushButton* dePicBrowse;
    QLabel* lbPicRes;
    QComboBox* cbPicRes;
    QCheckBox* cbRamka;
    QCheckBox* cbAnim;
    QCheckBox* cbBufCard;
    QGroupBox* gbProxies;
    QCheckBox* cbUseTempPic;
    QCheckBox* cbUseBord;
    QCheckBox* cbUseOsn;
    QCheckBox* cb5mm;
    QPushButton* BitBtn1; // OK
    QPushButton* BitBtn2; // Cancel

    // The folder browser behind dePic: the chosen folder, or an empty text when the user
    // cancelled. Tests replace it, since native dialogs cannot be clicked.
    std::function<QString(QWidget* parent, const QString& start)> FolderDialog;

    void BitBtn1Click();
    void dePicBrowseClick();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void loadControls();

    TCardDatabase& m_db;
};

} // namespace zandor
