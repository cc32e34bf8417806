#include "play/uPT.h"

#include <QLineEdit>
#include <QPushButton>

namespace zandor {

TfmPT::TfmPT(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("fmPT"));
    setWindowTitle(QStringLiteral("Change"));
    setFixedSize(137, 86);
    edPT = new QLineEdit(QStringLiteral("2/3"), this);
    edPT->setObjectName(QStringLiteral("edPT"));
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(13);
    font.setBold(true);
    edPT->setFont(font);
    edPT->setGeometry(12, 12, 113, 24);
    SpeedButton2 = new QPushButton(QStringLiteral("OK"), this);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setGeometry(36, 48, 65, 25);
    SpeedButton2->setDefault(true);
    connect(SpeedButton2, &QPushButton::clicked, this, &QDialog::accept);
}

QString TfmPT::Ask(const QString& text) {
    edPT->setText(text);
    edPT->selectAll();
    edPT->setFocus();
    exec();
    return edPT->text();
}

} // namespace zandor
