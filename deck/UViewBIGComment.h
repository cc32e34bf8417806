// The note window of the deck editor: a title and a comment under their Russian headings,
// with OK and Cancel. Nothing fills it or reads it back yet.
#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zandor {

class TfmRFComent : public QDialog {
    Q_OBJECT
public:
    explicit TfmRFComent(QWidget* parent = nullptr);

    QLineEdit* edTitle;
    QPlainTextEdit* mmComment;
    QPushButton* bbOk;
    QPushButton* bbCancel;
};

} // namespace zandor
