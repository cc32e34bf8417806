// The rulings window: shows the date of the installed rulings summary and of a chosen
// changes-only file, whether the one follows the other, and takes the changes over. It
// owns the lines of the chosen file.
#pragma once

#include "core/UCardDatabase.h"
#include "maint/URulingsUpdate.h"

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QFrame;
class QLabel;
class QPushButton;

namespace zandor {

class TfmAddCardRull : public QDialog {
    Q_OBJECT
public:
    explicit TfmAddCardRull(TCardDatabase& db, QWidget* parent = nullptr);

    QLabel* lbLastU;
    QLabel* rxlLastU;
    QLabel* lbAddU;
    QLabel* rxlAddU;
    QFrame* plInd;
    QLabel* stPath;
    QPushButton* SpeedButton1;
    QPushButton* SpeedButton2;
    QPushButton* BitBtn1;

    // The lines of the chosen changes-only file.
    std::vector<std::string> ChangeLines;
    // Chooses the changes-only file; an empty text when the user cancelled. Tests replace
    // it, since native dialogs cannot be clicked.
    std::function<QString(QWidget* parent)> ChooseFile;

    // The indicator as shown.
    TRulingsIndicator Indicator() const { return m_check.Indicator; }
    // Whether an update changed the installed summary.
    bool Changed() const { return m_changed; }

    void FormShow();
    void SpeedButton1Click();
    void SpeedButton2Click();

    // The indicator's colours.
    static const QColor Green;
    static const QColor Yellow;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setIndicator(TRulingsIndicator indicator);

    TCardDatabase& m_db;
    TRulingsCheck m_check;
    bool m_changed = false;
};

} // namespace zandor
