// The proxy list window: the cards collected for printing, the print options, a preview
// of the selected card and the cards-per-page count; it runs the print job on the printer
// or into a PDF file. The list lives as long as the window, for the whole run.
#pragma once

#include "core/UCardDatabase.h"
#include "render/UProxyJob.h"

#include <QDialog>
#include <QPrinter>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QProgressDialog;
class QPushButton;

namespace zandor {

class TfmPrintProxy : public QDialog {
    Q_OBJECT
public:
    explicit TfmPrintProxy(TCardDatabase& db, QWidget* parent = nullptr);
    ~TfmPrintProxy() override;

    QGroupBox* gbProxy;
    QListWidget* lbProxy;
    QPushButton* SpeedButton3; // "Duplicate"
    QPushButton* sbDelete;
    QPushButton* SpeedButton2; // "View Card"
    QPushButton* SpeedButton4; // "Printer setup"
    QPushButton* SpeedButton1; // "Continue"
    QPushButton* sbPrintProxy;
    QPushButton* sbSavePdf;
    QCheckBox* UTempPic;
    QCheckBox* UOsn;
    QCheckBox* UBord;
    QCheckBox* U5mm;
    QLabel* lbNumCardCaption;
    QLabel* lbNumCard;
    QFrame* plPreview;
    QLabel* imViewPrintPic;

    // The printer setup dialog (printer, paper, orientation); true when confirmed. Tests
    // may put their own hand on it.
    std::function<bool(QPrinter& printer, QWidget* parent)> PrinterSetupDialog;
    // The PDF file to write, or an empty text when the user cancelled.
    std::function<QString(QWidget* parent)> PdfFileDialog;
    // Jobs of more cards than this show a progress dialog with Cancel.
    static constexpr int ProgressFrom = 3;
    // The resolution of PDF jobs and of a printer that writes PDF.
    static constexpr int PdfResolution = 300;

    QPrinter& Printer() { return *m_printer; }
    std::vector<std::string> ProxyList() const;
    // The progress dialog of the running job, or null.
    QProgressDialog* Progress() const { return m_progress; }
    // The outcome of the last print or PDF job.
    const TProxyJobResult& LastJob() const { return m_lastJob; }

    // Appends a base line to the list.
    void AddToProxyList(const std::string& baseLine);
    // Shows the window modally; after "Print" with cards in the list, prints them.
    void PrintProxies();

    void SpeedButton3Click();
    void sbDeleteClick();
    void SpeedButton2Click();
    void SpeedButton4Click();
    void SpeedButton1Click();
    void sbPrintProxyClick();
    void sbSavePdfClick();
    void lbProxyClick();
    void U5mmClick();
    void CountCardsPerPage();
    void DrawPreview();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void loadBoxes();
    bool saveBoxes();
    TProxyJobOptions boxOptions() const;
    TProxyJobHooks jobHooks(int total);
    void finishJob(const TProxyJobResult& result);
    void runPrintJob();
    void fitWidth();

    TCardDatabase& m_db;
    std::unique_ptr<QPrinter> m_printer;
    QProgressDialog* m_progress = nullptr;
    TProxyJobResult m_lastJob;
};

} // namespace zandor
