// The comment dialog of the deck editor: one edit box whose text becomes a comment line of
// the deck. It keeps its last text for the next use.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace zandor {

class TfmResult : public QDialog {
    Q_OBJECT
public:
    explicit TfmResult(QWidget* parent = nullptr);

    QLineEdit* edText;
    QPushButton* bbOk;
    QPushButton* bbCancel;

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace zandor
