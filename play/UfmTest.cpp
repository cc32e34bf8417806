#include "play/UfmTest.h"

#include "play/UGameArt.h"
#include "play/UTest.h"
#include "render/UTableTile.h"

#include "core/UApplication.h"
#include "core/UCardDatabase.h"
#include "core/UCodePage.h"
#include "core/URandom.h"
#include "core/UTextFile.h"
#include "play/UNewTest.h"
#include "play/UPileViewer.h"
#include "play/USplit.h"
#include "play/Ukube.h"
#include "play/Umessage.h"
#include "play/uPT.h"
#include "render/UCardFace.h"
#include "render/UCombine.h"
#include "render/UResample.h"
#include "widgets/UAnimatedMenu.h"
#include "widgets/UMessages.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

#include <cstring>

namespace zandor {

namespace {

constexpr int ToolBarHeight = 34;
constexpr int ColumnWidth = 210;
constexpr int PileWidth = 70;
constexpr int PileHeight = 90;
constexpr int LifeHeight = 34;
constexpr int SplitPanelHeight = 19;
constexpr int HandItemHeight = 12;
constexpr int HandListHeight = 100;
constexpr int HandPanelHeight = 120;
// Where a hand card is held while it is dragged: its corner 30 pixels up and left.
constexpr int HandGrab = 30;

void paintBlack(QWidget* widget, const QColor& color = Qt::black) {
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
}

QToolButton* toolButton(QWidget* parent, const char* name, const QString& hint,
                        const QString& text) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(hint);
    b->setText(text);
    b->setAutoRaise(true);
    return b;
}

const char* pileBase(TPileKind kind) {
    switch (kind) {
    case TPileKind::Library:
        return "lib";
    case TPileKind::Graveyard:
        return "grave";
    case TPileKind::Removed:
        break;
    }
    return "remov";
}

int kindIndex(TPileKind kind) {
    return static_cast<int>(kind);
}

} // namespace

// ---- pictures -------------------------------------------------------------------------

TPictureBox::TPictureBox(QImage* picture, QWidget* parent) : QWidget(parent), m_picture(picture) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPictureBox::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.drawImage(event->rect(), *m_picture, event->rect());
}

int TGameArtCache::AddArt(const std::string& path) {
    std::string error;
    const int index = Pictures.AddArt(path, &error);
    if (!error.empty())
        Errors.push_back(error);
    return index;
}

int TGameArtCache::AddCardArt(const std::string& picDir, const std::string& edition,
                              const std::string& name) {
    TZandorCard card;
    card.Name = name;
    card.Edition = edition;
    return AddArt(ArtFileName(card, picDir));
}

// ---- the window -----------------------------------------------------------------------

// The table is not kept on top of other windows: the deck editor, opened modally from the
// load deck dialog, would disappear behind it.
TfmPlay::TfmPlay(TCardDatabase& db, TfmLoadDeck* loadDeck, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_db(db), m_loadDeck(loadDeck),
      m_artCache(std::make_unique<TGameArtCache>()) {
    setObjectName(QStringLiteral("fmPlay"));
    setWindowTitle(QStringLiteral("Test Play"));
    QFont interfaceFont(QStringLiteral("MS Sans Serif"));
    interfaceFont.setPointSize(8);
    setFont(interfaceFont);
    paintBlack(this);

    // Tool bar.
    ToolBar = new QFrame(this);
    paintBlack(ToolBar);
    sbNewGame =
        toolButton(ToolBar, "sbNewGame", QStringLiteral("New Game"), QStringLiteral("New Game"));
    Panel7 = new QFrame(ToolBar);
    paintBlack(Panel7);
    sbShowModall =
        toolButton(Panel7, "sbShowModall", QStringLiteral("Roll the die"), QStringLiteral("Die"));
    Button1 = new QPushButton(QStringLiteral("Sizeable"), Panel7);
    Button2 = new QPushButton(QStringLiteral("None"), Panel7);
    Button1->hide();
    Button2->hide();
    SpeedButton1 = toolButton(ToolBar, "SpeedButton1", QString(), QStringLiteral("X"));
    QFont xFont(QStringLiteral("Times New Roman"));
    xFont.setPixelSize(32);
    xFont.setBold(true);
    SpeedButton1->setFont(xFont);
    QPalette silver = SpeedButton1->palette();
    silver.setColor(QPalette::ButtonText, QColor(192, 192, 192));
    SpeedButton1->setPalette(silver);
    for (QToolButton* b : {sbNewGame, sbShowModall}) {
        QPalette light = b->palette();
        light.setColor(QPalette::ButtonText, QColor(230, 226, 214));
        b->setPalette(light);
    }

    // Left column.
    const auto pile = [this](int player, TPileKind kind, const char* name) {
        auto* box = new TPictureBox(&m_piles[player - 1][kindIndex(kind)], this);
        box->setObjectName(QString::fromLatin1(name));
        box->setFixedSize(PileWidth, PileHeight);
        box->installEventFilter(this);
        return box;
    };
    pbRemoveP2 = pile(2, TPileKind::Removed, "pbRemoveP2");
    pbLibP2 = pile(2, TPileKind::Library, "pbLibP2");
    pbGreivP2 = pile(2, TPileKind::Graveyard, "pbGreivP2");
    pbRemoveP1 = pile(1, TPileKind::Removed, "pbRemoveP1");
    pbLibP1 = pile(1, TPileKind::Library, "pbLibP1");
    pbGreivP1 = pile(1, TPileKind::Graveyard, "pbGreivP1");
    const auto life = [this](const char* name) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(name));
        paintBlack(label);
        QFont font(QStringLiteral("Times New Roman"));
        font.setPixelSize(32);
        font.setBold(true);
        label->setFont(font);
        QPalette yellow = label->palette();
        yellow.setColor(QPalette::WindowText, Qt::yellow);
        label->setPalette(yellow);
        label->setAlignment(Qt::AlignCenter);
        label->installEventFilter(this);
        return label;
    };
    plLifeP2 = life("plLifeP2");
    plLifeP1 = life("plLifeP1");
    plMiddle = new QFrame(this);
    paintBlack(plMiddle);
    pbCardViewPlay = new QLabel(plMiddle);
    pbCardViewPlay->setObjectName(QStringLiteral("pbCardViewPlay"));
    pbCardViewPlay->installEventFilter(this);
    plSplit = new QFrame(plMiddle);
    paintBlack(plSplit);
    sbSplit = new QPushButton(plSplit);
    sbSplit->setObjectName(QStringLiteral("sbSplit"));
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(8);
    sbSplit->setFont(arial);
    sbSplit->setFlat(true);
    QPalette white = sbSplit->palette();
    white.setColor(QPalette::ButtonText, Qt::white);
    sbSplit->setPalette(white);
    sbSplit->hide();

    // The table.
    Panel2 = new QFrame(this);
    paintBlack(Panel2, TableColor);
    pbPlay = new TPictureBox(&m_display, Panel2);
    pbPlay->setObjectName(QStringLiteral("pbPlay"));
    pbPlay->setMouseTracking(true);
    pbPlay->installEventFilter(this);
    const auto hand = [this](int player, QFrame*& panel, QListWidget*& list, QToolButton*& untap,
                             QToolButton*& draw, QToolButton*& discard) {
        const QString n = QString::number(player);
        panel = new QFrame(Panel2);
        panel->setObjectName(QStringLiteral("plPlayer") + n);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Raised);
        paintBlack(panel, QColor(128, 128, 128));
        panel->setGeometry(424, player == 1 ? 408 : 32, 120, HandPanelHeight);
        panel->installEventFilter(this);
        list = new QListWidget(panel);
        list->setObjectName(QStringLiteral("lbHandP") + n);
        list->setGeometry(5, player == 1 ? 15 : 16, 87, HandListHeight);
        list->setFrameShape(QFrame::NoFrame);
        QFont font(QStringLiteral("Arial"));
        font.setPointSize(7);
        list->setFont(font);
        QPalette palette = list->palette();
        palette.setColor(QPalette::Base, QColor(192, 192, 192));
        list->setPalette(palette);
        list->setUniformItemSizes(true);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->viewport()->installEventFilter(this);
        untap = toolButton(panel, ("sbUntapP" + n.toStdString()).c_str(), QStringLiteral("Untap"),
                           QStringLiteral("U"));
        draw = toolButton(panel, ("sbDrawP" + n.toStdString()).c_str(), QStringLiteral("Draw"),
                          QStringLiteral("D"));
        discard = toolButton(panel, ("sbDiscardP" + n.toStdString()).c_str(),
                             QStringLiteral("Discard"), QStringLiteral("X"));
        untap->setGeometry(96, 16, 17, 17);
        draw->setGeometry(96, 40, 17, 17);
        discard->setGeometry(96, 72, 17, 17);
        connect(untap, &QToolButton::clicked, this, [this, player] { sbUntapClick(player); });
        connect(draw, &QToolButton::clicked, this, [this, player] { sbDrawClick(player); });
        connect(discard, &QToolButton::clicked, this, [this, player] { sbDiscardClick(player); });
        connect(list, &QListWidget::itemClicked, this, [this, player] { lbHandClick(player); });
    };
    hand(2, plPlayer2, lbHandP2, sbUntapP2, sbDrawP2, sbDiscardP2);
    hand(1, plPlayer1, lbHandP1, sbUntapP1, sbDrawP1, sbDiscardP1);

    fmSplit = new TfmSplit(this);
    fmKube = new TfmKube(this);
    fmPT = new TfmPT(this);
    createMenus();
    createViewer();

    connect(sbNewGame, &QToolButton::clicked, this, [this] { sbNewGameClick(); });
    connect(sbShowModall, &QToolButton::clicked, this, [this] { sbShowModallClick(); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(sbSplit, &QPushButton::clicked, this, [this] { sbSplitClick(); });
    connect(Button1, &QPushButton::clicked, this,
            [this] { setWindowFlag(Qt::FramelessWindowHint, false); });
    connect(Button2, &QPushButton::clicked, this,
            [this] { setWindowFlag(Qt::FramelessWindowHint, true); });

    // Form created: the card view starts as the blank card, the piles black.
    LoadBlankCard(m_cardView);
    pbCardViewPlay->setPixmap(QPixmap::fromImage(m_cardView));
    for (auto& row : m_piles)
        for (QImage& picture : row) {
            picture = QImage(PileWidth, PileHeight, QImage::Format_RGB32);
            picture.fill(Qt::black);
        }
    m_tile = NewWorkPicture(TileSize, TileSize);
    resize(1024, 768);
    setWindowState(Qt::WindowMaximized);
}

TfmPlay::~TfmPlay() = default;

const QImage& TfmPlay::PilePicture(int player, TPileKind kind) const {
    return m_piles[player == 1 ? 0 : 1][kindIndex(kind)];
}

const std::string& TfmPlay::PileFile(int player, TPileKind kind) const {
    return m_pileFiles[player == 1 ? 0 : 1][kindIndex(kind)];
}

void TfmPlay::layoutControls() {
    const int w = width();
    const int h = height();
    ToolBar->setGeometry(0, 0, w, ToolBarHeight);
    sbNewGame->setGeometry(2, 1, 80, 32);
    SpeedButton1->setGeometry(w - 34, 1, 32, 32);
    Panel7->setGeometry(84, 0, std::max(0, w - 84 - 36), ToolBarHeight);
    sbShowModall->setGeometry(0, 1, 48, 32);
    int y = ToolBarHeight;
    pbRemoveP2->move(0, y);
    pbLibP2->move(PileWidth, y);
    pbGreivP2->move(2 * PileWidth, y);
    y += PileHeight;
    plLifeP2->setGeometry(0, y, ColumnWidth, LifeHeight);
    y += LifeHeight;
    const int bottomRows = PileHeight + LifeHeight;
    const int middle = std::max(0, h - y - bottomRows);
    plMiddle->setGeometry(0, y, ColumnWidth, middle);
    const int viewTop = std::max(0, (middle - SplitPanelHeight - CardHeight) / 2);
    pbCardViewPlay->setGeometry(0, viewTop, CardWidth, CardHeight);
    plSplit->setGeometry(0, viewTop + CardHeight, ColumnWidth, SplitPanelHeight);
    sbSplit->setGeometry(0, 0, ColumnWidth, SplitPanelHeight);
    y += middle;
    pbRemoveP1->move(0, y);
    pbLibP1->move(PileWidth, y);
    pbGreivP1->move(2 * PileWidth, y);
    plLifeP1->setGeometry(0, y + PileHeight, ColumnWidth, LifeHeight);
    Panel2->setGeometry(ColumnWidth, ToolBarHeight, std::max(1, w - ColumnWidth),
                        std::max(1, h - ToolBarHeight));
    pbPlay->setGeometry(0, 0, Panel2->width(), Panel2->height());
}

void TfmPlay::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutControls();
    // The cards come back at the next full redraw.
    m_display = QImage(pbPlay->size(), QImage::Format_RGB32);
    m_display.fill(TableColor);
    m_board = m_display.copy();
    m_floatShown = false;
    if (m_game)
        FullRedraw();
}

void TfmPlay::clearTable() {
    m_menuCard = nullptr;
    m_board.fill(TableColor);
    m_display = m_board.copy();
    m_floatShown = false;
    pbPlay->update();
}

void TfmPlay::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Without a window manager a maximised window keeps its size: fill the screen here.
    if (isMaximized() && screen() && geometry() != screen()->availableGeometry())
        setGeometry(screen()->availableGeometry());
    if (m_game)
        return;
    m_game = std::make_unique<TPlayerTest>();
    m_game->Player1Name = Player1;
    m_game->Player2Name = Player2;
    clearTable();
    m_dragActive = false;
    m_pending = TDragSource::None;
    m_movingPanel = nullptr;
    RedrawAllPiles();
    ShowLives();
}

void TfmPlay::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (event->spontaneous())
        return; // minimised, not closed
    for (TAnimatedPopupMenu* menu : {IAPMPlayCard, IAPMHandP1, IAPMHandP2})
        menu->Close();
    HidePileViewer();
    m_menuCard = nullptr;
    if (m_game)
        m_game->Clear();
    m_game.reset();
    m_artCache->Clear();
    lbHandP1->clear();
    lbHandP2->clear();
}

void TfmPlay::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && HasShell()) {
        Shell().OpenHelp(this);
        return;
    }
    QWidget::keyPressEvent(event);
}

void TfmPlay::SpeedButton1Click() {
    hide();
    emit Closed();
}

// ---- drawing --------------------------------------------------------------------------

void TfmPlay::reportOnce(const std::string& file, const QString& text) {
    if (!m_reported.insert(file).second)
        return;
    ShowError(this, text);
}

bool TfmPlay::drawTile(const TMCardPlay& play, QImage& picture, const QRect& source) {
    const TTileResult result = DrawTableTile(
        play, picture, source, TTileSources{m_db.PicDir, m_db.DataDir, &m_artCache->Pictures});
    if (!result.Error.empty())
        reportOnce(
            result.Error,
            QStringLiteral("The table cannot show a picture: %1").arg(ToDisplay(result.Error)));
    return result.Drawn;
}

void TfmPlay::drawCardOnBoard(int index) {
    const auto play = m_game ? m_game->TableCard(index) : std::nullopt;
    if (!play || !drawTile(*play, m_tile, QRect(0, 0, TileSize, TileSize)))
        return;
    QPainter p(&m_board);
    p.drawImage(play->X, play->Y, m_tile);
}

void TfmPlay::eraseFromBoard(int index) {
    const auto play = m_game ? m_game->TableCard(index) : std::nullopt;
    if (!play)
        return;
    const QRect square(play->X, play->Y, TileSize, TileSize);
    QPainter p(&m_board);
    p.fillRect(square, TableColor);
    for (int j = 0; j <= m_game->TableLast(); ++j) {
        if (j == index)
            continue;
        const auto other = m_game->TableCard(j);
        const QRect rect(other->X, other->Y, TileSize, TileSize);
        const QRect common = rect.intersected(square);
        if (common.isEmpty())
            continue;
        // Only the part of the other tile that falls inside the square.
        QImage part(common.size(), QImage::Format_RGB32);
        if (drawTile(*other, part, common.translated(-other->X, -other->Y)))
            p.drawImage(common.topLeft(), part);
    }
}

void TfmPlay::showBoardRect(const QRect& rect) {
    const QRect r = rect.intersected(m_board.rect());
    if (r.isEmpty())
        return;
    QPainter p(&m_display);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(r.topLeft(), m_board, r);
    p.end();
    pbPlay->update(r);
}

void TfmPlay::FullRedraw() {
    m_board.fill(TableColor);
    if (m_game)
        for (int i = 0; i <= m_game->TableLast(); ++i)
            drawCardOnBoard(i);
    // Into Display's own memory: a new picture of the table's size is slow to touch.
    if (m_display.size() == m_board.size() && m_display.format() == m_board.format() &&
        m_display.bytesPerLine() == m_board.bytesPerLine())
        std::memcpy(m_display.bits(), m_board.constBits(),
                    static_cast<std::size_t>(m_board.sizeInBytes()));
    else
        m_display = m_board.copy();
    m_floatShown = false;
    pbPlay->update();
}

void TfmPlay::drawPile(int player, TPileKind kind) {
    const std::string name = playerName(player);
    int last = -1;
    if (m_game) {
        last = kind == TPileKind::Library     ? m_game->LibraryLast(name)
               : kind == TPileKind::Graveyard ? m_game->GraveyardLast(name)
                                              : m_game->RemovedLast(name);
        last = std::max(last, -1);
    }
    std::string file = pileBase(kind);
    QPoint offset(-1, -1);
    if (last >= 45) {
        file += "60";
        offset = {4, 4};
    } else if (last >= 15) {
        file += "35";
        offset = {8, 10};
    } else if (last >= 5) {
        file += "15";
        offset = {13, 16};
    } else if (last >= 0) {
        file += "5";
        offset = {15, 19};
    }
    file += ".bmp";
    QImage& picture = m_piles[player - 1][kindIndex(kind)];
    m_pileFiles[player - 1][kindIndex(kind)] = file;
    const std::string path = m_db.DataDir + file;
    QImage loaded;
    if (FileExists(path))
        loaded.load(QString::fromStdString(path));
    picture.fill(Qt::black);
    QPainter p(&picture);
    if (loaded.isNull()) {
        if (m_reported.insert(file).second)
            m_missingPiles << QString::fromStdString(path);
    } else
        p.drawImage(0, 0, loaded);
    if (kind != TPileKind::Library && last >= 0 && m_game) {
        const auto top = kind == TPileKind::Graveyard ? m_game->PrepareGraveyardCard(name, last)
                                                      : m_game->PrepareRemovedCard(name, last);
        if (top) {
            QImage face(CardWidth, CardHeight, QImage::Format_RGB888);
            face.fill(Qt::white);
            DrawCardFace(top->Card, face, StretchStandart, {m_frames, m_db.PicDir, m_db.DataDir});
            QImage thumb;
            ResampleImage(52, 67, BoxFilter, thumb, face, 1.0f);
            p.drawImage(offset, thumb);
        }
    }
    p.end();
    const char* hint = kind == TPileKind::Library     ? "Library: %1 cards"
                       : kind == TPileKind::Graveyard ? "Graveyard: %1 cards"
                                                      : "Remove from game: %1 cards";
    QWidget* box = player == 1 ? (kind == TPileKind::Library     ? pbLibP1
                                  : kind == TPileKind::Graveyard ? pbGreivP1
                                                                 : pbRemoveP1)
                               : (kind == TPileKind::Library     ? pbLibP2
                                  : kind == TPileKind::Graveyard ? pbGreivP2
                                                                 : pbRemoveP2);
    box->setToolTip(QString::fromLatin1(hint).arg(last + 1));
    box->update();
}

void TfmPlay::RedrawPiles(TPileKind kind) {
    drawPile(1, kind);
    drawPile(2, kind);
    reportMissingPiles();
}

void TfmPlay::RedrawAllPiles() {
    for (TPileKind kind : {TPileKind::Library, TPileKind::Graveyard, TPileKind::Removed}) {
        drawPile(1, kind);
        drawPile(2, kind);
    }
    reportMissingPiles();
}

// The pile pictures that could not be read, named in one message, each file once a run.
void TfmPlay::reportMissingPiles() {
    if (m_missingPiles.isEmpty())
        return;
    const QString files = m_missingPiles.join(QStringLiteral("\n"));
    m_missingPiles.clear();
    ShowError(this, QStringLiteral("These pile pictures cannot be read; the piles are shown "
                                   "without them:\n%1")
                        .arg(files));
}

void TfmPlay::ShowLives() {
    plLifeP1->setText(m_game ? QString::number(m_game->GetLife(Player1)) : QString());
    plLifeP2->setText(m_game ? QString::number(m_game->GetLife(Player2)) : QString());
}

void TfmPlay::resizeHandPanel(int player) {
    QListWidget* list = handList(player);
    QFrame* panel = player == 1 ? plPlayer1 : plPlayer2;
    const int c = list->count();
    if (c >= 15)
        return;
    const int extra = std::max(0, HandItemHeight * (c + 1) - HandListHeight);
    panel->resize(panel->width(), HandPanelHeight + extra);
    list->resize(list->width(), HandListHeight + extra);
}

void TfmPlay::RefillHand(int player) {
    QListWidget* list = handList(player);
    list->clear();
    if (m_game) {
        std::vector<std::string> names;
        m_game->HandNames(playerName(player), names);
        for (const std::string& name : names) {
            auto* item = new QListWidgetItem(ToDisplay(name));
            item->setSizeHint(QSize(0, HandItemHeight));
            list->addItem(item);
        }
    }
    resizeHandPanel(player);
}

// ---- card view ------------------------------------------------------------------------

void TfmPlay::renderCardView(const TZandorCard& card) {
    m_cardView = QImage(CardWidth, CardHeight, QImage::Format_RGB888);
    m_cardView.fill(Qt::white);
    const TCardFaceResult result = DrawCardFace(card, m_cardView, m_db.ProgramOptions.Stretch,
                                                {m_frames, m_db.PicDir, m_db.DataDir});
    if (!result.ArtError.empty())
        reportOnce(result.ArtError, ToDisplay(result.ArtError));
    pbCardViewPlay->setPixmap(QPixmap::fromImage(m_cardView));
    pbCardViewPlay->setToolTip(ToDisplay(PlainCardText(card.Text)));
}

void TfmPlay::showCardInView(const TZandorCard& card, bool fromHand) {
    const std::string key = card.Name + '\t' + card.Edition.str();
    if (key == m_lastShownCard)
        return;
    m_lastShownCard = key;
    TZandorCard shown = card;
    if (card.Name.find('/') == std::string::npos) {
        sbSplit->setText(QString());
        sbSplit->hide();
    } else {
        const std::string base = SplitBaseName(card.Name);
        std::string other;
        if (fromHand) {
            shown = FindCard(m_db.NameIndex, m_db.CardLines, SplitHalfName(base, 1),
                             card.Edition.str());
            other = SplitHalfName(base, 2);
        } else {
            other = SplitHalfName(base, SplitHalfNumber(card.Name) == 1 ? 2 : 1);
        }
        sbSplit->setText(ToDisplay(other));
        m_splitEdition = card.Edition.str();
        sbSplit->show();
    }
    renderCardView(shown);
}

void TfmPlay::ShowHandCard(int player, int row) {
    if (!m_game)
        return;
    if (const auto card = m_game->HandCard(playerName(player), row))
        showCardInView(*card, true);
}

void TfmPlay::ShowTableCard(int index) {
    if (!m_game || index < 0)
        return;
    // The card as play left it, for a split card's current half; the printed record else.
    const auto play = m_game->TableCard(index);
    const auto printed = m_game->TablePrinted(index);
    if (!play || !printed)
        return;
    showCardInView(play->Card.Name.find('/') != std::string::npos ? play->Card : *printed, false);
}

void TfmPlay::sbSplitClick() {
    std::string name;
    if (!FromDisplay(sbSplit->text(), name) || name.empty())
        return;
    const TZandorCard card = FindCard(m_db.NameIndex, m_db.CardLines, name, m_splitEdition);
    const std::string base = SplitBaseName(name);
    sbSplit->setText(ToDisplay(SplitHalfName(base, SplitHalfNumber(name) == 1 ? 2 : 1)));
    m_lastShownCard = card.Name + '\t' + card.Edition.str();
    renderCardView(card);
}

void TfmPlay::lbHandClick(int player) {
    ShowHandCard(player, handList(player)->currentRow());
}

// ---- commands -------------------------------------------------------------------------

void TfmPlay::sbShowModallClick() {
    fmKube->Roll();
}

void TfmPlay::sbDrawClick(int player) {
    if (!m_game)
        return;
    const std::string name = playerName(player);
    const bool hadCard = m_game->LibraryLast(name) >= 0;
    m_game->Draw(name);
    // The height follows the list as it was before the drawn card is added.
    resizeHandPanel(player);
    if (hadCard) {
        std::vector<std::string> names;
        m_game->HandNames(name, names);
        auto* item = new QListWidgetItem(ToDisplay(names.back()));
        item->setSizeHint(QSize(0, HandItemHeight));
        handList(player)->addItem(item);
    }
    RedrawPiles(TPileKind::Library);
    RefreshViewer();
}

void TfmPlay::sbDiscardClick(int player) {
    QListWidget* list = handList(player);
    if (!m_game || list->count() == 0 || list->currentRow() < 0)
        return;
    m_game->HandToGraveyard(playerName(player), list->currentRow());
    RefillHand(player);
    RedrawPiles(TPileKind::Graveyard);
    RefreshViewer();
}

void TfmPlay::sbUntapClick(int player) {
    if (!m_game)
        return;
    const std::string name = playerName(player);
    for (int i = 0; i <= m_game->TableLast(); ++i) {
        const auto play = m_game->TableCard(i);
        if (play->Controller == name && !play->Untapped)
            m_game->ToggleTapped(i);
    }
    FullRedraw();
}

void TfmPlay::pbPlayDblClick() {
    if (!m_game)
        return;
    const TTableHit hit = m_game->TableHit(m_clickPoint.x(), m_clickPoint.y(), false);
    if (hit.Index < 0)
        return;
    if (m_game->TableCard(hit.Index)->FaceDown)
        return;
    m_game->ToggleTapped(hit.Index);
    m_game->BringToFront(hit.Index);
    const int last = m_game->TableLast();
    drawCardOnBoard(last);
    const auto play = m_game->TableCard(last);
    showBoardRect(QRect(play->X, play->Y, TileSize, TileSize));
}

void TfmPlay::sbNewGameClick() {
    HidePileViewer();
    if (!m_loadDeck || m_loadDeck->exec() != QDialog::Accepted)
        return;
    const std::vector<std::string> deck1 = m_loadDeck->Player1Lines();
    const std::vector<std::string> deck2 = m_loadDeck->Player2Lines();
    if (deck1.empty() && deck2.empty())
        return;
    if (!m_game) {
        m_game = std::make_unique<TPlayerTest>();
        m_game->Player1Name = Player1;
        m_game->Player2Name = Player2;
    }
    auto message = std::make_unique<TfmMessage>(this);
    message->ShowNow();
    lbHandP1->clear();
    lbHandP2->clear();
    for (int player : {1, 2}) {
        handList(player)->resize(handList(player)->width(), HandListHeight);
        QFrame* panel = player == 1 ? plPlayer1 : plPlayer2;
        panel->resize(panel->width(), HandPanelHeight);
    }
    clearTable();
    m_artCache->Errors.clear();
    m_game->SetSmallArtCache(m_artCache.get(), m_db.ProgramOptions.UseCopy);
    const TNewGameResult result = m_game->NewGame(Player1, Player2, m_db.PicDir, m_db.ProgramLines,
                                                  m_db.CardLines, m_db.NameIndex, deck1, deck2);
    m_game->StartGame();
    RefillHand(1);
    RefillHand(2);
    RedrawAllPiles();
    ShowLives();
    m_lastShownCard.clear();
    message->hide();
    message.reset();
    // What the engine could not read is told once, not dropped silently.
    QStringList problems;
    for (const auto& [player, skipped] :
         {std::pair{1, &result.Player1Skipped}, std::pair{2, &result.Player2Skipped}})
        if (!skipped->empty())
            problems << QStringLiteral("Player %1: %2 deck line(s) could not be read and were "
                                       "left out, the first being line %3: \"%4\"")
                            .arg(player)
                            .arg(skipped->size())
                            .arg(skipped->front().LineNumber)
                            .arg(ToDisplay(skipped->front().Text));
    // A deck that would deal more cards than a game can hold is not dealt at all.
    for (const auto& [player, refused] :
         {std::pair{1, result.Player1Refused}, std::pair{2, result.Player2Refused}})
        if (refused > 0)
            problems << ToDisplay(DeckTooLargeMessage(playerName(player), refused));
    for (const std::string& error : m_artCache->Errors)
        if (m_reported.insert(error).second)
            problems << ToDisplay(error);
    if (!problems.isEmpty())
        ShowError(this, problems.join(QLatin1Char('\n')));
}

// ---- mouse ----------------------------------------------------------------------------

void TfmPlay::changeLife(int player, QMouseEvent* event) {
    if (!m_game || event->modifiers() != Qt::NoModifier)
        return;
    const std::string name = playerName(player);
    if (event->button() == Qt::LeftButton && event->buttons() == Qt::LeftButton)
        m_game->SetLife(name, m_game->GetLife(name) + 1);
    else if (event->button() == Qt::RightButton && event->buttons() == Qt::RightButton)
        m_game->SetLife(name, m_game->GetLife(name) - 1);
    ShowLives();
}

bool TfmPlay::handPanelEvent(QFrame* panel, QEvent* event) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_movingPanel = panel;
        m_panelGrab = mouse->position().toPoint();
        return true;
    case QEvent::MouseMove: {
        if (m_movingPanel != panel)
            return false;
        // The panel follows the mouse, kept inside the table's left edge and its player's
        // half: player 1's below the middle, player 2's above it. The limits hold for the
        // new place, so that a quick move cannot carry a panel past them.
        const QPoint at = mouse->position().toPoint();
        const int h = Panel2->height() / 2;
        int left = std::max(0, panel->x() + at.x() - m_panelGrab.x());
        int top = panel->y() + at.y() - m_panelGrab.y();
        if (panel == plPlayer1)
            top = std::max(top, h);
        else
            top = std::clamp(top, 0, std::max(0, h - panel->height()));
        panel->move(left, top);
        return true;
    }
    case QEvent::MouseButtonRelease:
        m_movingPanel = nullptr;
        return true;
    default:
        return false;
    }
}

bool TfmPlay::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool mouseEvent = type == QEvent::MouseButtonPress || type == QEvent::MouseMove ||
                            type == QEvent::MouseButtonRelease ||
                            type == QEvent::MouseButtonDblClick;
    if (!mouseEvent)
        return QWidget::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint global = mouse->globalPosition().toPoint();

    // A drag in progress follows the mouse wherever the press was.
    if (type == QEvent::MouseMove && m_pending != TDragSource::None && !m_dragActive &&
        (global - m_pressGlobal).manhattanLength() >= QApplication::startDragDistance())
        startDrag();
    if (type == QEvent::MouseMove && m_dragActive) {
        dragMove(global);
        return true;
    }
    if (type == QEvent::MouseButtonRelease && (m_dragActive || m_pending != TDragSource::None)) {
        const bool wasActive = m_dragActive;
        if (m_dragActive)
            drop(global);
        endDrag();
        if (wasActive)
            return true;
    }

    if (watched == plLifeP1 || watched == plLifeP2) {
        if (type == QEvent::MouseButtonPress)
            changeLife(watched == plLifeP1 ? 1 : 2, mouse);
        return true;
    }
    if (watched == plPlayer1 || watched == plPlayer2)
        return handPanelEvent(static_cast<QFrame*>(watched), event);
    for (int player : {1, 2}) {
        QListWidget* list = handList(player);
        if (watched != list->viewport() || type != QEvent::MouseButtonPress)
            continue;
        if (mouse->button() == Qt::RightButton && mouse->buttons() == Qt::RightButton) {
            if (list->count() > 0) {
                QListWidgetItem* item = list->itemAt(mouse->position().toPoint());
                if (item) {
                    list->setCurrentItem(item);
                    ShowHandCard(player, list->row(item));
                } else {
                    list->setCurrentRow(-1);
                }
            }
            PopupHandMenu(player, global);
            return true;
        }
        if (!m_dragActive) {
            m_pending = player == 1 ? TDragSource::Hand1 : TDragSource::Hand2;
            m_pressGlobal = global;
        }
        return false;
    }
    if (watched == sgRLG->viewport()) {
        if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton &&
            !m_dragActive) {
            m_pending = TDragSource::Viewer;
            m_pressGlobal = global;
        }
        return false;
    }
    if (watched == pbPlay) {
        const QPoint at = mouse->position().toPoint();
        if (type == QEvent::MouseButtonPress && !m_dragActive && m_game) {
            m_clickPoint = at;
            const TTableHit hit = m_game->TableHit(at.x(), at.y(), true);
            if (mouse->button() == Qt::LeftButton && hit.Index >= 0) {
                m_pending = TDragSource::Table;
                m_pressGlobal = global;
            } else if (mouse->button() == Qt::RightButton && hit.Index >= 0) {
                PopupTableCardMenu(hit.Index, global);
            }
            return true;
        }
        if (type == QEvent::MouseButtonDblClick && mouse->button() == Qt::LeftButton) {
            pbPlayDblClick();
            return true;
        }
        if (type == QEvent::MouseMove && !m_dragActive && m_game &&
            mouse->buttons() == Qt::NoButton) {
            const TTableHit hit = m_game->TableHit(at.x(), at.y(), true);
            if (hit.Index >= 0)
                ShowTableCard(hit.Index);
            return true;
        }
        return false;
    }
    if (type == QEvent::MouseButtonDblClick) {
        for (int player : {1, 2})
            for (TPileKind kind : {TPileKind::Library, TPileKind::Graveyard, TPileKind::Removed}) {
                const TDropTarget target = targetAt(global);
                if (target.Kind == TDropTarget::OnPile && target.Player == player &&
                    target.Pile == kind) {
                    PileDoubleClick(player, kind);
                    return true;
                }
            }
    }
    return QWidget::eventFilter(watched, event);
}

// ---- drag and drop --------------------------------------------------------------------

TfmPlay::TDropTarget TfmPlay::targetAt(const QPoint& globalPos) const {
    TDropTarget target;
    const QWidget* w = childAt(mapFromGlobal(globalPos));
    for (; w && w != this; w = w->parentWidget()) {
        if (w == pbPlay) {
            target.Kind = TDropTarget::OnTable;
            target.TablePos = pbPlay->mapFromGlobal(globalPos);
            return target;
        }
        if (w == sgRLG) {
            target.Kind = TDropTarget::OnViewer;
            return target;
        }
        if (w == plRLG)
            return target; // the viewer's title takes nothing
        if (w == lbHandP1 || w == lbHandP2) {
            target.Kind = TDropTarget::OnHand;
            target.Player = w == lbHandP1 ? 1 : 2;
            return target;
        }
        const struct {
            const QWidget* Box;
            int Player;
            TPileKind Kind;
        } piles[] = {{pbLibP1, 1, TPileKind::Library},     {pbGreivP1, 1, TPileKind::Graveyard},
                     {pbRemoveP1, 1, TPileKind::Removed},  {pbLibP2, 2, TPileKind::Library},
                     {pbGreivP2, 2, TPileKind::Graveyard}, {pbRemoveP2, 2, TPileKind::Removed}};
        for (const auto& pile : piles)
            if (w == pile.Box) {
                target.Kind = TDropTarget::OnPile;
                target.Player = pile.Player;
                target.Pile = pile.Kind;
                return target;
            }
        if (w == plPlayer1 || w == plPlayer2)
            return target; // a hand panel's background takes nothing
    }
    return target;
}

bool TfmPlay::startDrag() {
    const TDragSource source = m_pending;
    m_pending = TDragSource::None;
    if (!m_game)
        return false;
    const bool frame = m_db.TableDragFrame;
    if (source == TDragSource::Table) {
        const TTableHit hit = m_game->TableHit(m_clickPoint.x(), m_clickPoint.y(), false);
        if (hit.Index < 0)
            return false;
        m_game->BringToFront(hit.Index);
        m_dragIndex = m_game->TableLast();
        const auto play = m_game->TableCard(m_dragIndex);
        m_grabOffset = QPoint(play->X - m_clickPoint.x(), play->Y - m_clickPoint.y());
        if (!frame) {
            drawTile(*play, m_dragImage, QRect(0, 0, TileSize, TileSize));
            eraseFromBoard(m_dragIndex);
            showBoardRect(QRect(play->X, play->Y, TileSize, TileSize));
        }
    } else if (source == TDragSource::Viewer) {
        const int h = viewerLast();
        const int p = TPileGrid::ColumnCount * sgRLG->Row() + sgRLG->Col();
        if (p > h)
            return false;
        const auto play = viewerCard(h - p);
        if (!play)
            return false;
        m_viewerDragPos = p;
        if (!frame)
            zoneDragImage(*play);
    } else {
        const int player = source == TDragSource::Hand1 ? 1 : 2;
        QListWidget* list = handList(player);
        const int row = list->currentRow();
        if (list->count() == 0 || row < 0)
            return false;
        if (!frame) {
            const auto play = m_game->PrepareHandCard(playerName(player), row);
            if (!play)
                return false;
            zoneDragImage(*play);
        }
    }
    m_source = source;
    m_dragActive = true;
    m_displayRestored = false;
    QApplication::setOverrideCursor(Qt::DragMoveCursor);
    return true;
}

void TfmPlay::zoneDragImage(const TMCardPlay& play) {
    if (play.Card.Name.find('/') != std::string::npos) {
        TMCardPlay second = play;
        second.Card = FindCard(m_db.NameIndex, m_db.CardLines, SplitHalfName(play.Card.Name, 2),
                               play.Card.Edition.str());
        m_dragImage = QImage();
        DrawSplitTile(play, second, m_dragImage,
                      TTileSources{m_db.PicDir, m_db.DataDir, &m_artCache->Pictures});
    } else {
        drawTile(play, m_dragImage, QRect(0, 0, TileSize, TileSize));
    }
}

QRect TfmPlay::floatRectAt(const QPoint& tablePos) const {
    if (m_source == TDragSource::Table)
        return QRect(tablePos + m_grabOffset - QPoint(1, 1), QSize(TileSize, TileSize));
    return QRect(tablePos - QPoint(HandGrab, HandGrab), QSize(TileSize, TileSize));
}

void TfmPlay::xorFrame(const QRect& rect) {
    QPainter p(&m_display);
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setPen(QPen(Qt::white, 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect.adjusted(0, 0, -1, -1));
    p.drawRect(rect.adjusted(1, 1, -2, -2));
}

void TfmPlay::moveFloat(const QRect& rect) {
    const QRect old = m_floatShown ? m_floatRect : QRect();
    if (m_db.TableDragFrame) {
        if (m_floatShown)
            xorFrame(old);
        xorFrame(rect);
    } else {
        QPainter p(&m_display);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        if (m_floatShown)
            p.drawImage(old.topLeft(), m_board, old);
        p.drawImage(rect.topLeft(), m_dragImage);
    }
    m_floatRect = rect;
    m_floatShown = true;
    pbPlay->update(QRegion(old) + rect);
}

void TfmPlay::hideFloat() {
    if (!m_floatShown)
        return;
    m_floatShown = false;
    if (m_db.TableDragFrame) {
        xorFrame(m_floatRect);
        pbPlay->update(m_floatRect);
    } else {
        showBoardRect(m_floatRect);
    }
}

void TfmPlay::dragMove(const QPoint& globalPos) {
    const TDropTarget target = targetAt(globalPos);
    if (target.Kind == TDropTarget::OnTable) {
        moveFloat(floatRectAt(target.TablePos));
        m_displayRestored = false;
        return;
    }
    // Off the table the floating picture goes, once: the table then shows Board until the
    // mouse comes back.
    if (!m_displayRestored) {
        hideFloat();
        m_displayRestored = true;
    }
}

void TfmPlay::drop(const QPoint& globalPos) {
    TDropTarget target = targetAt(globalPos);
    hideFloat();
    // Only the viewer's own cards are dropped on it.
    if (target.Kind == TDropTarget::OnViewer && m_source != TDragSource::Viewer)
        target.Kind = TDropTarget::Nothing;
    if (m_source == TDragSource::Viewer)
        dropFromViewer(target, globalPos);
    else if (m_source == TDragSource::Table)
        dropFromTable(target);
    else if (m_source == TDragSource::Hand1 || m_source == TDragSource::Hand2)
        dropFromHand(m_source == TDragSource::Hand1 ? 1 : 2, target);
}

void TfmPlay::endDrag() {
    if (m_dragActive)
        QApplication::restoreOverrideCursor();
    hideFloat();
    m_dragActive = false;
    m_pending = TDragSource::None;
    m_source = TDragSource::None;
    m_dragIndex = -1;
    m_viewerDragPos = -1;
}

void TfmPlay::dropFromTable(const TDropTarget& target) {
    const int index = m_dragIndex;
    const auto play = m_game ? m_game->TableCard(index) : std::nullopt;
    if (!play)
        return;
    const bool frame = m_db.TableDragFrame;
    const QRect old(play->X, play->Y, TileSize, TileSize);
    if (target.Kind == TDropTarget::OnTable) {
        if (frame) {
            eraseFromBoard(index);
            showBoardRect(old);
        }
        const QRect placed = floatRectAt(target.TablePos);
        m_game->SetLastPosition(placed.x(), placed.y());
        drawCardOnBoard(m_game->TableLast());
        showBoardRect(placed);
        return;
    }
    if (target.Kind == TDropTarget::Nothing) {
        if (!frame) {
            drawCardOnBoard(index);
            showBoardRect(old);
        }
        return;
    }
    if (frame)
        eraseFromBoard(index);
    const int owner = play->Owner == Player1 ? 1 : 2;
    bool moved = false;
    bool changed = false;
    if (target.Kind == TDropTarget::OnHand) {
        changed = m_game->TableToHand(index, true, &moved);
    } else {
        switch (target.Pile) {
        case TPileKind::Library:
            changed = m_game->TableToLibrary(index, true, true, &moved);
            break;
        case TPileKind::Graveyard:
            changed = m_game->TableToGraveyard(index, true, &moved);
            break;
        case TPileKind::Removed:
            changed = m_game->TableToRemoved(index, true, &moved);
            break;
        }
        HidePileViewer();
    }
    if (!moved) {
        // The card stays: show it again where it was.
        drawCardOnBoard(index);
        showBoardRect(old);
        return;
    }
    if (changed)
        FullRedraw();
    else
        showBoardRect(old);
    if (target.Kind == TDropTarget::OnHand)
        RefillHand(owner);
    else
        RedrawPiles(target.Pile);
}

void TfmPlay::dropFromHand(int player, const TDropTarget& target) {
    QListWidget* list = handList(player);
    const int row = list->currentRow();
    if (!m_game || list->count() == 0 || row < 0)
        return;
    const std::string name = playerName(player);
    if (target.Kind == TDropTarget::OnTable) {
        handToTable(player, row, target.TablePos);
        return;
    }
    if (target.Kind != TDropTarget::OnPile || target.Player != player)
        return;
    switch (target.Pile) {
    case TPileKind::Library:
        m_game->HandToLibrary(name, row);
        break;
    case TPileKind::Graveyard:
        m_game->HandToGraveyard(name, row);
        break;
    case TPileKind::Removed:
        m_game->HandToRemoved(name, row);
        break;
    }
    HidePileViewer();
    RefillHand(player);
    RedrawPiles(target.Pile);
}

TMCardPlay TfmPlay::chooseSplitHalf(const TZandorCard& card, const std::string& owner, int x,
                                    int y) {
    const std::string base = SplitBaseName(card.Name);
    const std::string edition = card.Edition.str();
    TZandorCard halves[2];
    QImage pictures[2];
    for (int i = 0; i < 2; ++i) {
        halves[i] = FindCard(m_db.NameIndex, m_db.CardLines, SplitHalfName(base, i + 1), edition);
        QImage face(CardWidth, CardHeight, QImage::Format_RGB888);
        face.fill(Qt::white);
        DrawCardFace(halves[i], face, StretchStandart, {m_frames, m_db.PicDir, m_db.DataDir});
        ResampleImage(140, 200, Lanczos3Filter, pictures[i], face, 3.0f);
    }
    fmSplit->SetHalves(pictures[0], pictures[1]);
    const bool first = fmSplit->ChooseFirst();
    TMCardPlay play;
    play.Card = halves[first ? 0 : 1];
    play.Owner = owner;
    play.Controller = owner;
    play.Untapped = 1;
    play.FaceDown = 0;
    play.StabIndex = -1;
    play.ImageIndex = -1;
    play.X = x;
    play.Y = y;
    return play;
}

void TfmPlay::handToTable(int player, int row, const QPoint& tablePos) {
    const std::string name = playerName(player);
    const int x = tablePos.x() - HandGrab;
    const int y = tablePos.y() - HandGrab;
    const auto prepared = m_game->PrepareHandCard(name, row);
    if (!prepared)
        return;
    bool changed = false;
    if (prepared->Card.Name.find('/') != std::string::npos) {
        const TMCardPlay play = chooseSplitHalf(prepared->Card, name, x, y);
        if (!m_game->HandToTableAs(name, row, play))
            return;
    } else {
        changed = m_game->HandToTable(name, row, true, x, y);
    }
    if (changed) {
        FullRedraw();
    } else {
        drawCardOnBoard(m_game->TableLast());
        showBoardRect(QRect(x, y, TileSize, TileSize));
    }
    RefillHand(player);
}

} // namespace zandor
