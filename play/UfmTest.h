// The play-test table: two players' piles, life totals and hands around a table on which
// cards are dropped, moved, tapped and sent back with the mouse. It owns the game and
// draws everything itself into two off-screen pictures: Board (the table with its cards)
// and Display (what the screen shows: Board plus the card being dragged).
#pragma once

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

class QListWidget;
class QToolButton;
class QPushButton;

namespace zandor {

struct TCardDatabase;
struct TMCardPlay;
struct TZandorCard;
class TListImageZandorCard;
class TPlayerTest;
class TGameArtCache;
class TfmLoadDeck;
class TfmSplit;
class TfmKube;
class TfmPT;
class TAnimatedPopupMenu;
class TPileGrid;
struct TZandorCardObj;

inline const QColor TableColor(68, 72, 78);

// A control that paints one picture of the window (the table, a pile).
class TPictureBox : public QWidget {
    Q_OBJECT
public:
    TPictureBox(QImage* picture, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage* m_picture;
};

enum class TPileKind { Library, Graveyard, Removed };

class TfmPlay : public QWidget {
    Q_OBJECT
public:
    TfmPlay(TCardDatabase& db, TfmLoadDeck* loadDeck, QWidget* parent = nullptr);
    ~TfmPlay() override;

    // The frames of the card view (may be null: faces without frames).
    void SetFrameImages(const TListImageZandorCard* frames) { m_frames = frames; }

    // Tool bar.
    QFrame* ToolBar;
    QToolButton* sbNewGame;
    QFrame* Panel7;
    QToolButton* sbShowModall;
    QPushButton* Button1;
    QPushButton* Button2;
    QToolButton* SpeedButton1;
    // Left column.
    TPictureBox* pbRemoveP2;
    TPictureBox* pbLibP2;
    TPictureBox* pbGreivP2;
    QLabel* plLifeP2;
    QFrame* plMiddle;
    QLabel* pbCardViewPlay;
    QFrame* plSplit;
    QPushButton* sbSplit;
    TPictureBox* pbRemoveP1;
    TPictureBox* pbLibP1;
    TPictureBox* pbGreivP1;
    QLabel* plLifeP1;
    // The table and the hand panels floating over it.
    QFrame* Panel2;
    TPictureBox* pbPlay;
    QFrame* plPlayer1;
    QFrame* plPlayer2;
    QListWidget* lbHandP1;
    QListWidget* lbHandP2;
    QToolButton* sbUntapP1;
    QToolButton* sbDrawP1;
    QToolButton* sbDiscardP1;
    QToolButton* sbUntapP2;
    QToolButton* sbDrawP2;
    QToolButton* sbDiscardP2;

    TfmSplit* fmSplit;
    TfmKube* fmKube;
    TfmPT* fmPT;

    // The card menu of the table and the hand menus.
    TAnimatedPopupMenu* IAPMPlayCard;
    TAnimatedPopupMenu* IAPMHandP1;
    TAnimatedPopupMenu* IAPMHandP2;

    // The pile viewer: a grid of the names of one library or graveyard, top card first.
    QFrame* plRLG;
    QLabel* plRLGTop;
    QToolButton* sbShuffle;
    QToolButton* sbEXIT;
    TPileGrid* sgRLG;
    // The pile on show: "LibP1", "LibP2", "GreivP1", "GreivP2"; empty when none.
    std::string ViewerPile;

    static constexpr const char* Player1 = "Player1";
    static constexpr const char* Player2 = "Player2";

    TPlayerTest* Game() { return m_game.get(); }
    const QImage& Board() const { return m_board; }
    const QImage& Display() const { return m_display; }
    const QImage& CardViewImage() const { return m_cardView; }
    const QImage& PilePicture(int player, TPileKind kind) const;
    // The file each pile picture was last drawn from ("lib35.bmp" ...).
    const std::string& PileFile(int player, TPileKind kind) const;
    const TGameArtCache& ArtCache() const { return *m_artCache; }
    bool DragActive() const { return m_dragActive; }
    QPoint ClickPoint() const { return m_clickPoint; }
    // The rectangle of the floating picture or frame on the table (empty when none).
    QRect FloatRect() const { return m_floatShown ? m_floatRect : QRect(); }
    const QImage& DragImage() const { return m_dragImage; }
    // Files that could not be read and were named to the user, each once.
    const std::set<std::string>& Reported() const { return m_reported; }

    // Handlers.
    void sbNewGameClick();
    void sbShowModallClick();
    void SpeedButton1Click();
    void sbSplitClick();
    void sbDrawClick(int player);
    void sbDiscardClick(int player);
    void sbUntapClick(int player);
    void lbHandClick(int player);
    void pbPlayDblClick();
    // Drawing.
    void FullRedraw();
    void RedrawPiles(TPileKind kind);
    void RedrawAllPiles();
    void ShowLives();
    void RefillHand(int player);
    void ShowHandCard(int player, int row);
    void ShowTableCard(int index);

    // Hooks for the card and hand menus and the pile viewer; the table calls them on a
    // right click on a card or in a hand, and on a double click on a pile.
    void PopupTableCardMenu(int index, const QPoint& globalPos);
    void PopupHandMenu(int player, const QPoint& globalPos);
    void PileDoubleClick(int player, TPileKind kind);
    void HidePileViewer();

    // The menu commands, by the caption of the picked entry.
    void IAPMPlayCardSelectItem(const QString& caption);
    void IAPMHandSelectItem(int player, const QString& caption);
    // The pile viewer.
    void sbEXITClick();
    void sbShuffleClick();
    // Redraws the grid and its title after the pile on show changed.
    void RefreshViewer();

signals:
    // "X" was pressed: the window the table was opened from shows again.
    void Closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class TDragSource { None, Hand1, Hand2, Table, Viewer };
    struct TDropTarget {
        enum { Nothing, OnTable, OnPile, OnHand, OnViewer } Kind = Nothing;
        int Player = 0;
        TPileKind Pile = TPileKind::Library;
        QPoint TablePos;
    };

    void layoutControls();
    void clearTable();
    // The tile of play into picture (100 x 100, or the part source), errors named once.
    bool drawTile(const TMCardPlay& play, QImage& picture, const QRect& source);
    void drawCardOnBoard(int index);
    void eraseFromBoard(int index);
    void showBoardRect(const QRect& rect);
    void reportOnce(const std::string& file, const QString& text);
    void reportMissingPiles();
    void showCardInView(const TZandorCard& card, bool fromHand);
    void renderCardView(const TZandorCard& card);
    void drawPile(int player, TPileKind kind);
    void resizeHandPanel(int player);
    std::string playerName(int player) const { return player == 1 ? Player1 : Player2; }
    QListWidget* handList(int player) const { return player == 1 ? lbHandP1 : lbHandP2; }
    void changeLife(int player, QMouseEvent* event);
    bool handPanelEvent(QFrame* panel, QEvent* event);

    // Drag and drop.
    bool startDrag();
    void dragMove(const QPoint& globalPos);
    void drop(const QPoint& globalPos);
    void endDrag();
    TDropTarget targetAt(const QPoint& globalPos) const;
    QRect floatRectAt(const QPoint& tablePos) const;
    void moveFloat(const QRect& rect);
    void hideFloat();
    void xorFrame(const QRect& rect);
    void dropFromHand(int player, const TDropTarget& target);
    void dropFromTable(const TDropTarget& target);
    void handToTable(int player, int row, const QPoint& tablePos);
    // DragImage for a card of a zone: its tile, or both halves of a split card.
    void zoneDragImage(const TMCardPlay& play);
    // Asks which half of the split card comes into play: its play record for owner at (x, y).
    TMCardPlay chooseSplitHalf(const TZandorCard& card, const std::string& owner, int x, int y);

    // Menus.
    void createMenus();
    // The table index of the card the card menu was opened on, -1 when it left the table.
    int menuCardIndex() const;
    // Draws the last card of the table onto Board and the screen.
    void redrawLastCard();
    // Puts the menu's card into a zone of its owner and redraws.
    void menuCardToZone(int index, bool toHand, bool top);

    // Pile viewer.
    void createViewer();
    void layoutViewer();
    int viewerPlayer() const;
    bool viewerIsLibrary() const;
    // The highest index of the pile on show, -1 when none.
    int viewerLast() const;
    std::optional<TMCardPlay> viewerCard(int index);
    void sgRLGDrawCell(QPainter& painter, const QRect& rect, int row, int column, bool selected);
    void sgRLGSelectCell(int row, int column);
    void dropFromViewer(const TDropTarget& target, const QPoint& globalPos);
    void viewerToTable(int index, const QPoint& tablePos);

    TCardDatabase& m_db;
    TfmLoadDeck* m_loadDeck;
    const TListImageZandorCard* m_frames = nullptr;
    std::unique_ptr<TPlayerTest> m_game;
    std::unique_ptr<TGameArtCache> m_artCache;
    QImage m_board;
    QImage m_display;
    QImage m_cardView;
    QImage m_dragImage;
    QImage m_tile;
    QImage m_piles[2][3];
    std::string m_pileFiles[2][3];
    std::set<std::string> m_reported;
    QStringList m_missingPiles;
    std::string m_lastShownCard;
    std::string m_splitEdition;

    // Drag state.
    TDragSource m_pending = TDragSource::None;
    TDragSource m_source = TDragSource::None;
    QPoint m_pressGlobal;
    bool m_dragActive = false;
    QPoint m_grabOffset;
    QPoint m_clickPoint;
    int m_dragIndex = -1;
    bool m_floatShown = false;
    QRect m_floatRect;
    bool m_displayRestored = true;
    // Hand panel moving.
    QFrame* m_movingPanel = nullptr;
    QPoint m_panelGrab;
    // The card the card menu was opened on; compared, never followed.
    const TZandorCardObj* m_menuCard = nullptr;
    // The grid position a viewer drag started from.
    int m_viewerDragPos = -1;
};

} // namespace zandor
