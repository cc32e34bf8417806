#include "maint/UEditionED.h"

#include "core/UApplication.h"
#include "maint/UAddEdition.h"
#include "widgets/UMessages.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>

namespace zandor {

namespace {

QString countText(std::string_view prefix, int count) {
    return QString::fromUtf8(prefix.data(), static_cast<int>(prefix.size())) +
           QString::number(count) +
           QString::fromUtf8(maint::CardsSuffix.data(),
                             static_cast<int>(maint::CardsSuffix.size()));
}

} // namespace

TfmEditionED::TfmEditionED(TCardDatabase& db, QWidget* parent) : QDialog(parent), m_db(db) {
    setObjectName(QStringLiteral("fmEditionED"));
    setWindowTitle(QStringLiteral("Edit Edition"));
    QFont smallFont(QStringLiteral("Arial"));
    smallFont.setPixelSize(11);
    setFont(smallFont);
    setFixedSize(294, 282);

    gbEdition = new QGroupBox(QStringLiteral("Edition"), this);
    gbEdition->setGeometry(6, 4, 193, 272);
    lbEditionED = new QListWidget(gbEdition);
    lbEditionED->setObjectName(QStringLiteral("lbEditionED"));
    lbEditionED->setGeometry(8, 18, 177, 246);
    QFont listFont(QStringLiteral("Courier New"));
    listFont.setPointSize(8);
    lbEditionED->setFont(listFont);

    const auto button = [this](const QString& text, const char* name, int y) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(206, y, 82, 25);
        return b;
    };
    bbAddEdition = button(QStringLiteral("Add Edition..."), "bbAddEdition", 22);
    bbDeleteEdition = button(QStringLiteral("Delete Edition..."), "bbDeleteEdition", 54);
    bbOkEdition = button(QStringLiteral("OK"), "bbOkEdition", 246);
    connect(bbAddEdition, &QPushButton::clicked, this, &TfmEditionED::bbAddEditionClick);
    connect(bbDeleteEdition, &QPushButton::clicked, this, &TfmEditionED::bbDeleteEditionClick);
    connect(bbOkEdition, &QPushButton::clicked, this, &QDialog::accept);

    fmAddEdition = new TfmAddEdition(this);
    fmAddEdition->StartFolder = QString::fromStdString(db.DataDir);
}

void TfmEditionED::showEvent(QShowEvent* event) {
    RefreshEditionList();
    QDialog::showEvent(event);
}

void TfmEditionED::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        RefreshEditionList();
    QDialog::changeEvent(event);
}

void TfmEditionED::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && HasShell()) {
        Shell().OpenHelp(this);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfmEditionED::RefreshEditionList() {
    const int row = lbEditionED->currentRow();
    lbEditionED->clear();
    for (const std::string& line : EditionListLines(m_db.Settings))
        lbEditionED->addItem(ToDisplay(line));
    if (row >= 0 && row < lbEditionED->count())
        lbEditionED->setCurrentRow(row, QItemSelectionModel::NoUpdate);
}

void TfmEditionED::bbAddEditionClick() {
    if (fmAddEdition->exec() != QDialog::Accepted)
        return;
    TAddEditionRequest request;
    if (!fmAddEdition->Request(request))
        return;
    const TMaintResult result = AddEdition(m_db, request);
    if (!result.Ok) {
        ShowError(this, QString::fromStdString(result.Error));
        return;
    }
    RefreshEditionList();
    if (BaseChanged)
        BaseChanged();
    if (!request.OnlyCatalogue)
        ShowResult(this, countText(maint::AddedPrefix, result.Count));
}

void TfmEditionED::bbDeleteEditionClick() {
    QListWidgetItem* item = lbEditionED->currentItem();
    if (!item || !item->isSelected())
        return;
    std::string line;
    FromDisplay(item->text(), line);
    const std::string key = EditionKeyOfListLine(line);
    if (!AskYesNo(
            this, AttentionCaption,
            QString::fromUtf8(maint::AskDelete.data(), static_cast<int>(maint::AskDelete.size())) +
                ToDisplay(key),
            false, TMessageKind::Information))
        return;
    const TMaintResult result = DeleteEdition(m_db, key);
    if (!result.Ok) {
        ShowError(this, QString::fromStdString(result.Error));
        return;
    }
    RefreshEditionList();
    if (BaseChanged)
        BaseChanged();
    ShowResult(this, countText(maint::DeletedPrefix, result.Count));
}

} // namespace zandor
