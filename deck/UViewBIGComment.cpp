#include "deck/UViewBIGComment.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace zandor {

TfmRFComent::TfmRFComent(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmRFComent"));
    setWindowTitle(QStringLiteral("Примечание"));

    // The small sans-serif face of the classic dialogs, so that the controls fit their places.
    QFont smallFont(QStringLiteral("Arial"));
    smallFont.setPixelSize(11);
    setFont(smallFont);
    setFixedSize(400, 300);
    auto* title = new QLabel(QStringLiteral("Заголовок"), this);
    title->setGeometry(10, 8, 380, 16);
    edTitle = new QLineEdit(this);
    edTitle->setGeometry(10, 26, 380, 24);
    auto* comment = new QLabel(QStringLiteral("Комментарий"), this);
    comment->setGeometry(10, 58, 380, 16);
    mmComment = new QPlainTextEdit(this);
    mmComment->setGeometry(10, 76, 380, 176);
    bbOk = new QPushButton(QStringLiteral("OK"), this);
    bbOk->setGeometry(230, 264, 75, 25);
    bbCancel = new QPushButton(QStringLiteral("Cancel"), this);
    bbCancel->setGeometry(315, 264, 75, 25);
    connect(bbOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(bbCancel, &QPushButton::clicked, this, &QDialog::reject);
}

} // namespace zandor
