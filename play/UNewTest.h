// The load deck dialog: the two players' deck lists of a play-test game, filled from deck
// files, traded with the sideboard or edited in the deck editor.
#pragma once

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QListWidget;
class QPushButton;
class QTabWidget;

namespace zandor {

struct TCardDatabase;
class TfmSideBoard;

class TfmLoadDeck : public QDialog {
    Q_OBJECT
public:
    explicit TfmLoadDeck(TCardDatabase& db, QWidget* parent = nullptr);

    QTabWidget* pcDeck;
    QWidget* tsP1;
    QWidget* tsP2;
    QListWidget* lbP1;
    QListWidget* lbP2;
    QPushButton* sbLoadDeck;
    QPushButton* sbSideboard;
    QPushButton* sbDeckEd;
    QPushButton* bbOk;
    QPushButton* bbCancel;
    // The sideboard dialog of the "Sideboard" command, owned by this dialog.
    TfmSideBoard* fmSideBoard;

    // The open dialog of deck files ("Deck|*.dec"): the chosen path, or an empty text.
    // Tests replace it, since native dialogs cannot be clicked.
    std::function<QString(QWidget* parent, const QString& folder)> OpenDeck;
    // Shows the deck editor modally with these lines in its deck list; set by the shell.
    std::function<void(const std::vector<std::string>& lines)> EditDeck;

    // The lines of a list box, in the data files' code page.
    static std::vector<std::string> Lines(const QListWidget* list);
    std::vector<std::string> Player1Lines() const { return Lines(lbP1); }
    std::vector<std::string> Player2Lines() const { return Lines(lbP2); }
    // The list box of the page in front.
    QListWidget* ActiveList() const;

    void sbLoadDeckClick();
    void sbSideboardClick();
    void sbDeckEdClick();
    // The deck editor's test command while this dialog is up: the lines go to the active
    // page.
    void ReceiveEditorDeck(const std::vector<std::string>& lines);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TCardDatabase& m_db;
};

} // namespace zandor
