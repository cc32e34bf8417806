#include "core/UMain.h"

#include "core/UApplication.h"
#include "core/UInstallPaths.h"
#include "render/UImageLists.h"
#include "widgets/UPictureButton.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>

namespace zandor {

namespace {

const QColor panelColor(56, 84, 119);

QPixmap titlePicture() {
    QPixmap picture(177, 17);
    picture.fill(panelColor.darker(130));
    QPainter p(&picture);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font("Times New Roman");
    font.setPixelSize(12);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(235, 225, 190));
    p.drawText(QRect(6, 0, 128, 17), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("Zandor Library"));
    return picture;
}

QPixmap glyphPicture(bool close) {
    QPixmap picture(20, 16);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(235, 225, 190), 1.6));
    if (close) {
        p.drawLine(QPointF(7, 5), QPointF(13, 11));
        p.drawLine(QPointF(13, 5), QPointF(7, 11));
    } else {
        p.drawLine(QPointF(6.5, 10.5), QPointF(13.5, 10.5));
    }
    return picture;
}

} // namespace

TfmMain::TfmMain(TZandorShell& shell)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_shell(shell) {
    setObjectName(QStringLiteral("fmMain"));
    setWindowTitle(QStringLiteral("Zandor Library"));
    setFixedSize(184, 151);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);

    Panel = new QFrame(this);
    Panel->setGeometry(3, 3, 177, 145);
    Panel->setAutoFillBackground(true);
    QPalette panel = Panel->palette();
    panel.setColor(QPalette::Window, panelColor);
    Panel->setPalette(panel);

    Image1 = new QLabel(Panel);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 177, 17);
    Image1->setPixmap(titlePicture());
    Image1->installEventFilter(this);

    using Shape = TPictureButton::Shape;
    sbMinimize = new TPictureButton(Panel, glyphPicture(false), Shape::Ellipse, panelColor);
    sbMinimize->setGeometry(134, 0, 20, 16);
    sbClose = new TPictureButton(Panel, glyphPicture(true), Shape::Ellipse, panelColor);
    sbClose->setGeometry(156, 0, 20, 16);
    const QSize big(153, 32);
    iabDeckED =
        new TPictureButton(Panel, LabelPicture(QStringLiteral("Deck Editor"), big, panelColor),
                           Shape::Rectangle, panelColor);
    iabDeckED->setGeometry(16, 32, 153, 32);
    iabTestPlay =
        new TPictureButton(Panel, LabelPicture(QStringLiteral("Test Play"), big, panelColor),
                           Shape::Rectangle, panelColor);
    iabTestPlay->setGeometry(16, 64, 153, 32);
    iabOptions = new TPictureButton(Panel, LabelPicture(QStringLiteral("Options"), big, panelColor),
                                    Shape::Rectangle, panelColor);
    iabOptions->setGeometry(16, 104, 153, 32);
    iabDeckED->setObjectName(QStringLiteral("iabDeckED"));
    iabTestPlay->setObjectName(QStringLiteral("iabTestPlay"));
    iabOptions->setObjectName(QStringLiteral("iabOptions"));

    connect(sbMinimize, &QAbstractButton::clicked, this, [this] { showMinimized(); });
    connect(sbClose, &QAbstractButton::clicked, this, [this] { close(); });
    connect(iabDeckED, &QAbstractButton::clicked, this, [this] { iabDeckEDClick(); });
    connect(iabTestPlay, &QAbstractButton::clicked, this, [this] { iabTestPlayClick(); });
    connect(iabOptions, &QAbstractButton::clicked, this, [this] { iabOptionsClick(); });

    // Creation step: the help file, hints that stay while the pointer rests, no drag.
    m_shell.HelpFile = QString::fromStdString(HelpFilePath(m_shell.Db.ProgramDir));
    m_shell.FrameImages = std::make_unique<TListImageZandorCard>(m_shell.Db.DataDir);
    m_dragging = false;
    m_shell.Db.PlayOrigin = "Main";

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

TfmMain::~TfmMain() {
    m_shell.FrameImages.reset();
}

void TfmMain::iabDeckEDClick() {
    m_shell.LauncherDeckEditor();
}
void TfmMain::iabTestPlayClick() {
    m_shell.LauncherTestPlay();
}
void TfmMain::iabOptionsClick() {
    m_shell.LauncherOptions();
}

bool TfmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Image1)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (!m_dragging) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            m_dragging = true;
            m_offset = mouse->globalPosition().toPoint() - pos();
        }
        return true;
    case QEvent::MouseMove:
        if (m_dragging) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            move(mouse->globalPosition().toPoint() - m_offset);
        }
        return true;
    case QEvent::MouseButtonRelease:
        m_dragging = false;
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void TfmMain::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        m_shell.OpenHelp(this);
        return;
    }
    QWidget::keyPressEvent(event);
}

void TfmMain::closeEvent(QCloseEvent* event) {
    event->accept();
    emit m_shell.ProgramEnding();
}

} // namespace zandor
