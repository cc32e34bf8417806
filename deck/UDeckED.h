// The deck editor window: the base list with its filter, find box and search, the deck list
// with its counters and files, the card information panel, and the tool bar and menus that
// open the other tools. It owns the base list, the deck list and the search state; the rules
// behind every command live in the deck logic units.
#pragma once

#include "core/UCardDatabase.h"
#include "deck/UBaseList.h"
#include "deck/UCardInfo.h"
#include "deck/UDeckList.h"
#include "deck/UFindCardLogic.h"

#include <QMainWindow>
#include <functional>
#include <optional>
#include <set>

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QTabBar;
class QTimer;
class QToolButton;

namespace zandor {

class TBaseListModel;
class TCardView;
class TfmEditionED;
class TKeywordMemo;
class TZandorShell;

// The open dialog of plain-text deck lists ("Import Text Deck...").
QString OpenTextDeckDialog(QWidget* parent, const QString& folder);

// The open and save dialogs of deck files: each returns the chosen path, or an empty text
// when the user cancelled. Tests replace them, since native dialogs cannot be clicked.
struct TDeckFileDialogs {
    std::function<QString(QWidget* parent, const QString& folder, const QString& proposed)> Save;
    std::function<QString(QWidget* parent, const QString& folder)> Open;
    std::function<QString(QWidget* parent, const QString& folder)> OpenText = OpenTextDeckDialog;
};
TDeckFileDialogs StandardDeckFileDialogs();

class TfmDeckED : public QMainWindow {
    Q_OBJECT
public:
    explicit TfmDeckED(TZandorShell& shell);
    ~TfmDeckED() override;

    // Tool bar.
    QWidget* ToolBar;
    QToolButton* sbNew;
    QToolButton* sbLoad;
    QToolButton* sbSave;
    QToolButton* sbFind;
    QToolButton* sbFindNext;
    QToolButton* sbFilter;
    QToolButton* sbProxyPrint;
    QToolButton* sbTest;
    QToolButton* sbStat;
    QToolButton* sbHelp;
    QToolButton* SpeedButton1;
    // Card panel and lists.
    QFrame* Panel3;
    TCardView* CardView;
    QGroupBox* gbBaseS;
    QLineEdit* edFind;
    QLineEdit* edDName;
    QListView* lbBase;
    QListWidget* lbDeck;
    QPushButton* bbComment;
    QPushButton* bbAdd;
    QPushButton* bbSAdd;
    QPushButton* bbDelete;
    QToolButton* sbUp;
    QToolButton* sbDown;
    QLabel* lbPrice;
    // Bottom panel.
    QWidget* plBottom;
    QTabBar* tcStat;
    QLabel* lbEditionHide;
    QLabel* lbMana;
    QLabel* lbCreatures;
    QLabel* lbSpells;
    QLabel* lbDecks;
    QLabel* lbSB;
    QProgressBar* pbStat;
    TKeywordMemo* mmErrata;
    QTimer* tFindCard;
    // Menus.
    QAction* NewDeck1;
    QAction* LoadDeck1;
    QAction* SaveDeck1;
    QAction* SaveApprendic1;
    QAction* ImportTextDeck1;
    QAction* PasteDeck1;
    QAction* CopyDeckAsText1;
    QAction* LookBase1;
    QAction* EditCard1;
    QAction* AddDeleteEdition1;
    QAction* AddCardRulingsSummary1;
    QAction* AddCardPrices1;
    QAction* PrintProxy1;
    QAction* Options1;
    QAction* Testplay1;
    QAction* Statistics1;
    QAction* ViewComments1;
    QAction* Contents1;
    QAction* About1;
    QMenu* pmBase;
    QAction* pmEditCard;
    QAction* pmAddToProxy;

    TDeckFileDialogs FileDialogs = StandardDeckFileDialogs();

    const TBaseList& BaseList() const { return m_base; }
    const TDeckList& DeckList() const { return m_deck; }
    const TCardSearch& Search() const { return m_search; }
    TBaseListModel& BaseModel() const { return *m_baseModel; }
    bool SuspendFace() const { return m_suspendFace; }
    // The selected base line, or -1.
    int SelectedBase() const;

    // Base list (filter, find, search).
    void FilterBase(bool fromEditionWindow = false);
    void edFindChange();
    void tFindCardTimer();
    void sbFindClick(bool down);
    void sbFindNextClick();
    // Card information.
    void lbBaseClick();
    void lbDeckClick();
    void tcStatChange(int tab);
    void mmErrataHotSpot(const QString& text);
    // Deck.
    void bbAddClick();
    void bbSAddClick();
    void bbDeleteClick();
    void bbCommentClick();
    void sbUpClick();
    void sbDownClick();
    void sbNewClick();
    void sbLoadClick();
    void sbSaveClick();
    void SaveApprendic1Click();
    // Plain-text deck lists: a text file or the clipboard read into the deck (replacing it,
    // unless no line names a card), and the deck put on the clipboard as text.
    void ImportTextDeck1Click();
    void PasteDeck1Click();
    void CopyDeckAsText1Click();
    void CountDeck();
    // Replaces the deck list (the load deck dialog's "Deck Edition").
    void SetDeckLines(const std::vector<std::string>& lines);
    // Window commands.
    void sbTestClick();
    void sbStatClick();
    void sbHelpClick();
    void SpeedButton1Click();
    void LookBase1Click();
    void pmEditCardClick();
    // The edition window of "Add/Delete Edition...", made on first use.
    TfmEditionED* editionWindow();

signals:
    // The test command ran while the load deck dialog was up: the edited deck goes back to
    // that dialog's active page.
    void DeckForLoadDialog(const std::vector<std::string>& lines);
    // The statistics command with a deck that is not empty: the statistics window shows
    // these lines modally.
    void StatisticsRequested(const std::vector<std::string>& lines);
    // "Edit Card..." was chosen for a base line while "Look Base" is unticked.
    void EditCardRequested(const std::string& baseLine);
    // "Add to proxy print..." was chosen: the base line goes unchanged to the proxy list.
    void ProxyLineRequested(const std::string& baseLine);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildToolBar();
    void buildMenus();
    // "Edit Card..." on a base line: the card edit dialog, then the changed line in place.
    void editBaseCard(const std::string& baseLine);
    void refreshBaseCaption();
    void refreshDeck();
    void selectBaseTop(long long row, bool show);
    void showOutcome(const TSearchOutcome& outcome);
    void fillMemo(const std::string& name);
    void setTabs(const TSplitTabs& tabs);
    void showCard(const TZandorCard& card);
    void reportArt();
    void reportDeck(const TDeckResult& result);
    void addSelectedBase(bool sideboard);
    // The deck name as typed; false (after telling the user) when it cannot be stored.
    bool deckNameFromEdit();
    // The file the deck is to be written to, or nothing when the user cancelled.
    std::optional<std::string> chooseDeckFileToWrite();
    QString deckDir() const;
    void takeTextDeck(const std::vector<std::string>& text, const QString& deckName);

    TZandorShell& m_shell;
    TCardDatabase& m_db;
    TBaseList m_base;
    TBaseListModel* m_baseModel;
    TDeckList m_deck;
    TCardSearch m_search;
    TSplitTabs m_tabs;
    bool m_suspendFace = false;
    bool m_skipMemoOnce = false;
    // The base line whose rulings the memo shows, so that a skipped refill never leaves
    // another card's rulings there.
    std::string m_memoLine;
    bool m_refreshingDeck = false;
    std::set<std::string> m_artErrorsShown;
};

} // namespace zandor
