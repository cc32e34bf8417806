#include "deck/UFindCard.h"

#include "core/UApplication.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zandor {

TfmFindCard::TfmFindCard(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmFindCard"));
    setWindowTitle(QStringLiteral("Find Card"));

    // The small sans-serif face of the classic dialogs, so that the controls fit their places.
    QFont smallFont(QStringLiteral("Arial"));
    smallFont.setPixelSize(11);
    setFont(smallFont);
    setFixedSize(384, 236);

    auto* label = new QLabel(QStringLiteral("Find what:"), this);
    label->setGeometry(10, 10, 200, 16);
    const auto termBox = [this](int y, const char* name) {
        auto* box = new QComboBox(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setGeometry(10, y, 270, 24);
        return box;
    };
    cbFind1 = termBox(28, "cbFind1");
    cbFlag = new QComboBox(this);
    cbFlag->setObjectName(QStringLiteral("cbFlag"));
    cbFlag->addItems({QStringLiteral("AND"), QStringLiteral("OR")});
    cbFlag->setCurrentIndex(0);
    cbFlag->setGeometry(10, 58, 70, 24);
    cbFind2 = termBox(88, "cbFind2");

    auto* fields = new QGroupBox(QStringLiteral("Search in"), this);
    fields->setGeometry(10, 120, 270, 52);
    const auto fieldBox = [fields](const QString& caption, int x, bool on) {
        auto* box = new QCheckBox(caption, fields);
        box->setGeometry(x, 22, 56, 22);
        box->setChecked(on);
        return box;
    };
    cbName = fieldBox(QStringLiteral("Name"), 6, true);
    cbType = fieldBox(QStringLiteral("Type"), 58, true);
    cbText = fieldBox(QStringLiteral("Text"), 110, true);
    cbArtist = fieldBox(QStringLiteral("Artist"), 160, false);
    cbPT = fieldBox(QStringLiteral("P/T"), 220, false);
    cbArtist->setFixedWidth(60);
    cbPT->setFixedWidth(48);

    cbSelectMatch = new QCheckBox(QStringLiteral("Select matching records"), this);
    cbSelectMatch->setObjectName(QStringLiteral("cbSelectMatch"));
    cbSelectMatch->setGeometry(10, 180, 270, 22);
    cbMatchwhole = new QCheckBox(QStringLiteral("Match whole words only"), this);
    cbMatchwhole->setObjectName(QStringLiteral("cbMatchwhole"));
    cbMatchwhole->setGeometry(10, 204, 270, 22);

    bbFind = new QPushButton(QStringLiteral("Find"), this);
    bbFind->setObjectName(QStringLiteral("bbFind"));
    bbFind->setGeometry(294, 28, 80, 28);
    bbFind->setDefault(true);
    bbCancel = new QPushButton(QStringLiteral("Cancel"), this);
    bbCancel->setObjectName(QStringLiteral("bbCancel"));
    bbCancel->setGeometry(294, 64, 80, 28);
    connect(bbFind, &QPushButton::clicked, this, &QDialog::accept);
    connect(bbCancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool TfmFindCard::Options(TFindOptions& options) const {
    TFindOptions o;
    if (!FromDisplay(cbFind1->currentText(), o.Find1) ||
        !FromDisplay(cbFind2->currentText(), o.Find2))
        return false;
    o.Operator = cbFlag->currentIndex() == 1 ? TFindOperator::Or : TFindOperator::And;
    o.Name = cbName->isChecked();
    o.Type = cbType->isChecked();
    o.Text = cbText->isChecked();
    o.Artist = cbArtist->isChecked();
    o.PT = cbPT->isChecked();
    o.SelectMatch = cbSelectMatch->isChecked();
    o.MatchWhole = cbMatchwhole->isChecked();
    options = o;
    return true;
}

QList<QCheckBox*> TfmFindCard::boxes() const {
    return {cbName, cbType, cbText, cbArtist, cbPT, cbSelectMatch, cbMatchwhole};
}

TfmFindCard::TState TfmFindCard::state() const {
    TState s;
    s.Find1 = cbFind1->currentText();
    s.Find2 = cbFind2->currentText();
    s.Flag = cbFlag->currentIndex();
    for (const QCheckBox* box : boxes())
        s.Boxes.push_back(box->isChecked());
    return s;
}

void TfmFindCard::setState(const TState& s) {
    cbFind1->setEditText(s.Find1);
    cbFind2->setEditText(s.Find2);
    cbFlag->setCurrentIndex(s.Flag);
    const QList<QCheckBox*> all = boxes();
    for (qsizetype i = 0; i < all.size() && i < s.Boxes.size(); ++i)
        all[i]->setChecked(s.Boxes[i]);
}

void TfmFindCard::showEvent(QShowEvent* event) {
    m_shown = state();
    QDialog::showEvent(event);
}

void TfmFindCard::reject() {
    setState(m_shown);
    QDialog::reject();
}

void TfmFindCard::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && HasShell()) {
        Shell().OpenHelp(this);
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace zandor
