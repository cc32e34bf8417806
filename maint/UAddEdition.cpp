#include "maint/UAddEdition.h"

#include "core/UApplication.h"
#include "widgets/UMessages.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zandor {

TfmAddEdition::TfmAddEdition(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmAddEdition"));
    setWindowTitle(QStringLiteral("Добавление редакции"));
    QFont smallFont(QStringLiteral("Arial"));
    smallFont.setPixelSize(11);
    setFont(smallFont);
    setFixedSize(360, 388);

    const auto label = [this](QWidget* owner, const QString& text, QRect place) {
        auto* l = new QLabel(text, owner);
        l->setGeometry(place);
        return l;
    };
    const auto edit = [](QWidget* owner, const char* name, QRect place) {
        auto* e = new QLineEdit(owner);
        e->setObjectName(QString::fromLatin1(name));
        e->setGeometry(place);
        return e;
    };
    label(this, QStringLiteral("Имя редакции:"), {10, 12, 100, 16});
    edName = edit(this, "edName", {112, 8, 238, 22});
    label(this, QStringLiteral("Ключ редакции:"), {10, 40, 100, 16});
    edKey = edit(this, "edKey", {112, 36, 60, 22});
    cbText = new QCheckBox(QStringLiteral("Добавлять только Название и Ключ Редакции"), this);
    cbText->setObjectName(QStringLiteral("cbText"));
    cbText->setGeometry(10, 64, 340, 20);
    label(this, QStringLiteral("Путь к текстовому Spoiler'у ..."), {10, 90, 340, 16});
    bbPath = new QPushButton(QStringLiteral("..."), this);
    bbPath->setObjectName(QStringLiteral("bbPath"));
    bbPath->setGeometry(10, 108, 28, 24);
    stPath = new QLabel(this);
    stPath->setObjectName(QStringLiteral("stPath"));
    stPath->setGeometry(44, 108, 306, 24);
    stPath->setFrameShape(QFrame::StyledPanel);
    stPath->setTextInteractionFlags(Qt::TextSelectableByMouse);

    gbKeys = new QGroupBox(QStringLiteral("Ключевые поля карты"), this);
    gbKeys->setGeometry(10, 140, 340, 200);
    const TSpoilerKeys defaults;
    const struct {
        QLineEdit** box;
        const char* name;
        const char* caption;
        const std::string* key;
    } fields[] = {
        {&edTit, "edTit", "Имя:", &defaults.Name},
        {&edColor, "edColor", "Цвет:", &defaults.Color},
        {&edTip, "edTip", "Тип:", &defaults.CardType},
        {&edCost, "edCost", "Стоимость:", &defaults.Cost},
        {&edRar, "edRar", "Редкость:", &defaults.Rarity},
        {&edPT, "edPT", "Атака/Защита:", &defaults.PT},
        {&edText, "edText", "Текст:", &defaults.Text},
        {&edFText, "edFText", "Литер. Текст:", &defaults.Flavor},
        {&edArtist, "edArtist", "Художник:", &defaults.Artist},
        {&edNum, "edNum", "Номер карты:", &defaults.Seq},
    };
    for (int i = 0; i < 10; ++i) {
        const int x = i < 5 ? 8 : 172;
        const int y = 24 + (i % 5) * 34;
        label(gbKeys, QString::fromUtf8(fields[i].caption), {x, y + 3, 80, 16});
        *fields[i].box = edit(gbKeys, fields[i].name, {x + 80, y, 78, 22});
        (*fields[i].box)->setText(QString::fromStdString(*fields[i].key));
    }

    bbOk = new QPushButton(QStringLiteral("Добавить"), this);
    bbOk->setObjectName(QStringLiteral("bbOk"));
    bbOk->setGeometry(180, 352, 80, 25);
    bbOk->setDefault(true);
    bbCancel = new QPushButton(QStringLiteral("Отмена"), this);
    bbCancel->setObjectName(QStringLiteral("bbCancel"));
    bbCancel->setGeometry(270, 352, 80, 25);
    connect(bbOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(bbCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(bbPath, &QPushButton::clicked, this, &TfmAddEdition::bbPathClick);

    ChooseSpoiler = [this](QWidget* owner) {
        return QFileDialog::getOpenFileName(owner,
                                            QStringLiteral("Путь к текстовому Spoiler'у ..."),
                                            StartFolder, QStringLiteral("Text Edition (*.txt)"));
    };
}

void TfmAddEdition::showEvent(QShowEvent* event) {
    // Every showing starts with a new edition; the field keys stay as the user left them.
    edName->clear();
    edKey->clear();
    stPath->clear();
    edName->setFocus();
    QDialog::showEvent(event);
}

void TfmAddEdition::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && HasShell()) {
        Shell().OpenHelp(this);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfmAddEdition::bbPathClick() {
    const QString chosen = ChooseSpoiler ? ChooseSpoiler(this) : QString();
    stPath->setText(!chosen.isEmpty() && QFileInfo(chosen).isFile() ? chosen : QString());
}

bool TfmAddEdition::Request(TAddEditionRequest& request) const {
    const std::pair<QLineEdit*, std::string*> texts[] = {
        {edName, &request.Name},          {edKey, &request.Key},
        {edTit, &request.Keys.Name},      {edColor, &request.Keys.Color},
        {edTip, &request.Keys.CardType},  {edCost, &request.Keys.Cost},
        {edRar, &request.Keys.Rarity},    {edPT, &request.Keys.PT},
        {edText, &request.Keys.Text},     {edFText, &request.Keys.Flavor},
        {edArtist, &request.Keys.Artist}, {edNum, &request.Keys.Seq}};
    for (const auto& [box, text] : texts) {
        if (!FromDisplay(box->text(), *text)) {
            ShowError(const_cast<TfmAddEdition*>(this),
                      QStringLiteral("\"%1\" holds characters that the card base cannot store "
                                     "(its text is Windows-1252).")
                          .arg(box->text()));
            return false;
        }
    }
    request.SpoilerPath = stPath->text().toStdString();
    request.OnlyCatalogue = cbText->isChecked();
    return true;
}

} // namespace zandor
