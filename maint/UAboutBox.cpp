#include "maint/UAboutBox.h"

#include "core/UApplication.h"
#include "maint/UAboutBoxLogic.h"

#include <QDesktopServices>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace zandor {

namespace {

// The program's icon: a card standing in front of another, in the launcher's colours.
QPixmap programIcon() {
    QPixmap picture(48, 48);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(235, 225, 190), 2));
    p.setBrush(QColor(56, 84, 119));
    p.drawRoundedRect(QRectF(6, 4, 24, 34), 3, 3);
    p.setBrush(QColor(88, 124, 152));
    p.drawRoundedRect(QRectF(18, 10, 24, 34), 3, 3);
    p.setPen(QPen(QColor(235, 225, 190), 1.5));
    p.drawLine(QPointF(23, 18), QPointF(37, 18));
    p.drawLine(QPointF(23, 24), QPointF(37, 24));
    p.drawLine(QPointF(23, 30), QPointF(33, 30));
    return picture;
}

} // namespace

TAboutBox::TAboutBox(const TCardDatabase& db, QWidget* parent) : QDialog(parent), m_db(db) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About Zandor Library"));
    QFont smallFont(QStringLiteral("Arial"));
    smallFont.setPixelSize(11);
    setFont(smallFont);
    setFixedSize(380, 352);

    const auto label = [this](const char* name, const QString& text, QRect place) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(place);
        l->setWordWrap(true);
        return l;
    };
    ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setPixmap(programIcon());
    ProgramIcon->setGeometry(12, 12, 48, 48);

    RxLabel1 = label("RxLabel1", QStringLiteral("Zandor Library"), {72, 12, 296, 22});
    QFont bold = smallFont;
    bold.setPixelSize(16);
    bold.setBold(true);
    RxLabel1->setFont(bold);
    RxLabel2 = label("RxLabel2", QStringLiteral("Version 0.60 beta"), {72, 36, 296, 16});
    RxLabel3 = label("RxLabel3",
                     QStringLiteral("The names, rules texts and artwork of the cards belong to "
                                    "the game's publisher."),
                     {12, 70, 356, 30});
    RxLabel8 =
        label("RxLabel8", QStringLiteral("This program is not made or endorsed by the publisher."),
              {12, 100, 356, 16});
    RxLabel4 = label("RxLabel4",
                     QStringLiteral("Card Rulings Summary: compiled by the Oracle of the Tides "
                                    "circle."),
                     {12, 124, 356, 30});
    RxLabel5 = label("RxLabel5", QStringLiteral("Program: the Zandor Library authors."),
                     {12, 154, 356, 16});
    RxLabel6 = label("RxLabel6", QStringLiteral("Обновления можно взять на:"), {12, 178, 356, 16});
    RxLabel7 = label("RxLabel7", QString::fromLatin1(HomePageAddress), {12, 194, 356, 16});
    RxLabel9 = label("RxLabel9",
                     QStringLiteral("Обо всех пожеланиях, найденных ошибках просьба \n"
                                    "сообщать на:"),
                     {12, 214, 356, 30});
    RxLabel10 =
        label("RxLabel10", QString::fromLatin1(AuthorMailAddress).mid(7), {12, 244, 356, 16});
    for (QLabel* link : {RxLabel7, RxLabel10}) {
        QFont underlined = link->font();
        underlined.setUnderline(true);
        link->setFont(underlined);
        link->setStyleSheet(QStringLiteral("color: blue;"));
        link->setCursor(Qt::PointingHandCursor);
        link->setWordWrap(false);
        link->installEventFilter(this);
    }
    Label2 = label("Label2", QStringLiteral("Price last update:"), {12, 268, 200, 16});
    lbPrice = label("lbPrice", QStringLiteral("00.00.00"), {214, 268, 154, 16});
    Label3 =
        label("Label3", QStringLiteral("Card Rulings Summary last update:"), {12, 286, 200, 16});
    lbRule = label("lbRule", QStringLiteral("00.00.00"), {214, 286, 154, 16});
    lbBasev = label("lbBasev", QStringLiteral("Base 0.5 version"), {12, 304, 200, 16});
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(293, 318, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    OpenUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

void TAboutBox::RefreshDates() {
    const TAboutTexts texts = AboutTexts(m_db);
    lbPrice->setText(ToDisplay(texts.PriceDate));
    lbRule->setText(ToDisplay(texts.RuleDate));
    lbBasev->setText(ToDisplay(texts.BaseVersion));
}

void TAboutBox::showEvent(QShowEvent* event) {
    RefreshDates();
    QDialog::showEvent(event);
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == RxLabel7 && OpenUrl) {
            OpenUrl(QUrl(QString::fromLatin1(HomePageAddress)));
            return true;
        }
        if (watched == RxLabel10 && OpenUrl) {
            OpenUrl(QUrl(QString::fromLatin1(AuthorMailAddress)));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zandor
