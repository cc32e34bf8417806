// The about box "About Zandor Library": the program's name and version, the notice, the
// credits, where updates are found and problems reported, and the dates of the prices, the
// rulings summary and the card database, read anew each time it is shown.
#pragma once

#include "core/UCardDatabase.h"

#include <QDialog>
#include <QUrl>
#include <functional>

class QLabel;
class QPushButton;

namespace zandor {

inline constexpr const char* HomePageAddress = "https://zandor-library.example.org/";
inline constexpr const char* AuthorMailAddress = "mailto:author@zandor-library.example.org";

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(const TCardDatabase& db, QWidget* parent = nullptr);

    QLabel* ProgramIcon;
    QLabel* RxLabel1;
    QLabel* RxLabel2;
    QLabel* RxLabel3;
    QLabel* RxLabel4;
    QLabel* RxLabel5;
    QLabel* RxLabel6;
    QLabel* RxLabel7;
    QLabel* RxLabel8;
    QLabel* RxLabel9;
    QLabel* RxLabel10;
    QLabel* Label2;
    QLabel* lbPrice;
    QLabel* Label3;
    QLabel* lbRule;
    QLabel* lbBasev;
    QPushButton* OKButton;

    // Opens a web page or a new e-mail in the user's programs; tests replace it.
    std::function<bool(const QUrl&)> OpenUrl;

    // Reads the three dates and the database version from the loaded data.
    void RefreshDates();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const TCardDatabase& m_db;
};

} // namespace zandor
