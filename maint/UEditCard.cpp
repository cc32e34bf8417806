#include "maint/UEditCard.h"

#include "core/UApplication.h"
#include "deck/UBaseList.h"
#include "widgets/UMessages.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace zandor {

TfmEditCard::TfmEditCard(TCardDatabase& db, QWidget* parent) : QDialog(parent), m_db(db) {
    setObjectName(QStringLiteral("fmEditCard"));
    setWindowTitle(QStringLiteral("Edit Card"));
    QFont smallFont(QStringLiteral("Arial"));
    smallFont.setPixelSize(11);
    setFont(smallFont);
    setFixedSize(420, 430);

    int y = 8;
    const auto row = [this, &y](const QString& caption, const char* name, int height = 22) {
        auto* label = new QLabel(caption, this);
        label->setGeometry(8, y + 3, 52, 16);
        QWidget* box = height == 22 ? static_cast<QWidget*>(new QLineEdit(this))
                                    : static_cast<QWidget*>(new QPlainTextEdit(this));
        box->setObjectName(QString::fromLatin1(name));
        box->setGeometry(62, y, 350, height);
        label->setBuddy(box);
        y += height + 5;
        return box;
    };
    edName = static_cast<QLineEdit*>(row(QStringLiteral("Name:"), "edName"));
    edColor = static_cast<QLineEdit*>(row(QStringLiteral("Color:"), "edColor"));
    edRarity = static_cast<QLineEdit*>(row(QStringLiteral("Rarity:"), "edRarity"));
    edType = static_cast<QLineEdit*>(row(QStringLiteral("Type:"), "edType"));
    edCost = static_cast<QLineEdit*>(row(QStringLiteral("Cost:"), "edCost"));
    edPT = static_cast<QLineEdit*>(row(QStringLiteral("P/T:"), "edPT"));
    edEdition = static_cast<QLineEdit*>(row(QStringLiteral("Edition:"), "edEdition"));
    edArtist = static_cast<QLineEdit*>(row(QStringLiteral("Artist:"), "edArtist"));
    mmText = static_cast<QPlainTextEdit*>(row(QStringLiteral("Text:"), "mmText", 60));
    mmFlavor = static_cast<QPlainTextEdit*>(row(QStringLiteral("Flavor:"), "mmFlavor", 40));
    edValue = static_cast<QLineEdit*>(row(QStringLiteral("Value:"), "edValue"));
    edMana = static_cast<QLineEdit*>(row(QStringLiteral("Mana:"), "edMana"));
    edSeq = static_cast<QLineEdit*>(row(QStringLiteral("Seq:"), "edSeq"));
    edPrAbill = static_cast<QLineEdit*>(row(QStringLiteral("Prog:"), "edPrAbill"));
    mmText->setTabChangesFocus(true);
    mmFlavor->setTabChangesFocus(true);

    bbOk = new QPushButton(QStringLiteral("OK"), this);
    bbOk->setObjectName(QStringLiteral("bbOk"));
    bbOk->setGeometry(252, y + 4, 75, 25);
    bbOk->setDefault(true);
    bbCancel = new QPushButton(QStringLiteral("Cancel"), this);
    bbCancel->setObjectName(QStringLiteral("bbCancel"));
    bbCancel->setGeometry(337, y + 4, 75, 25);
    setFixedSize(420, y + 38);
    connect(bbOk, &QPushButton::clicked, this, &TfmEditCard::bbOkClick);
    connect(bbCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfmEditCard::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && HasShell()) {
        Shell().OpenHelp(this);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfmEditCard::Fill(const TZandorCard& card) {
    const TCardEditInput input = EditInputOf(card);
    const std::pair<QLineEdit*, const std::string*> boxes[] = {
        {edName, &input.Name},       {edColor, &input.Color},   {edRarity, &input.Rarity},
        {edType, &input.CardType},   {edCost, &input.Cost},     {edPT, &input.PT},
        {edEdition, &input.Edition}, {edArtist, &input.Artist}, {edValue, &input.Value},
        {edMana, &input.Mana},       {edSeq, &input.Seq},       {edPrAbill, &input.Program}};
    for (const auto& [box, text] : boxes)
        box->setText(ToDisplay(*text));
    mmText->setPlainText(ToDisplay(card.Text));
    mmFlavor->setPlainText(ToDisplay(card.Flavor));
}

bool TfmEditCard::Read(TCardEditInput& input) const {
    const std::pair<QLineEdit*, std::string*> boxes[] = {
        {edName, &input.Name},       {edColor, &input.Color},   {edRarity, &input.Rarity},
        {edType, &input.CardType},   {edCost, &input.Cost},     {edPT, &input.PT},
        {edEdition, &input.Edition}, {edArtist, &input.Artist}, {edValue, &input.Value},
        {edMana, &input.Mana},       {edSeq, &input.Seq},       {edPrAbill, &input.Program}};
    for (const auto& [box, text] : boxes)
        if (!FromDisplay(box->text(), *text))
            return false;
    const std::pair<QPlainTextEdit*, std::vector<std::string>*> memos[] = {
        {mmText, &input.Text}, {mmFlavor, &input.Flavor}};
    for (const auto& [memo, lines] : memos) {
        lines->clear();
        for (const QString& line : memo->toPlainText().split(QLatin1Char('\n'))) {
            std::string stored;
            if (!FromDisplay(line, stored))
                return false;
            lines->push_back(std::move(stored));
        }
    }
    return true;
}

void TfmEditCard::bbOkClick() {
    TCardEditInput input;
    if (!Read(input)) {
        ShowError(this, QStringLiteral("A field holds characters that the card base cannot store "
                                       "(its text is Windows-1252)."));
        return;
    }
    accept();
}

std::optional<std::string> TfmEditCard::EditBaseLine(const std::string& baseLine) {
    const TZandorCard card = CardToEdit(m_db, baseLine);
    if (IsNotFound(card))
        return std::nullopt;
    Fill(card);
    // The card is found again by the name and edition it had before the edit.
    const std::string oldName = card.Name;
    const std::string oldEdition = card.Edition;
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    TCardEditInput input;
    Read(input);
    const TZandorCard edited = EditedCard(input);
    const TMaintResult result = SaveEditedCard(m_db, oldName, oldEdition, edited);
    if (!result.Ok) {
        ShowError(this, QString::fromStdString(result.Error));
        return std::nullopt;
    }
    return BaseLine(edited);
}

} // namespace zandor
