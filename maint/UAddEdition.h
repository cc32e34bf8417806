// The options dialog of "Add Edition...": the edition's name and key, the text spoiler to
// read (or only the catalogue entry) and the ten labels that introduce a card's fields in
// the spoiler, kept for as long as the program runs.
#pragma once

#include "maint/UEditionLogic.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zandor {

class TfmAddEdition : public QDialog {
    Q_OBJECT
public:
    explicit TfmAddEdition(QWidget* parent = nullptr);

    QLineEdit* edName;
    QLineEdit* edKey;
    QCheckBox* cbText;
    QPushButton* bbPath;
    QLabel* stPath;
    QGroupBox* gbKeys;
    QLineEdit* edTit;
    QLineEdit* edColor;
    QLineEdit* edTip;
    QLineEdit* edCost;
    QLineEdit* edRar;
    QLineEdit* edPT;
    QLineEdit* edText;
    QLineEdit* edFText;
    QLineEdit* edArtist;
    QLineEdit* edNum;
    QPushButton* bbOk;
    QPushButton* bbCancel;

    // The file dialog "odAddEdition": the chosen path, or an empty text when cancelled.
    // Tests replace it, since a native dialog cannot be clicked.
    std::function<QString(QWidget* parent)> ChooseSpoiler;
    // Where the file dialog opens.
    QString StartFolder;

    // What the user asked for; false (after telling the user) when a text holds characters
    // that the card base cannot store.
    bool Request(TAddEditionRequest& request) const;

    void bbPathClick();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace zandor
