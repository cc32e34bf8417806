#include "maint/UAddPrice.h"

#include "core/UApplication.h"
#include "core/USettings.h"
#include "maint/UPriceDownload.h"
#include "widgets/UMessages.h"

#include <QFileDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace zandor {

namespace {

QString updatedText(std::size_t n) {
    return QStringLiteral("Обновлено: %1 карт").arg(n);
}
QString notFoundText(std::size_t n) {
    return QStringLiteral("Не найдено в базе: %1 карт").arg(n);
}

// The window repaints at most this often while a price list runs.
constexpr qint64 RepaintPauseMs = 30;

QLabel* titleBar(const QString& text, QWidget* parent, const char* name) {
    auto* bar = new QLabel(text, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar->setAlignment(Qt::AlignCenter);
    QFont bold = bar->font();
    bold.setBold(true);
    bar->setFont(bold);
    return bar;
}

} // namespace

TfmAddPrice::TfmAddPrice(TCardDatabase& db, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      m_db(db), m_download(new TPriceDownload(this)) {
    setObjectName(QStringLiteral("fmAddPrice"));
    setWindowTitle(QStringLiteral("Обновление прайс листа"));
    QFont smallFont(QStringLiteral("Arial"));
    smallFont.setPixelSize(11);
    setFont(smallFont);
    setFixedSize(438, 201);

    plNum = titleBar(updatedText(0), this, "plNum");
    plNum->setGeometry(0, 0, 438, 22);
    stNameCard = new QLabel(this);
    stNameCard->setObjectName(QStringLiteral("stNameCard"));
    stNameCard->setGeometry(8, 26, 422, 18);
    lbDataCaption = new QLabel(QStringLiteral("Последнее обновление от:"), this);
    lbDataCaption->setGeometry(8, 48, 160, 18);
    lbData = new QLabel(ToDisplay(LastPriceDate(db)), this);
    lbData->setObjectName(QStringLiteral("lbData"));
    lbData->setGeometry(170, 48, 120, 18);
    BitBtn3 = new QPushButton(QStringLiteral("Добавить"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setGeometry(8, 72, 110, 25);
    BitBtn4 = new QPushButton(QStringLiteral("Обновить через интернет"), this);
    BitBtn4->setObjectName(QStringLiteral("BitBtn4"));
    BitBtn4->setGeometry(124, 72, 200, 25);
    bbCancel = new QPushButton(QStringLiteral("Cancel"), this);
    bbCancel->setObjectName(QStringLiteral("bbCancel"));
    bbCancel->setGeometry(330, 72, 100, 25);
    bbCancel->setEnabled(false);
    plNoNum = titleBar(notFoundText(0), this, "plNoNum");
    plNoNum->setGeometry(0, 104, 438, 22);
    mmNotF = new QPlainTextEdit(this);
    mmNotF->setObjectName(QStringLiteral("mmNotF"));
    mmNotF->setReadOnly(true);
    mmNotF->setGeometry(8, 130, 340, 64);
    BitBtn2 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(356, 169, 75, 25);

    ChooseFile = [this](QWidget* parentWidget) {
        return QFileDialog::getOpenFileName(parentWidget, QStringLiteral("Price"),
                                            QString::fromStdString(m_db.ProgramDir),
                                            QStringLiteral("Price (*.txt)"));
    };

    connect(BitBtn3, &QPushButton::clicked, this, &TfmAddPrice::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TfmAddPrice::BitBtn4Click);
    connect(bbCancel, &QPushButton::clicked, m_download, &TPriceDownload::Cancel);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_download, &TPriceDownload::StatusText, this, &TfmAddPrice::HTTPPriceStatus);
    connect(m_download, &TPriceDownload::Received, this, &TfmAddPrice::HTTPPriceWork);
}

TfmAddPrice::~TfmAddPrice() = default;

void TfmAddPrice::reject() {
    // Closing while the list downloads ends the download first.
    if (m_busy) {
        m_download->Cancel();
        return;
    }
    QDialog::reject();
}

void TfmAddPrice::setBusy(bool busy) {
    m_busy = busy;
    BitBtn3->setEnabled(!busy);
    BitBtn4->setEnabled(!busy);
    BitBtn2->setEnabled(!busy);
    bbCancel->setEnabled(busy);
}

void TfmAddPrice::HTTPPriceStatus(const QString& text) {
    stNameCard->setText(text);
}

void TfmAddPrice::HTTPPriceWork(qint64 bytes) {
    stNameCard->setText(QStringLiteral("Receiving: %1").arg(bytes));
}

void TfmAddPrice::BitBtn3Click() {
    const QString file = ChooseFile ? ChooseFile(this) : QString();
    if (file.isEmpty())
        return;
    const std::string path = file.toStdString();
    auto lines = ReadTextLines(path);
    if (!lines) {
        ShowError(this, QStringLiteral("Cannot read the price list \"%1\".").arg(file));
        return;
    }
    PriceLines = std::move(*lines);
    applyPrices();
}

void TfmAddPrice::BitBtn4Click() {
    const std::string host = m_db.Settings.ReadString(ini::Update, PriceHostKey, "");
    const std::string url = PriceListUrl(host);
    if (url.empty()) {
        ShowError(this, QStringLiteral("No price list server is set. Write its address, for "
                                       "example PriceHost=http://prices.example.org:8080, in "
                                       "section [Update] of %1.")
                            .arg(QString::fromStdString(m_db.Settings.FileName())));
        return;
    }
    setBusy(true);
    const TDownloadResult result = m_download->Get(QUrl(QString::fromStdString(url)));
    setBusy(false);
    if (!result.Ok) {
        if (result.Cancelled) {
            stNameCard->setText(QStringLiteral("Cancelled"));
            return;
        }
        stNameCard->clear();
        ShowError(this, result.Error);
        return;
    }
    std::vector<std::string> lines;
    SplitLines(result.Body, lines);
    if (const TWriteResult saved = SaveDownloadedPrices(m_db, lines); !saved.Ok) {
        ShowError(this, QString::fromStdString(saved.Error));
        return;
    }
    PriceLines = std::move(lines);
    applyPrices();
}

void TfmAddPrice::showCounts(std::size_t updated, std::size_t notFound) {
    plNum->setText(updatedText(updated));
    plNoNum->setText(notFoundText(notFound));
}

void TfmAddPrice::applyPrices() {
    const QString updatedBefore = plNum->text();
    const QString notFoundBefore = plNoNum->text();
    const std::size_t listed = m_listed;
    m_sinceRepaint.start();
    TPriceProgress progress;
    progress.Entry = [&](const std::string& name, std::size_t updated, std::size_t notFound) {
        if (m_sinceRepaint.elapsed() < RepaintPauseMs)
            return;
        stNameCard->setText(ToDisplay(name));
        showCounts(updated, listed + notFound);
        repaint();
        m_sinceRepaint.restart();
    };
    const TPriceRun run = ApplyPrices(m_db, PriceLines, Today(), progress);
    if (!run.Ok) {
        plNum->setText(updatedBefore);
        plNoNum->setText(notFoundBefore);
        stNameCard->clear();
        ShowError(this, QStringLiteral("The card list was not changed: %1")
                            .arg(QString::fromStdString(run.Error)));
        return;
    }
    for (const std::string& name : run.NotFound)
        mmNotF->appendPlainText(ToDisplay(name));
    m_listed = listed + run.NotFound.size();
    showCounts(run.Updated, listed + run.NotFound.size());
    lbData->setText(ToDisplay(run.Date));
    stNameCard->setText(QStringLiteral("Completed"));
    m_changed = true;
}

} // namespace zandor
