#include "maint/UAddCardRull.h"

#include "core/UApplication.h"
#include "widgets/UMessages.h"

#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace zandor {

const QColor TfmAddCardRull::Green(0, 128, 0);
const QColor TfmAddCardRull::Yellow(255, 255, 0);

TfmAddCardRull::TfmAddCardRull(TCardDatabase& db, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      m_db(db) {
    setObjectName(QStringLiteral("fmAddCardRull"));
    setWindowTitle(QStringLiteral("Add Card Rulings Summary"));
    QFont smallFont(QStringLiteral("Arial"));
    smallFont.setPixelSize(11);
    setFont(smallFont);
    setFixedSize(260, 169);

    lbLastU = new QLabel(QStringLiteral("Current updated:"), this);
    lbLastU->setGeometry(8, 8, 90, 18);
    rxlLastU = new QLabel(this);
    rxlLastU->setObjectName(QStringLiteral("rxlLastU"));
    rxlLastU->setGeometry(100, 8, 110, 18);
    lbAddU = new QLabel(QStringLiteral("Add updated:"), this);
    lbAddU->setGeometry(8, 30, 90, 18);
    rxlAddU = new QLabel(this);
    rxlAddU->setObjectName(QStringLiteral("rxlAddU"));
    rxlAddU->setGeometry(100, 30, 110, 18);
    plInd = new QFrame(this);
    plInd->setObjectName(QStringLiteral("plInd"));
    plInd->setFrameStyle(QFrame::Panel | QFrame::Raised);
    plInd->setGeometry(218, 10, 34, 36);
    plInd->setAutoFillBackground(true);
    plInd->setToolTip(QStringLiteral("Зеленый - разница в месяц\nЖелтый - разница больше месяца"));
    stPath = new QLabel(this);
    stPath->setObjectName(QStringLiteral("stPath"));
    stPath->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    stPath->setGeometry(8, 56, 244, 20);
    SpeedButton1 = new QPushButton(QStringLiteral("Путь к рулингам..."), this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setGeometry(8, 84, 120, 25);
    SpeedButton2 = new QPushButton(QStringLiteral("Обновить"), this);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setToolTip(QStringLiteral("Внести изменения"));
    SpeedButton2->setGeometry(132, 84, 120, 25);
    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(93, 136, 75, 25);

    ChooseFile = [this](QWidget* parentWidget) {
        return QFileDialog::getOpenFileName(parentWidget, QStringLiteral("Rulings"),
                                            QString::fromStdString(m_db.ProgramDir),
                                            QStringLiteral("Rulings (*.txt)"));
    };
    connect(SpeedButton1, &QPushButton::clicked, this, &TfmAddCardRull::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TfmAddCardRull::SpeedButton2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    FormShow();
}

void TfmAddCardRull::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TfmAddCardRull::setIndicator(TRulingsIndicator indicator) {
    m_check.Indicator = indicator;
    QPalette palette = plInd->palette();
    const QColor face = QWidget::palette().color(QPalette::Button);
    palette.setColor(QPalette::Window, indicator == TRulingsIndicator::Green    ? Green
                                       : indicator == TRulingsIndicator::Yellow ? Yellow
                                                                                : face);
    plInd->setPalette(palette);
}

void TfmAddCardRull::FormShow() {
    rxlAddU->clear();
    stPath->clear();
    m_check = {};
    m_check.LastUpdated = RulingsSummaryDate(m_db.RuleLines);
    rxlLastU->setText(ToDisplay(m_check.LastUpdated));
    setIndicator(TRulingsIndicator::None);
}

void TfmAddCardRull::SpeedButton1Click() {
    const QString file = ChooseFile ? ChooseFile(this) : QString();
    const std::string path = file.toStdString();
    if (file.isEmpty() || !FileExists(path)) {
        stPath->clear();
        return;
    }
    auto lines = ReadTextLines(path);
    if (!lines) {
        stPath->clear();
        ShowError(this, QStringLiteral("Cannot read the rulings file \"%1\".").arg(file));
        return;
    }
    stPath->setText(file);
    ChangeLines = std::move(*lines);
    m_check = CheckRulingsChanges(ChangeLines, m_check.LastUpdated);
    rxlAddU->setText(ToDisplay(m_check.AddUpdated));
    setIndicator(m_check.Indicator);
}

void TfmAddCardRull::SpeedButton2Click() {
    if (stPath->text().isEmpty() || m_check.AddUpdated.empty() || ChangeLines.empty())
        return;
    const TRulingsUpdateResult result = UpdateRulings(m_db, ChangeLines, m_check);
    if (!result.Error.empty()) {
        ShowError(this, QStringLiteral("The rulings were not changed: %1")
                            .arg(QString::fromStdString(result.Error)));
        return;
    }
    if (!result.Done)
        return;
    m_changed = true;
    // The installed summary now carries the new date; showing it afresh also keeps a
    // second press from overwriting the backup with the updated lines.
    FormShow();
}

} // namespace zandor
