// The price window: updates the card base's prices from a price-list file or from the
// list downloaded from the price-list server, shows the counts, the names it could not
// place and the date of the last update. It owns the price list last read.
#pragma once

#include "core/UCardDatabase.h"
#include "maint/UPriceList.h"

#include <QDialog>
#include <QElapsedTimer>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace zandor {

class TPriceDownload;

class TfmAddPrice : public QDialog {
    Q_OBJECT
public:
    explicit TfmAddPrice(TCardDatabase& db, QWidget* parent = nullptr);
    ~TfmAddPrice() override;

    QLabel* plNum;
    QLabel* stNameCard;
    QLabel* lbDataCaption;
    QLabel* lbData;
    QPushButton* BitBtn3;
    QPushButton* BitBtn4;
    QPushButton* bbCancel;
    QLabel* plNoNum;
    QPlainTextEdit* mmNotF;
    QPushButton* BitBtn2;

    // The price list last read or downloaded.
    std::vector<std::string> PriceLines;

    // Chooses the price-list file; an empty text when the user cancelled. Tests replace
    // it, since native dialogs cannot be clicked.
    std::function<QString(QWidget* parent)> ChooseFile;
    // Today's date; tests fix it.
    std::function<TDate()> Today = CurrentDate;
    // The download, for its time limit and for tests.
    TPriceDownload& Download() { return *m_download; }

    void BitBtn3Click();
    void BitBtn4Click();
    void HTTPPriceStatus(const QString& text);
    void HTTPPriceWork(qint64 bytes);

    // Whether the last run changed the card base.
    bool Changed() const { return m_changed; }

public slots:
    void reject() override;

private:
    void applyPrices();
    void showCounts(std::size_t updated, std::size_t notFound);
    void setBusy(bool busy);

    TCardDatabase& m_db;
    TPriceDownload* m_download;
    QElapsedTimer m_sinceRepaint;
    bool m_busy = false;
    bool m_changed = false;
    std::size_t m_listed = 0; // the names in mmNotF
};

} // namespace zandor
