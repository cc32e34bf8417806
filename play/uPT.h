// The one-field input box of the play table: a new power/toughness or a counter number.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace zandor {

class TfmPT : public QDialog {
    Q_OBJECT
public:
    explicit TfmPT(QWidget* parent = nullptr);

    QLineEdit* edPT;
    QPushButton* SpeedButton2;

    // Shows the box modally with text in the field and returns what the user left there.
    QString Ask(const QString& text);
};

} // namespace zandor
