#include "deck/UResult.h"

#include <QLineEdit>
#include <QPushButton>

namespace zandor {

TfmResult::TfmResult(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmResult"));
    setWindowTitle(QStringLiteral("Add comment..."));

    // The small sans-serif face of the classic dialogs, so that the controls fit their places.
    QFont smallFont(QStringLiteral("Arial"));
    smallFont.setPixelSize(11);
    setFont(smallFont);
    setFixedSize(320, 88);
    edText = new QLineEdit(this);
    edText->setObjectName(QStringLiteral("edText"));
    edText->setGeometry(10, 12, 300, 24);
    bbOk = new QPushButton(QStringLiteral("OK"), this);
    bbOk->setGeometry(148, 50, 75, 25);
    bbOk->setDefault(true);
    bbCancel = new QPushButton(QStringLiteral("Cancel"), this);
    bbCancel->setGeometry(234, 50, 75, 25);
    connect(bbOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(bbCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfmResult::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    edText->setFocus();
    edText->selectAll();
}

} // namespace zandor
