#include "deck/UDeckED.h"

#include "core/UApplication.h"
#include "core/UInstallPaths.h"
#include "core/UMain.h"
#include "deck/UBaseListView.h"
#include "deck/UCardFilter.h"
#include "deck/UCardView.h"
#include "deck/UDeckEDLogic.h"
#include "deck/UDeckFile.h"
#include "deck/UFilters.h"
#include "deck/UFindCard.h"
#include "deck/UResult.h"
#include "deck/UVersionRecord.h"
#include "deck/UViewBIGComment.h"
#include "maint/UAboutBox.h"
#include "maint/UAddCardRull.h"
#include "maint/UAddPrice.h"
#include "maint/UEditCard.h"
#include "maint/UEditionED.h"
#include "widgets/UHelpViewer.h"
#include "widgets/UKeywordMemo.h"
#include "widgets/UMessages.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

namespace zandor {

namespace {

const QColor separatorColor(88, 124, 152);
const QColor toolBarColor(56, 84, 119);
const QColor inkColor(235, 225, 190);

// The tool-bar pictures: a small glyph over a word, drawn in the launcher's colours.
enum class TGlyph { New, Load, Save, Find, FindNext, Filter, Proxy, Test, Stat, Help, Up, Down };

QPixmap toolPicture(TGlyph glyph, const QString& word, QSize size = {56, 29}) {
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(inkColor, 1.4));
    const int w = size.width();
    const QPointF c(w / 2.0, word.isEmpty() ? size.height() / 2.0 : 10.0);
    switch (glyph) {
    case TGlyph::New:
        p.drawRect(QRectF(c.x() - 5, c.y() - 7, 10, 14));
        break;
    case TGlyph::Load:
        p.drawRect(QRectF(c.x() - 8, c.y() - 4, 16, 10));
        p.drawLine(QPointF(c.x() - 8, c.y() - 4), QPointF(c.x() - 4, c.y() - 7));
        p.drawLine(QPointF(c.x() - 4, c.y() - 7), QPointF(c.x(), c.y() - 4));
        break;
    case TGlyph::Save:
        p.drawRect(QRectF(c.x() - 7, c.y() - 7, 14, 14));
        p.drawRect(QRectF(c.x() - 4, c.y() - 7, 8, 5));
        break;
    case TGlyph::Find:
    case TGlyph::FindNext:
        p.drawEllipse(QPointF(c.x() - 2, c.y() - 2), 5, 5);
        p.drawLine(QPointF(c.x() + 2, c.y() + 2), QPointF(c.x() + 7, c.y() + 7));
        if (glyph == TGlyph::FindNext)
            p.drawLine(QPointF(c.x() + 9, c.y() - 6), QPointF(c.x() + 13, c.y() - 2));
        break;
    case TGlyph::Filter:
        p.drawPolygon(QPolygonF({QPointF(c.x() - 8, c.y() - 7), QPointF(c.x() + 8, c.y() - 7),
                                 QPointF(c.x() + 2, c.y()), QPointF(c.x() + 2, c.y() + 7),
                                 QPointF(c.x() - 2, c.y() + 5), QPointF(c.x() - 2, c.y())}));
        break;
    case TGlyph::Proxy:
        p.drawRect(QRectF(c.x() - 8, c.y() - 3, 16, 8));
        p.drawRect(QRectF(c.x() - 5, c.y() - 8, 10, 5));
        break;
    case TGlyph::Test:
        p.drawPolygon(QPolygonF({QPointF(c.x() - 5, c.y() - 7), QPointF(c.x() + 7, c.y()),
                                 QPointF(c.x() - 5, c.y() + 7)}));
        break;
    case TGlyph::Stat:
        for (int i = 0; i < 4; ++i)
            p.drawRect(QRectF(c.x() - 9 + i * 5, c.y() + 6 - (i + 1) * 3, 3, (i + 1) * 3));
        break;
    case TGlyph::Help:
    case TGlyph::Up:
    case TGlyph::Down:
        break;
    }
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(glyph == TGlyph::Help ? 16 : 10);
    font.setBold(true);
    p.setFont(font);
    if (glyph == TGlyph::Help) {
        p.drawText(QRect(0, 0, w, size.height()), Qt::AlignCenter, QStringLiteral("?"));
    } else if (glyph == TGlyph::Up || glyph == TGlyph::Down) {
        const double y = size.height() / 2.0, d = glyph == TGlyph::Up ? -4 : 4;
        p.setBrush(inkColor);
        p.drawPolygon(QPolygonF(
            {QPointF(w / 2.0 - 5, y - d), QPointF(w / 2.0 + 5, y - d), QPointF(w / 2.0, y + d)}));
    } else {
        p.drawText(QRect(0, 18, w, 11), Qt::AlignCenter, word);
    }
    return picture;
}

QToolButton* pictureButton(QWidget* parent, const char* name, const QPixmap& picture,
                           const QRect& geometry) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setIcon(QIcon(picture));
    button->setIconSize(picture.size());
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QPushButton* deckButton(QWidget* parent, const char* name, const QString& text, const QString& hint,
                        int y) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(240, y, 33, 25);
    button->setToolTip(hint);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QString fromPath(const std::string& path) {
    return QString::fromStdString(path);
}

} // namespace

TDeckFileDialogs StandardDeckFileDialogs() {
    TDeckFileDialogs dialogs;
    const QString filter = QStringLiteral("Deck (*.dec)");
    dialogs.Save = [filter](QWidget* parent, const QString& folder, const QString& proposed) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Save Deck..."),
                                            folder + QLatin1Char('/') + proposed, filter, nullptr,
                                            QFileDialog::DontConfirmOverwrite);
    };
    dialogs.Open = [filter](QWidget* parent, const QString& folder) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Load Deck..."), folder, filter);
    };
    return dialogs;
}

TfmDeckED::TfmDeckED(TZandorShell& shell) : QMainWindow(nullptr), m_shell(shell), m_db(shell.Db) {
    setObjectName(QStringLiteral("fmDeckED"));
    setWindowTitle(QStringLiteral("Deck Editor"));

    // The small sans-serif face of the classic dialogs, so that the controls fit their places.
    QFont smallFont(QStringLiteral("Arial"));
    smallFont.setPixelSize(11);
    setFont(smallFont);
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(764, 481);
    setCentralWidget(client);

    ToolBar = new QWidget(client);
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setGeometry(0, 0, 764, 37);
    ToolBar->setAutoFillBackground(true);
    QPalette bar = ToolBar->palette();
    bar.setColor(QPalette::Window, toolBarColor);
    ToolBar->setPalette(bar);
    buildToolBar();

    Panel3 = new QFrame(client);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setGeometry(0, 42, 210, 300);
    CardView = new TCardView(m_db, Panel3);
    CardView->setObjectName(QStringLiteral("CardView"));
    CardView->setGeometry(0, 0, 210, 300);

    gbBaseS = new QGroupBox(client);
    gbBaseS->setObjectName(QStringLiteral("gbBaseS"));
    gbBaseS->setGeometry(214, 40, 547, 305);
    auto* findLabel = new QLabel(QStringLiteral("Find Card:"), gbBaseS);
    findLabel->setGeometry(8, 16, 120, 16);
    edFind = new QLineEdit(gbBaseS);
    edFind->setObjectName(QStringLiteral("edFind"));
    edFind->setGeometry(8, 32, 225, 24);
    auto* nameLabel = new QLabel(QStringLiteral("Deck Name:"), gbBaseS);
    nameLabel->setGeometry(280, 16, 120, 16);
    edDName = new QLineEdit(gbBaseS);
    edDName->setObjectName(QStringLiteral("edDName"));
    edDName->setGeometry(280, 32, 241, 24);

    m_base.SetLines(InitialBaseList(m_db));
    m_baseModel = new TBaseListModel(m_base, this);
    lbBase = new QListView(gbBaseS);
    lbBase->setObjectName(QStringLiteral("lbBase"));
    lbBase->setGeometry(8, 64, 225, 233);
    lbBase->setUniformItemSizes(true);
    lbBase->setModel(m_baseModel);
    lbBase->setSelectionMode(QAbstractItemView::SingleSelection);
    lbBase->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lbBase->setContextMenuPolicy(Qt::CustomContextMenu);
    lbBase->installEventFilter(this);
    lbBase->viewport()->installEventFilter(this);

    bbComment =
        deckButton(gbBaseS, "bbComment", QStringLiteral("//"), QStringLiteral("Comment"), 88);
    bbAdd = deckButton(gbBaseS, "bbAdd", QStringLiteral(">"), QStringLiteral("Add Card"), 136);
    bbSAdd = deckButton(gbBaseS, "bbSAdd", QStringLiteral(">SB"),
                        QStringLiteral("Add sideboard card"), 168);
    bbDelete =
        deckButton(gbBaseS, "bbDelete", QStringLiteral("<"), QStringLiteral("Delete card"), 216);

    lbDeck = new QListWidget(gbBaseS);
    lbDeck->setObjectName(QStringLiteral("lbDeck"));
    lbDeck->setGeometry(280, 64, 241, 233);
    lbDeck->setUniformItemSizes(true);
    // Selected lines on the active-caption colour; the focused one with white text.
    QPalette deckColors = lbDeck->palette();
    deckColors.setColor(QPalette::Highlight, QColor(10, 36, 106));
    deckColors.setColor(QPalette::HighlightedText, Qt::white);
    deckColors.setColor(QPalette::Inactive, QPalette::Highlight, QColor(10, 36, 106));
    deckColors.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::white);
    lbDeck->setPalette(deckColors);
    sbUp =
        pictureButton(gbBaseS, "sbUp", toolPicture(TGlyph::Up, {}, {16, 39}), {524, 120, 18, 41});
    sbDown = pictureButton(gbBaseS, "sbDown", toolPicture(TGlyph::Down, {}, {16, 39}),
                           {524, 168, 18, 41});
    sbUp->setAutoRaise(false);
    sbDown->setAutoRaise(false);

    lbPrice = new QLabel(QString::fromLatin1(InitialPriceText.data()), client);
    lbPrice->setObjectName(QStringLiteral("lbPrice"));
    lbPrice->setGeometry(120, 344, 84, 25);
    lbPrice->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    plBottom = new QWidget(client);
    plBottom->setObjectName(QStringLiteral("plBottom"));
    plBottom->setGeometry(0, 481 - 133, 764, 133);
    lbPrice->raise();
    tcStat = new QTabBar(plBottom);
    tcStat->setObjectName(QStringLiteral("tcStat"));
    tcStat->setGeometry(0, 0, 209, 22);
    tcStat->setDocumentMode(true);
    tcStat->setDrawBase(false);
    tcStat->setExpanding(false);
    lbEditionHide = new QLabel(plBottom);
    lbEditionHide->setObjectName(QStringLiteral("lbEditionHide"));
    lbEditionHide->hide();
    auto* counters = new QGroupBox(plBottom);
    counters->setObjectName(QStringLiteral("gbCounters"));
    counters->setGeometry(4, 24, 200, 88);
    const auto counter = [counters](const QString& caption, const char* name, int x, int y) {
        auto* label = new QLabel(caption, counters);
        label->setGeometry(x, y, 52, 18);
        auto* value = new QLabel(QStringLiteral("0 cards"), counters);
        value->setObjectName(QString::fromLatin1(name));
        value->setGeometry(x + 52, y, 48, 18);
        return value;
    };
    lbMana = counter(QStringLiteral("Land:"), "lbMana", 6, 8);
    lbCreatures = counter(QStringLiteral("Creature:"), "lbCreatures", 6, 30);
    lbSpells = counter(QStringLiteral("Spells:"), "lbSpells", 6, 52);
    lbDecks = counter(QStringLiteral("Deck:"), "lbDecks", 106, 8);
    lbSB = counter(QStringLiteral("SB:"), "lbSB", 106, 30);
    pbStat = new QProgressBar(plBottom);
    pbStat->setObjectName(QStringLiteral("pbStat"));
    pbStat->setGeometry(4, 118, 200, 9);
    pbStat->setTextVisible(false);
    pbStat->setRange(0, 1);
    pbStat->setValue(0);
    mmErrata = new TKeywordMemo(plBottom);
    mmErrata->setObjectName(QStringLiteral("mmErrata"));
    mmErrata->setGeometry(212, 0, 550, 133);

    tFindCard = new QTimer(this);
    tFindCard->setObjectName(QStringLiteral("tFindCard"));
    tFindCard->setInterval(1000);
    tFindCard->setSingleShot(true);

    buildMenus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    for (QWidget* focusable : std::initializer_list<QWidget*>{edFind, edDName, lbDeck, mmErrata})
        focusable->installEventFilter(this);

    connect(lbBase, &QListView::clicked, this, [this] { lbBaseClick(); });
    connect(lbBase, &QListView::customContextMenuRequested, this, [this](const QPoint& at) {
        // Below the last line there is no line for the menu to act on.
        if (lbBase->indexAt(at).isValid() && SelectedBase() >= 0)
            pmBase->popup(lbBase->viewport()->mapToGlobal(at));
    });
    connect(lbDeck, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_refreshingDeck)
            m_deck.Select(row);
    });
    connect(lbDeck, &QListWidget::itemClicked, this, [this] { lbDeckClick(); });
    connect(edFind, &QLineEdit::textChanged, this, [this] { edFindChange(); });
    connect(tFindCard, &QTimer::timeout, this, &TfmDeckED::tFindCardTimer);
    connect(tcStat, &QTabBar::currentChanged, this, &TfmDeckED::tcStatChange);
    connect(mmErrata, &TKeywordMemo::HotSpotClicked, this, &TfmDeckED::mmErrataHotSpot);
    connect(mmErrata, &TKeywordMemo::MousePressed, this, [this] { lbBase->setFocus(); });
    connect(edDName, &QLineEdit::editingFinished, this, [this] { deckNameFromEdit(); });
    connect(bbAdd, &QPushButton::clicked, this, &TfmDeckED::bbAddClick);
    connect(bbSAdd, &QPushButton::clicked, this, &TfmDeckED::bbSAddClick);
    connect(bbDelete, &QPushButton::clicked, this, &TfmDeckED::bbDeleteClick);
    connect(bbComment, &QPushButton::clicked, this, &TfmDeckED::bbCommentClick);
    connect(sbUp, &QToolButton::clicked, this, &TfmDeckED::sbUpClick);
    connect(sbDown, &QToolButton::clicked, this, &TfmDeckED::sbDownClick);

    refreshBaseCaption();
    CountDeck();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        adjustSize();
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

TfmDeckED::~TfmDeckED() {
    // The next start shows the last filter result, never a search result.
    const TWriteResult saved = SaveTempBase(m_db, m_search.ListToSave(m_base));
    if (!saved.Ok)
        ShowError(nullptr, fromPath(saved.Error));
}

void TfmDeckED::buildToolBar() {
    struct TItem {
        QToolButton** Button;
        const char* Name;
        TGlyph Glyph;
        const char* Word;
        bool SeparatorBefore;
    };
    const TItem items[] = {
        {&sbNew, "sbNew", TGlyph::New, "New", false},
        {&sbLoad, "sbLoad", TGlyph::Load, "Load", false},
        {&sbSave, "sbSave", TGlyph::Save, "Save", false},
        {&sbFind, "sbFind", TGlyph::Find, "Find", true},
        {&sbFindNext, "sbFindNext", TGlyph::FindNext, "Next", false},
        {&sbFilter, "sbFilter", TGlyph::Filter, "Filter", false},
        {&sbProxyPrint, "sbProxyPrint", TGlyph::Proxy, "Proxy", true},
        {&sbTest, "sbTest", TGlyph::Test, "Test", true},
        {&sbStat, "sbStat", TGlyph::Stat, "Stats", true},
        {&sbHelp, "sbHelp", TGlyph::Help, "", true},
    };
    int x = 2;
    int separator = 0;
    for (const TItem& item : items) {
        if (item.SeparatorBefore) {
            auto* strip = new QFrame(ToolBar);
            strip->setObjectName(QStringLiteral("Separator%1").arg(++separator));
            strip->setGeometry(x, 2, 3, 33);
            strip->setAutoFillBackground(true);
            QPalette colors = strip->palette();
            colors.setColor(QPalette::Window, separatorColor);
            strip->setPalette(colors);
            x += 3;
        }
        *item.Button =
            pictureButton(ToolBar, item.Name,
                          toolPicture(item.Glyph, QString::fromLatin1(item.Word)), {x, 2, 60, 33});
        x += 60;
    }
    SpeedButton1 = pictureButton(ToolBar, "SpeedButton1", QPixmap(), {x + 4, 2, 60, 33});
    SpeedButton1->hide();
    sbFind->setCheckable(true);

    connect(sbNew, &QToolButton::clicked, this, &TfmDeckED::sbNewClick);
    connect(sbLoad, &QToolButton::clicked, this, &TfmDeckED::sbLoadClick);
    connect(sbSave, &QToolButton::clicked, this, &TfmDeckED::sbSaveClick);
    connect(sbFind, &QToolButton::clicked, this, &TfmDeckED::sbFindClick);
    connect(sbFindNext, &QToolButton::clicked, this, &TfmDeckED::sbFindNextClick);
    connect(sbFilter, &QToolButton::clicked, this, [this] { FilterBase(); });
    connect(sbProxyPrint, &QToolButton::clicked, this, [this] { m_shell.PrintProxies(); });
    connect(sbTest, &QToolButton::clicked, this, &TfmDeckED::sbTestClick);
    connect(sbStat, &QToolButton::clicked, this, &TfmDeckED::sbStatClick);
    connect(sbHelp, &QToolButton::clicked, this, &TfmDeckED::sbHelpClick);
    connect(SpeedButton1, &QToolButton::clicked, this, &TfmDeckED::SpeedButton1Click);
}

void TfmDeckED::buildMenus() {
    QMenuBar* bar = menuBar();
    const auto entry = [this](QMenu* menu, const QString& text, const char* name, auto slot) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };

    QMenu* file = bar->addMenu(QStringLiteral("File"));
    NewDeck1 = entry(file, QStringLiteral("New Deck"), "NewDeck1", &TfmDeckED::sbNewClick);
    LoadDeck1 = entry(file, QStringLiteral("Load Deck..."), "LoadDeck1", &TfmDeckED::sbLoadClick);
    SaveDeck1 = entry(file, QStringLiteral("Save Deck..."), "SaveDeck1", &TfmDeckED::sbSaveClick);
    SaveApprendic1 = entry(file, QStringLiteral("Save Apprentice..."), "SaveApprendic1",
                           &TfmDeckED::SaveApprendic1Click);
    file->addSeparator();
    ImportTextDeck1 = entry(file, QStringLiteral("Import Text Deck..."), "ImportTextDeck1",
                            &TfmDeckED::ImportTextDeck1Click);
    PasteDeck1 =
        entry(file, QStringLiteral("Paste Deck"), "PasteDeck1", &TfmDeckED::PasteDeck1Click);
    CopyDeckAsText1 = entry(file, QStringLiteral("Copy Deck as Text"), "CopyDeckAsText1",
                            &TfmDeckED::CopyDeckAsText1Click);

    QMenu* database = bar->addMenu(QStringLiteral("Database"));
    LookBase1 =
        entry(database, QStringLiteral("Look Base"), "LookBase1", &TfmDeckED::LookBase1Click);
    LookBase1->setCheckable(true);
    LookBase1->setChecked(true);
    EditCard1 =
        entry(database, QStringLiteral("Edit Card..."), "EditCard1", &TfmDeckED::pmEditCardClick);
    EditCard1->setEnabled(false);

    QMenu* tools = bar->addMenu(QStringLiteral("Tools"));
    AddDeleteEdition1 = entry(tools, QStringLiteral("Add/Delete Edition..."), "AddDeleteEdition1",
                              [this] { editionWindow()->exec(); });
    // The rulings and price windows are made for each showing and freed after it; the
    // card panel then shows the card again with its new rulings or price.
    const auto maintenance = [this](auto makeWindow) {
        return [this, makeWindow] {
            auto window = makeWindow();
            window->exec();
            const bool changed = window->Changed();
            delete window;
            if (changed && SelectedBase() >= 0)
                lbBaseClick();
        };
    };
    AddCardRulingsSummary1 =
        entry(tools, QStringLiteral("Add Card Rulings Summary..."), "AddCardRulingsSummary1",
              maintenance([this] { return new TfmAddCardRull(m_db, this); }));
    AddCardRulingsSummary1->setVisible(false);
    AddCardPrices1 = entry(tools, QStringLiteral("Add Card Prices..."), "AddCardPrices1",
                           maintenance([this] { return new TfmAddPrice(m_db, this); }));
    PrintProxy1 = entry(tools, QStringLiteral("Print Proxy..."), "PrintProxy1",
                        [this] { m_shell.PrintProxies(); });
    Options1 = entry(tools, QStringLiteral("Options..."), "Options1",
                     [this] { m_shell.LauncherOptions(); });

    QMenu* deck = bar->addMenu(QStringLiteral("Deck"));
    Testplay1 = entry(deck, QStringLiteral("Test play"), "Testplay1", &TfmDeckED::sbTestClick);
    Statistics1 = entry(deck, QStringLiteral("Statistics"), "Statistics1", &TfmDeckED::sbStatClick);
    ViewComments1 = entry(deck, QStringLiteral("View Comments"), "ViewComments1", [this] {
        if (m_shell.fmRFComent)
            m_shell.fmRFComent->exec();
    });
    ViewComments1->setVisible(false);

    QMenu* help = bar->addMenu(QStringLiteral("Help"));
    Contents1 = entry(help, QStringLiteral("Contents"), "Contents1", &TfmDeckED::sbHelpClick);
    Contents1->setShortcut(QKeySequence(Qt::Key_F1));
    Contents1->setShortcutContext(Qt::WindowShortcut);
    addAction(Contents1);
    QMenu* internet = help->addMenu(QStringLiteral("Internet Resources"));
    const auto page = [this, internet](const QString& text, const QString& address) {
        QAction* action = internet->addAction(text);
        connect(action, &QAction::triggered, this,
                [address] { QDesktopServices::openUrl(QUrl(address)); });
    };
    page(QStringLiteral("Zandor Library Homepage"),
         QStringLiteral("https://zandor-library.example.org/"));
    page(QStringLiteral("Card Rulings Summary"),
         QStringLiteral("https://zandor-library.example.org/rulings/"));
    page(QStringLiteral("Game Publisher"), QStringLiteral("https://publisher.example.com/"));
    About1 = entry(help, QStringLiteral("About..."), "About1", [this] {
        // Made for each showing and gone afterwards, so that it always starts fresh.
        TAboutBox box(m_db, this);
        box.exec();
    });

    pmBase = new QMenu(this);
    pmBase->setObjectName(QStringLiteral("pmBase"));
    pmEditCard = pmBase->addAction(QStringLiteral("Edit Card..."));
    connect(pmEditCard, &QAction::triggered, this, &TfmDeckED::pmEditCardClick);
    pmEditCard->setEnabled(EditCard1->isEnabled());
    connect(this, &TfmDeckED::EditCardRequested, this, &TfmDeckED::editBaseCard);
    pmAddToProxy = pmBase->addAction(QStringLiteral("Add to proxy print..."));
    connect(pmAddToProxy, &QAction::triggered, this, [this] {
        if (const int row = SelectedBase(); row >= 0)
            emit ProxyLineRequested(m_base[static_cast<std::size_t>(row)]);
    });
}

// ---- base list ---------------------------------------------------------------------------

int TfmDeckED::SelectedBase() const {
    const QModelIndex current = lbBase->currentIndex();
    if (!current.isValid() || !lbBase->selectionModel()->isSelected(current))
        return -1;
    return current.row();
}

void TfmDeckED::refreshBaseCaption() {
    gbBaseS->setTitle(ToDisplay(m_base.Caption()));
}

void TfmDeckED::selectBaseTop(long long row, bool show) {
    if (row < 0 || static_cast<std::size_t>(row) >= m_base.size())
        return;
    const QModelIndex index = m_baseModel->index(static_cast<int>(row));
    lbBase->setCurrentIndex(index);
    lbBase->scrollTo(index, QAbstractItemView::PositionAtTop);
    if (show)
        lbBaseClick();
}

void TfmDeckED::FilterBase(bool fromEditionWindow) {
    TfmFilters* dialog = m_shell.fmFilters;
    if (!dialog)
        return;
    if (fromEditionWindow || dialog->exec() == QDialog::Accepted) {
        if (m_search.Down()) {
            m_search.Release();
            sbFind->setChecked(false);
        }
        const TWriteResult saved = dialog->SaveToSettings();
        if (!saved.Ok)
            ShowError(this, ToDisplay(saved.Error));
        dialog->LoadFromSettings();
        const TFilterProgress progress = FilterProgressOf(m_db.CardLines.size());
        pbStat->setRange(0, static_cast<int>(std::max<std::size_t>(progress.Maximum, 1)));
        m_baseModel->Change([&](TBaseList& base) {
            base.SetLines(zandor::FilterBase(
                m_db, [this](std::size_t n) { pbStat->setValue(static_cast<int>(n)); }));
        });
        pbStat->setValue(0);
    }
    refreshBaseCaption();
}

void TfmDeckED::edFindChange() {
    std::string typed;
    if (!FromDisplay(edFind->text(), typed))
        return; // no base line holds a character the code page lacks
    const TFindAsYouType found = m_base.Find(typed);
    if (!found.LetterFound)
        return;
    if (found.Index >= 0) {
        const QModelIndex index = m_baseModel->index(static_cast<int>(found.Index));
        lbBase->scrollTo(index, QAbstractItemView::PositionAtTop);
        lbBase->setCurrentIndex(index);
    }
    tFindCard->start();
}

void TfmDeckED::tFindCardTimer() {
    tFindCard->stop();
    lbBaseClick();
}

void TfmDeckED::showOutcome(const TSearchOutcome& outcome) {
    if (outcome.ListReplaced)
        refreshBaseCaption();
    if (outcome.Select >= 0) {
        selectBaseTop(outcome.Select, true);
    } else if (outcome.Found && !outcome.ListReplaced) {
        // The card found is not in the list as it is: nothing is selected.
        lbBase->selectionModel()->clear();
    }
}

void TfmDeckED::sbFindClick(bool down) {
    if (!down) {
        m_baseModel->Change([this](TBaseList& base) { m_search.End(base); });
        refreshBaseCaption();
        return;
    }
    TfmFindCard* dialog = m_shell.fmFindCard;
    const auto release = [this] { sbFind->setChecked(false); };
    if (!dialog || dialog->exec() != QDialog::Accepted) {
        release();
        return;
    }
    if (!dialog->Options(m_search.Options)) {
        release();
        ShowError(this, QStringLiteral("The search terms hold characters that no card of the "
                                       "base can contain."));
        return;
    }
    if (m_base.empty() || PrepareTerms(m_search.Options).Empty()) {
        release();
        return;
    }
    if (m_shell.fmFilters)
        m_shell.fmFilters->LoadFromSettings();
    TSearchOutcome outcome;
    if (m_search.Options.SelectMatch)
        m_baseModel->Change([&](TBaseList& base) { outcome = m_search.Start(base, m_db); });
    else
        outcome = m_search.Start(m_base, m_db);
    sbFind->setChecked(outcome.Down);
    showOutcome(outcome);
}

void TfmDeckED::sbFindNextClick() {
    if (sbFind->isChecked())
        return;
    showOutcome(m_search.FindNext(m_base, m_db));
}

// ---- card information --------------------------------------------------------------------

void TfmDeckED::fillMemo(const std::string& name) {
    mmErrata->SetLines(CardInfoLines(m_db.RuleLines, name));
}

void TfmDeckED::setTabs(const TSplitTabs& tabs) {
    m_tabs = tabs;
    const QSignalBlocker quiet(tcStat);
    while (tcStat->count() > 0)
        tcStat->removeTab(0);
    for (const std::string& tab : tabs.Tabs)
        tcStat->addTab(ToDisplay(tab));
    if (tabs.Selected >= 0 && tabs.Selected < tcStat->count())
        tcStat->setCurrentIndex(tabs.Selected);
    if (!tabs.Tabs.empty())
        lbEditionHide->setText(ToDisplay(tabs.Edition));
}

void TfmDeckED::showCard(const TZandorCard& card) {
    CardView->ShowCardFace(card, !m_db.ProgramOptions.UseAnim);
    reportArt();
}

void TfmDeckED::reportArt() {
    // A broken picture file is named once; the card is shown without its art meanwhile.
    const std::string& error = CardView->LastFace().ArtError;
    if (!error.empty() && m_artErrorsShown.insert(error).second)
        ShowError(this, fromPath(error));
}

void TfmDeckED::lbBaseClick() {
    const int row = SelectedBase();
    if (row < 0 || m_base.empty())
        return;
    const std::string& line = m_base[static_cast<std::size_t>(row)];
    const TBaseLineParts parts = SplitBaseLine(line);
    const TZandorCard card = FindCard(m_db, parts.Name, parts.Edition);
    lbPrice->setText(ToDisplay(PriceText(card)));
    if (!m_skipMemoOnce || m_memoLine != line) {
        fillMemo(card.Name);
        m_memoLine = line;
    }
    m_skipMemoOnce = false;
    if (m_suspendFace)
        return;
    CardView->setToolTip(ToDisplay(PlainCardText(card.Text)));
    showCard(card);
    setTabs(BaseCardTabs(card));
}

void TfmDeckED::lbDeckClick() {
    const int row = m_deck.Selected();
    if (row < 0)
        return;
    const TDeckLineCard line = DeckLineCard(m_deck.Lines()[static_cast<std::size_t>(row)]);
    if (!line.Ok)
        return;
    setTabs(line.Tabs);
    const long long base = m_base.IndexOf(line.BaseLine);
    if (base >= 0) {
        // The line above it goes on top, so the card is the second visible line.
        lbBase->setCurrentIndex(m_baseModel->index(static_cast<int>(base)));
        lbBase->scrollTo(m_baseModel->index(static_cast<int>(std::max(0LL, base - 1))),
                         QAbstractItemView::PositionAtTop);
    }
    const TZandorCard card = FindCard(m_db, line.Name, line.Edition);
    lbPrice->setText(ToDisplay(PriceText(card)));
    fillMemo(card.Name);
    m_memoLine = base >= 0 ? line.BaseLine : std::string();
    showCard(card);
}

void TfmDeckED::tcStatChange(int tab) {
    if (tab < 0 || m_tabs.Tabs.empty())
        return;
    std::string edition;
    if (!FromDisplay(lbEditionHide->text(), edition))
        return;
    const TZandorCard card = FindCard(m_db, TabCardName(m_tabs, tab), edition);
    // A change of half always fades, whatever the animation option says.
    CardView->ShowCardFace(card, true);
    reportArt();
}

void TfmDeckED::mmErrataHotSpot(const QString& text) {
    std::string bytes;
    if (!FromDisplay(text, bytes))
        return;
    m_shell.HelpFile = QString::fromStdString(HelpFilePath(m_db.ProgramDir));
    OpenHelpTopic(this, m_shell.HelpFile, ToDisplay(HotSpotTopic(bytes)));
}

bool TfmDeckED::eventFilter(QObject* watched, QEvent* event) {
    // The window previews keys: F1 opens the help wherever the focus is.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        sbHelpClick();
        return true;
    }
    if (watched == lbBase->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            // The pop-up menu acts on the line under the pointer.
            const QModelIndex index = lbBase->indexAt(mouse->position().toPoint());
            if (index.isValid()) {
                lbBase->setCurrentIndex(index);
                lbBaseClick();
            }
            return true;
        }
    }
    if (watched == lbBase && event->type() == QEvent::KeyPress) {
        // Every keyboard move of the current line (arrows, pages, Home, End, a typed
        // letter) shows the card as a click does. While a key is held, price and rulings
        // follow; the face waits for the release.
        const QModelIndex before = lbBase->currentIndex();
        lbBase->removeEventFilter(this);
        QApplication::sendEvent(lbBase, event);
        lbBase->installEventFilter(this);
        if (lbBase->currentIndex() != before) {
            m_suspendFace = true;
            m_skipMemoOnce = false;
            lbBaseClick();
        }
        return true;
    }
    if (watched == lbBase && event->type() == QEvent::FocusOut && m_suspendFace) {
        // The key that moved the line is released elsewhere: the face is drawn now.
        m_suspendFace = false;
        m_skipMemoOnce = true;
        lbBaseClick();
        m_skipMemoOnce = false;
    }
    if (watched == lbDeck && event->type() == QEvent::KeyPress) {
        const int before = lbDeck->currentRow();
        lbDeck->removeEventFilter(this);
        QApplication::sendEvent(lbDeck, event);
        lbDeck->installEventFilter(this);
        if (lbDeck->currentRow() != before)
            lbDeckClick();
        return true;
    }
    if (watched == lbBase && event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) {
            m_suspendFace = false;
            m_skipMemoOnce = true;
            lbBaseClick();
            m_skipMemoOnce = false;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- deck --------------------------------------------------------------------------------

void TfmDeckED::refreshDeck() {
    m_refreshingDeck = true;
    lbDeck->clear();
    for (const std::string& line : m_deck.Lines())
        lbDeck->addItem(ToDisplay(line));
    lbDeck->setCurrentRow(m_deck.Selected());
    if (m_deck.Selected() >= 0)
        lbDeck->scrollToItem(lbDeck->item(m_deck.Selected()));
    m_refreshingDeck = false;
}

void TfmDeckED::reportDeck(const TDeckResult& result) {
    if (!result.Ok)
        ShowError(this, ToDisplay(result.Message));
}

void TfmDeckED::CountDeck() {
    const TCountResult counted = zandor::CountDeck(m_deck.Lines(), m_db);
    lbMana->setText(ToDisplay(CounterText(counted.Counts.Land)));
    lbCreatures->setText(ToDisplay(CounterText(counted.Counts.Creature)));
    lbSpells->setText(ToDisplay(CounterText(counted.Counts.Spells)));
    lbDecks->setText(ToDisplay(CounterText(counted.Counts.Deck)));
    lbSB->setText(ToDisplay(CounterText(counted.Counts.SB)));
    reportDeck(counted.Error);
}

void TfmDeckED::bbAddClick() {
    addSelectedBase(false);
}

void TfmDeckED::bbSAddClick() {
    addSelectedBase(true);
}

void TfmDeckED::addSelectedBase(bool sideboard) {
    const int row = SelectedBase();
    if (row < 0)
        return;
    const std::string& line = m_base[static_cast<std::size_t>(row)];
    const TDeckResult added = sideboard ? m_deck.AddSideboardCard(line) : m_deck.AddCard(line);
    refreshDeck();
    if (!added.Ok) {
        reportDeck(added);
        return;
    }
    CountDeck();
    lbBase->setFocus();
}

void TfmDeckED::bbDeleteClick() {
    if (m_deck.Selected() < 0)
        return;
    const TDeckResult deleted = m_deck.DeleteCard();
    refreshDeck();
    lbDeck->setFocus();
    if (!deleted.Ok) {
        reportDeck(deleted);
        return;
    }
    CountDeck();
}

void TfmDeckED::bbCommentClick() {
    TfmResult* dialog = m_shell.fmResult;
    if (!dialog || dialog->exec() != QDialog::Accepted) {
        lbBase->setFocus();
        return;
    }
    std::string text;
    if (!FromDisplay(dialog->edText->text(), text)) {
        ShowError(this, QStringLiteral("The comment holds characters that a deck file cannot "
                                       "store (its text is Windows-1252). Nothing was added."));
        return;
    }
    if (m_deck.InsertComment(text))
        refreshDeck();
    lbBase->setFocus();
}

void TfmDeckED::sbUpClick() {
    if (m_deck.MoveUp())
        refreshDeck();
}

void TfmDeckED::sbDownClick() {
    if (m_deck.MoveDown())
        refreshDeck();
}

void TfmDeckED::sbNewClick() {
    m_deck.New();
    edDName->clear();
    refreshDeck();
    CountDeck();
}

QString TfmDeckED::deckDir() const {
    return fromPath(m_db.DeckDir);
}

bool TfmDeckED::deckNameFromEdit() {
    std::string name;
    if (!FromDisplay(edDName->text(), name)) {
        ShowError(this, QStringLiteral("The deck name holds characters that a deck file cannot "
                                       "store (its text is Windows-1252)."));
        edDName->setText(ToDisplay(m_deck.DeckName()));
        return false;
    }
    m_deck.SetDeckName(name);
    return true;
}

std::optional<std::string> TfmDeckED::chooseDeckFileToWrite() {
    // The save dialog proposes the deck name; ".dec" is added when missing, and a file that
    // exists is replaced only when the user says so.
    const QString chosen = FileDialogs.Save(this, deckDir(), edDName->text() + ".dec");
    if (chosen.isEmpty())
        return std::nullopt;
    const TDeckSavePlan plan = PlanDeckSave(chosen.toStdString());
    if (plan.AskReplace &&
        !AskYesNo(this,
                  QString::fromUtf8(SaveDeckCaption.data(),
                                    static_cast<qsizetype>(SaveDeckCaption.size())),
                  fromPath(plan.Question), false))
        return std::nullopt;
    return plan.Path;
}

void TfmDeckED::sbSaveClick() {
    if (!deckNameFromEdit())
        return;
    const std::optional<std::string> path = chooseDeckFileToWrite();
    if (!path)
        return;
    const TWriteResult written = SaveDeckFile(*path, m_deck.Lines());
    if (!written.Ok) {
        // The old file stays as it was, and so do the deck and its name.
        ShowError(this, fromPath(written.Error));
        return;
    }
    QString name = QFileInfo(fromPath(*path)).fileName();
    name.chop(4);
    edDName->setText(name);
    deckNameFromEdit();
    m_db.DeckDir = ExtractFileDir(*path);
}

void TfmDeckED::sbLoadClick() {
    const QString chosen = FileDialogs.Open(this, deckDir());
    if (chosen.isEmpty() || !QFileInfo::exists(chosen))
        return;
    lbDeck->repaint();
    const std::string path = chosen.toStdString();
    std::string reason;
    auto lines = ReadTextLines(path, &reason);
    if (!lines) {
        ShowError(this, QStringLiteral("Cannot read the deck file %1: %2.")
                            .arg(chosen, QString::fromStdString(reason)));
        return;
    }
    // The conversion of an old deck moves the progress bar line by line.
    pbStat->setRange(0, lines->size() > 1 ? static_cast<int>(lines->size() - 1) : 1);
    const TDeckFile file = LoadDeckLines(path, std::move(*lines), m_db, [this](std::size_t line) {
        pbStat->setValue(static_cast<int>(line));
    });
    pbStat->setValue(0);
    if (file.Rewritten && !file.Rewrite.Ok)
        ShowError(this, fromPath(file.Rewrite.Error));
    m_deck.SetLines(file.Lines);
    QString name = QFileInfo(chosen).fileName();
    name.chop(4);
    edDName->setText(name);
    deckNameFromEdit();
    refreshDeck();
    CountDeck();
    m_db.DeckDir = file.DeckDir;
}

void TfmDeckED::SaveApprendic1Click() {
    if (m_deck.Lines().empty() || !deckNameFromEdit())
        return;
    const std::optional<std::string> path = chooseDeckFileToWrite();
    if (!path)
        return;
    const TWriteResult written = ExportApprentice(*path, m_deck.DeckName(), m_deck.Lines());
    if (!written.Ok)
        ShowError(this, fromPath(written.Error));
}

// ---- window ------------------------------------------------------------------------------

void TfmDeckED::sbTestClick() {
    const bool fromLoadDialog = m_shell.fmLoadDeck && m_shell.fmLoadDeck->isVisible();
    if (!fromLoadDialog)
        PlayTestDecks().Player1Deck = m_deck.Lines();
    const bool tableShown = m_shell.DeckEditorTestPlay();
    if (fromLoadDialog)
        emit DeckForLoadDialog(m_deck.Lines());
    // The editor makes way only for a window that takes its place; without one the user
    // would be left with nothing on screen and no way to end the program.
    if (tableShown || fromLoadDialog)
        hide();
}

void TfmDeckED::SetDeckLines(const std::vector<std::string>& lines) {
    m_deck.SetLines(lines);
    refreshDeck();
    CountDeck();
}

void TfmDeckED::sbStatClick() {
    // An empty deck has no statistics to show.
    if (!m_deck.Lines().empty())
        emit StatisticsRequested(m_deck.Lines());
}

void TfmDeckED::sbHelpClick() {
    m_shell.HelpFile = QString::fromStdString(HelpFilePath(m_db.ProgramDir));
    m_shell.OpenHelp(this);
}

void TfmDeckED::SpeedButton1Click() {
    const TWriteResult written = WriteVersionRecord(m_db);
    if (!written.Ok)
        ShowError(this, fromPath(written.Error));
}

void TfmDeckED::LookBase1Click() {
    EditCard1->setEnabled(!LookBase1->isChecked());
    pmEditCard->setEnabled(!LookBase1->isChecked());
}

TfmEditionED* TfmDeckED::editionWindow() {
    // Made once, on first use, and kept: it refreshes its list each time it is shown.
    auto* window = findChild<TfmEditionED*>(QStringLiteral("fmEditionED"));
    if (!window) {
        window = new TfmEditionED(m_db, this);
        window->BaseChanged = [this] {
            // The catalogue or the card list changed: the filter dialog reads the settings
            // again and the base list is filtered anew without showing it.
            if (m_shell.fmFilters)
                m_shell.fmFilters->LoadFromSettings();
            FilterBase(true);
        };
    }
    return window;
}

void TfmDeckED::editBaseCard(const std::string& baseLine) {
    auto* dialog = findChild<TfmEditCard*>(QStringLiteral("fmEditCard"));
    if (!dialog)
        dialog = new TfmEditCard(m_db, this);
    const int row = SelectedBase();
    const std::optional<std::string> edited = dialog->EditBaseLine(baseLine);
    if (!edited || row < 0)
        return;
    // The edited card keeps its place in the list under its new base line.
    m_baseModel->Change([&](TBaseList& base) {
        std::vector<std::string> lines = base.TakeLines();
        lines[static_cast<std::size_t>(row)] = *edited;
        base.SetLines(std::move(lines));
    });
    lbBase->setCurrentIndex(m_baseModel->index(row));
    lbBaseClick();
}

void TfmDeckED::pmEditCardClick() {
    if (LookBase1->isChecked())
        return;
    const int row = SelectedBase();
    if (row >= 0)
        emit EditCardRequested(m_base[static_cast<std::size_t>(row)]);
}

void TfmDeckED::closeEvent(QCloseEvent* event) {
    event->accept();
    hide();
    m_shell.DeckEditorClosed();
}

void TfmDeckED::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        lbBase->setFocus();
    QMainWindow::changeEvent(event);
}

} // namespace zandor
