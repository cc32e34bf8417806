#include "play/UNewTest.h"

#include "core/UApplication.h"
#include "core/UCardDatabase.h"
#include "deck/UDeckEDLogic.h"
#include "play/UNewTestLogic.h"
#include "play/USBorad.h"
#include "widgets/UMessages.h"

#include <QFileDialog>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>

namespace zandor {

namespace {

void fillList(QListWidget* list, const std::vector<std::string>& lines) {
    list->clear();
    for (const std::string& line : lines)
        list->addItem(ToDisplay(line));
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

TfmLoadDeck::TfmLoadDeck(TCardDatabase& db, QWidget* parent) : QDialog(parent), m_db(db) {
    fmSideBoard = new TfmSideBoard(this);
    setObjectName(QStringLiteral("fmLoadDeck"));
    setWindowTitle(QStringLiteral("Load Deck"));
    setFixedSize(469, 288);
    pcDeck = new QTabWidget(this);
    pcDeck->setObjectName(QStringLiteral("pcDeck"));
    pcDeck->setGeometry(0, 0, 337, 288);
    QFont courier(QStringLiteral("Courier New"));
    courier.setPointSize(8);
    const auto page = [this, &courier](const char* name, const char* listName, QListWidget*& list) {
        auto* widget = new QWidget;
        widget->setObjectName(QString::fromLatin1(name));
        list = new QListWidget(widget);
        list->setObjectName(QString::fromLatin1(listName));
        list->setFont(courier);
        list->setGeometry(4, 4, 323, 252);
        return widget;
    };
    tsP1 = page("tsP1", "lbP1", lbP1);
    tsP2 = page("tsP2", "lbP2", lbP2);
    pcDeck->addTab(tsP1, QStringLiteral("Player 1"));
    pcDeck->addTab(tsP2, QStringLiteral("Player 2"));

    auto* commands = new QGroupBox(this);
    commands->setGeometry(345, 4, 118, 120);
    const auto button = [](QWidget* parent, const QString& text, const char* name, int y) {
        auto* b = new QPushButton(text, parent);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(8, y, 102, 27);
        return b;
    };
    sbLoadDeck = button(commands, QStringLiteral("Load Deck..."), "sbLoadDeck", 12);
    sbSideboard = button(commands, QStringLiteral("Sideboard"), "sbSideboard", 48);
    sbDeckEd = button(commands, QStringLiteral("Deck Edition"), "sbDeckEd", 84);
    auto* answers = new QGroupBox(this);
    answers->setGeometry(345, 190, 118, 92);
    bbOk = button(answers, QStringLiteral("OK"), "bbOk", 14);
    bbCancel = button(answers, QStringLiteral("Cancel"), "bbCancel", 52);
    bbOk->setDefault(true);

    OpenDeck = [](QWidget* parent, const QString& folder) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Load Deck"),
                                            folder + QStringLiteral("/*.dec"),
                                            QStringLiteral("Deck (*.dec)"));
    };
    connect(sbLoadDeck, &QPushButton::clicked, this, [this] { sbLoadDeckClick(); });
    connect(sbSideboard, &QPushButton::clicked, this, [this] { sbSideboardClick(); });
    connect(sbDeckEd, &QPushButton::clicked, this, [this] { sbDeckEdClick(); });
    connect(bbOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(bbCancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::vector<std::string> TfmLoadDeck::Lines(const QListWidget* list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list->count(); ++i) {
        std::string bytes;
        FromDisplay(list->item(i)->text(), bytes);
        lines.push_back(bytes);
    }
    return lines;
}

QListWidget* TfmLoadDeck::ActiveList() const {
    return pcDeck->currentIndex() == 1 ? lbP2 : lbP1;
}

void TfmLoadDeck::showEvent(QShowEvent* event) {
    fillList(lbP1, PlayTestDecks().Player1Deck);
    fillList(lbP2, PlayTestDecks().Player2Deck);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    QDialog::showEvent(event);
}

void TfmLoadDeck::sbLoadDeckClick() {
    if (!OpenDeck)
        return;
    const QString chosen = OpenDeck(this, QString::fromStdString(m_db.DeckDir));
    if (chosen.isEmpty())
        return;
    const std::string path = chosen.toStdString();
    if (!FileExists(path))
        return;
    const TPlayDeckFile deck = ReadPlayDeckFile(path);
    if (!deck.Ok) {
        ShowError(this, QStringLiteral("Cannot read the deck file \"%1\".").arg(chosen));
        return;
    }
    fillList(ActiveList(), deck.Lines);
    if (ActiveList() == lbP2)
        PlayTestDecks().Player2Deck = deck.Lines;
    else
        PlayTestDecks().Player1Deck = deck.Lines;
    m_db.DeckDir = deck.DeckDir;
    if (!deck.Rewrite.Ok)
        ShowError(this, QStringLiteral("The deck was loaded with its edition keys brought up "
                                       "to date, but the file could not be rewritten: %1")
                            .arg(QString::fromStdString(deck.Rewrite.Error)));
}

void TfmLoadDeck::sbSideboardClick() {
    QListWidget* list = ActiveList();
    if (list->count() == 0 || !fmSideBoard)
        return;
    fmSideBoard->SetRows(SideboardRowsOf(Lines(list)));
    fmSideBoard->exec();
    fillList(list, LinesOfSideboardRows(fmSideBoard->Rows()));
}

void TfmLoadDeck::sbDeckEdClick() {
    std::vector<std::string> lines;
    for (const std::string& line : Lines(ActiveList()))
        if (!trimmed(line).empty())
            lines.push_back(line);
    if (EditDeck)
        EditDeck(lines);
    PlayTestDecks().Player1Deck = Lines(lbP1);
    PlayTestDecks().Player2Deck = Lines(lbP2);
}

void TfmLoadDeck::ReceiveEditorDeck(const std::vector<std::string>& lines) {
    fillList(ActiveList(), lines);
}

void TfmLoadDeck::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && HasShell()) {
        Shell().OpenHelp(this);
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace zandor
