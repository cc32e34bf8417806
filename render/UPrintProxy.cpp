#include "render/UPrintProxy.h"

#include "core/UApplication.h"
#include "render/UProxyFace.h"
#include "widgets/UMessages.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPrintDialog>
#include <QProgressDialog>
#include <QPushButton>
#include <QStyledItemDelegate>

namespace zandor {

namespace {

const QString windowCaption = QStringLiteral("Print Proxy Card");
constexpr int baseWidth = 500;
constexpr int windowHeight = 340;
constexpr int previewPane = 236;

// Items in "Courier New", 2 pixels from the left; the selected one white on the highlight
// colour only while the list has the focus or holds a single item.
class TProxyItemDelegate : public QStyledItemDelegate {
public:
    explicit TProxyItemDelegate(QListWidget* list) : QStyledItemDelegate(list), m_list(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool marked =
            (option.state & QStyle::State_Selected) && (m_list->hasFocus() || m_list->count() == 1);
        const QPalette& colours = m_list->palette();
        painter->save();
        painter->fillRect(option.rect, marked ? colours.color(QPalette::Active, QPalette::Highlight)
                                              : colours.color(QPalette::Base));
        painter->setPen(marked ? QColor(Qt::white) : colours.color(QPalette::Text));
        painter->setFont(m_list->font());
        painter->drawText(option.rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          index.data().toString());
        painter->restore();
    }

private:
    QListWidget* m_list;
};

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QRect& at) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(at);
    b->setAutoDefault(false);
    return b;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, const QRect& at) {
    auto* b = new QCheckBox(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(at);
    return b;
}

} // namespace

TfmPrintProxy::TfmPrintProxy(TCardDatabase& db, QWidget* parent)
    : QDialog(parent), m_db(db), m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setObjectName(QStringLiteral("fmPrintProxy"));
    setWindowTitle(windowCaption);
    m_printer->setDocName(QString::fromLatin1(ProxyJobTitle));
    // A printer that writes a file has no resolution of its own worth 1200 pixels a card inch.
    if (m_printer->outputFormat() == QPrinter::PdfFormat)
        m_printer->setResolution(PdfResolution);

    gbProxy = new QGroupBox(QStringLiteral(" Proxies to Print "), this);
    gbProxy->setObjectName(QStringLiteral("gbProxy"));
    gbProxy->setGeometry(6, 4, 250, 326);
    lbProxy = new QListWidget(gbProxy);
    lbProxy->setObjectName(QStringLiteral("lbProxy"));
    lbProxy->setGeometry(8, 20, 234, 298);
    QFont courier(QStringLiteral("Courier New"));
    courier.setPointSize(9);
    lbProxy->setFont(courier);
    lbProxy->setItemDelegate(new TProxyItemDelegate(lbProxy));

    const int x = 264;
    SpeedButton3 = button(this, "SpeedButton3", QStringLiteral("Duplicate"), {x, 10, 72, 26});
    sbDelete = button(this, "sbDelete", QStringLiteral("Delete"), {x + 78, 10, 72, 26});
    SpeedButton2 = button(this, "SpeedButton2", QStringLiteral("View Card"), {x, 40, 150, 26});
    SpeedButton2->setCheckable(true);
    UTempPic =
        checkBox(this, "UTempPic", QStringLiteral("Художественная картинка"), {x, 76, 230, 20});
    UOsn = checkBox(this, "UOsn", QStringLiteral("Основа карты"), {x, 98, 230, 20});
    UBord = checkBox(this, "UBord", QStringLiteral("Черный бордюр"), {x, 120, 230, 20});
    U5mm = checkBox(this, "U5mm", QStringLiteral("Пространство между проксями"), {x, 142, 230, 20});
    lbNumCardCaption = new QLabel(QStringLiteral("Количество карт\n   на странице:"), this);
    lbNumCardCaption->setObjectName(QStringLiteral("lbNumCardCaption"));
    lbNumCardCaption->setGeometry(x, 180, 110, 34);
    lbNumCard = new QLabel(QStringLiteral("9"), this);
    lbNumCard->setObjectName(QStringLiteral("lbNumCard"));
    lbNumCard->setGeometry(x + 114, 180, 36, 34);
    SpeedButton4 = button(this, "SpeedButton4", QStringLiteral("Printer setup"), {x, 220, 150, 26});
    sbSavePdf = button(this, "sbSavePdf", QStringLiteral("Save as PDF..."), {x, 250, 150, 26});
    SpeedButton1 = button(this, "SpeedButton1", QStringLiteral("Continue"), {x, 300, 72, 26});
    sbPrintProxy = button(this, "sbPrintProxy", QStringLiteral("Print"), {x + 78, 300, 72, 26});

    plPreview = new QFrame(this);
    plPreview->setObjectName(QStringLiteral("plPreview"));
    plPreview->setGeometry(baseWidth, 0, previewPane, windowHeight);
    imViewPrintPic = new QLabel(plPreview);
    imViewPrintPic->setObjectName(QStringLiteral("imViewPrintPic"));
    imViewPrintPic->setGeometry(3, 10, 230, 320);
    plPreview->hide();
    fitWidth();

    PrinterSetupDialog = [](QPrinter& printer, QWidget* parent) {
        QPrintDialog dialog(&printer, parent);
        dialog.setWindowTitle(QStringLiteral("Printer setup"));
        return dialog.exec() == QDialog::Accepted;
    };
    PdfFileDialog = [](QWidget* parent) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Save as PDF"), QString(),
                                            QStringLiteral("PDF files (*.pdf)"));
    };

    connect(SpeedButton3, &QPushButton::clicked, this, &TfmPrintProxy::SpeedButton3Click);
    connect(sbDelete, &QPushButton::clicked, this, &TfmPrintProxy::sbDeleteClick);
    connect(SpeedButton2, &QPushButton::clicked, this, &TfmPrintProxy::SpeedButton2Click);
    connect(SpeedButton4, &QPushButton::clicked, this, &TfmPrintProxy::SpeedButton4Click);
    connect(SpeedButton1, &QPushButton::clicked, this, &TfmPrintProxy::SpeedButton1Click);
    connect(sbPrintProxy, &QPushButton::clicked, this, &TfmPrintProxy::sbPrintProxyClick);
    connect(sbSavePdf, &QPushButton::clicked, this, &TfmPrintProxy::sbSavePdfClick);
    connect(lbProxy, &QListWidget::itemClicked, this, [this] { lbProxyClick(); });
    connect(lbProxy, &QListWidget::currentRowChanged, this,
            [this] { lbProxy->viewport()->update(); });
    for (QCheckBox* box : {UTempPic, UOsn, UBord})
        connect(box, &QCheckBox::clicked, this, &TfmPrintProxy::DrawPreview);
    connect(U5mm, &QCheckBox::clicked, this, &TfmPrintProxy::U5mmClick);
    loadBoxes();
}

TfmPrintProxy::~TfmPrintProxy() = default;

std::vector<std::string> TfmPrintProxy::ProxyList() const {
    std::vector<std::string> list;
    list.reserve(static_cast<std::size_t>(lbProxy->count()));
    for (int i = 0; i < lbProxy->count(); ++i) {
        std::string line;
        FromDisplay(lbProxy->item(i)->text(), line);
        list.push_back(std::move(line));
    }
    return list;
}

void TfmPrintProxy::AddToProxyList(const std::string& baseLine) {
    lbProxy->addItem(ToDisplay(baseLine));
}

void TfmPrintProxy::loadBoxes() {
    UTempPic->setChecked(m_db.ProgramOptions.UseTempPic);
    UOsn->setChecked(m_db.ProgramOptions.UseOsn);
    UBord->setChecked(m_db.ProgramOptions.UseBord);
    U5mm->setChecked(m_db.ProgramOptions.Use5MM);
}

bool TfmPrintProxy::saveBoxes() {
    m_db.ProgramOptions.UseTempPic = UTempPic->isChecked();
    m_db.ProgramOptions.UseOsn = UOsn->isChecked();
    m_db.ProgramOptions.UseBord = UBord->isChecked();
    m_db.ProgramOptions.Use5MM = U5mm->isChecked();
    const TWriteResult saved = SaveOptions(m_db.Settings, m_db.ProgramOptions);
    if (!saved.Ok)
        ShowError(this, ToDisplay(saved.Error));
    return saved.Ok;
}

TProxyJobOptions TfmPrintProxy::boxOptions() const {
    TProxyJobOptions options;
    options.Art = UTempPic->isChecked();
    options.Base = UOsn->isChecked();
    options.Border = UBord->isChecked();
    options.Gap = U5mm->isChecked();
    return options;
}

void TfmPrintProxy::showEvent(QShowEvent* event) {
    loadBoxes();
    QDialog::showEvent(event);
}

void TfmPrintProxy::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && HasShell()) {
        Shell().OpenHelp(this);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfmPrintProxy::fitWidth() {
    setFixedSize(baseWidth + (plPreview->isVisible() ? previewPane : 0), windowHeight);
}

void TfmPrintProxy::SpeedButton3Click() {
    const int row = lbProxy->currentRow();
    QListWidgetItem* current = lbProxy->currentItem();
    if (row < 0 || !current || !current->isSelected())
        return;
    lbProxy->insertItem(row + 1, current->text());
    // The copy stays selected, as the item it was made from was.
    lbProxy->setCurrentRow(row + 1);
}

void TfmPrintProxy::sbDeleteClick() {
    const int row = lbProxy->currentRow();
    QListWidgetItem* current = lbProxy->currentItem();
    if (row < 0 || !current || !current->isSelected())
        return;
    delete lbProxy->takeItem(row);
}

void TfmPrintProxy::SpeedButton2Click() {
    const bool show = !plPreview->isVisible();
    plPreview->setVisible(show);
    SpeedButton2->setChecked(show);
    fitWidth();
    if (show)
        DrawPreview();
}

void TfmPrintProxy::SpeedButton4Click() {
    if (PrinterSetupDialog)
        PrinterSetupDialog(*m_printer, this);
    CountCardsPerPage();
}

void TfmPrintProxy::U5mmClick() {
    CountCardsPerPage();
}

void TfmPrintProxy::CountCardsPerPage() {
    const int n = CardsPerPage(m_printer->logicalDpiX(), m_printer->logicalDpiY(),
                               U5mm->isChecked(), m_printer->width(), m_printer->height());
    lbNumCard->setText(QString::number(n));
}

void TfmPrintProxy::lbProxyClick() {
    if (plPreview->isVisible())
        DrawPreview();
}

void TfmPrintProxy::DrawPreview() {
    QListWidgetItem* current = lbProxy->currentItem();
    if (!current || !current->isSelected())
        return;
    std::string line;
    FromDisplay(current->text(), line);
    QImage picture(230, 320, QImage::Format_RGB888);
    picture.fill(Qt::white);
    DrawProxyFace(ProxyCard(m_db, line), picture, UOsn->isChecked(), UTempPic->isChecked(),
                  UBord->isChecked(), {m_db.PicDir, m_db.DataDir});
    imViewPrintPic->setPixmap(QPixmap::fromImage(picture));
}

void TfmPrintProxy::SpeedButton1Click() {
    saveBoxes();
    reject();
}

void TfmPrintProxy::sbPrintProxyClick() {
    saveBoxes();
    accept();
}

void TfmPrintProxy::PrintProxies() {
    if (exec() != QDialog::Accepted || lbProxy->count() == 0)
        return;
    runPrintJob();
}

TProxyJobHooks TfmPrintProxy::jobHooks(int total) {
    TProxyJobHooks hooks;
    if (total > ProgressFrom) {
        m_progress = new QProgressDialog(QStringLiteral("Printing proxies..."),
                                         QStringLiteral("Cancel"), 0, total, this);
        m_progress->setObjectName(QStringLiteral("pbPrint"));
        m_progress->setWindowTitle(windowCaption);
        m_progress->setWindowModality(Qt::WindowModal);
        m_progress->setMinimumDuration(0);
        m_progress->setAutoReset(false);
        m_progress->setAutoClose(false);
        m_progress->setValue(0);
        hooks.Progress = [this](int done, int) {
            // The window keeps handling its messages between cards, Cancel included.
            m_progress->setValue(done);
            QApplication::processEvents();
            return !m_progress->wasCanceled();
        };
    }
    hooks.PictureFailed = [this](const std::string& problem) {
        return AskYesNo(
            this, windowCaption,
            ToDisplay(problem) +
                QStringLiteral("\n\nGo on without this picture? \"No\" cancels the job."),
            true, TMessageKind::Question);
    };
    return hooks;
}

void TfmPrintProxy::finishJob(const TProxyJobResult& result) {
    delete m_progress;
    m_progress = nullptr;
    m_lastJob = result;
    if (result.Outcome == TProxyJobOutcome::Failed)
        ShowError(this, ToDisplay(result.Error));
    // Only a job that completed empties the list; after a failure or a cancel the user can
    // try again with the same cards.
    if (result.Completed())
        lbProxy->clear();
}

void TfmPrintProxy::runPrintJob() {
    const std::vector<std::string> list = ProxyList();
    TProxyJobHooks hooks = jobHooks(static_cast<int>(list.size()));
    m_printer->setDocName(QString::fromLatin1(ProxyJobTitle));
    QPainter painter;
    TProxyJobResult result;
    if (!painter.begin(m_printer.get())) {
        result.Outcome = TProxyJobOutcome::Failed;
        result.Error = "The printer could not begin the job";
    } else {
        result = PrintProxyPages(m_db, list, *m_printer, painter,
                                 ProxyJobOptions(m_db.ProgramOptions), hooks);
        if (!result.Completed())
            m_printer->abort();
        painter.end();
    }
    finishJob(result);
}

void TfmPrintProxy::sbSavePdfClick() {
    if (lbProxy->count() == 0 || !PdfFileDialog)
        return;
    QString file = PdfFileDialog(this);
    if (file.isEmpty())
        return;
    if (!file.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        file += QStringLiteral(".pdf");
    saveBoxes();
    const std::vector<std::string> list = ProxyList();
    const TProxyJobHooks hooks = jobHooks(static_cast<int>(list.size()));
    QPageSize::PageSizeId paper = m_printer->pageLayout().pageSize().id();
    if (paper == QPageSize::Custom)
        paper = QPageSize::A4;
    finishJob(WriteProxyPdf(m_db, list, file.toStdString(), PdfResolution, paper,
                            ProxyJobOptions(m_db.ProgramOptions), hooks,
                            m_printer->pageLayout().orientation()));
}

} // namespace zandor
