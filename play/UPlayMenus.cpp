// The card menu of the play table and the two hand menus: what a right click on a table
// card or in a hand offers, each command done through the engine and redrawn.
#include "play/UfmTest.h"

#include "play/UCardProgram.h"
#include "play/UTest.h"
#include "play/uPT.h"
#include "render/UTableTile.h"
#include "widgets/UAnimatedMenu.h"

#include "core/URandom.h"

#include <QListWidget>

#include <utility>

namespace zandor {

namespace {

// The colour entries in menu order with the colour code each one sets.
constexpr std::pair<const char*, const char*> colourCodes[] = {
    {"Blue", "U"},  {"Black", "B"}, {"Red", "R"},
    {"Green", "G"}, {"White", "W"}, {"Colorless", "Art"}};

} // namespace

void TfmPlay::createMenus() {
    IAPMPlayCard = new TAnimatedPopupMenu(this);
    IAPMPlayCard->setObjectName(QStringLiteral("IAPMPlayCard"));
    TAnimatedPopupMenu& card = *IAPMPlayCard;
    card.Add(QStringLiteral("Put on top of owner's library"));
    card.Add(QStringLiteral("Put on bottom of owner's library"));
    card.Add(QStringLiteral("Return to hand"));
    card.Add(QStringLiteral("New Item"));
    card.Add(QStringLiteral("Set Counters..."));
    card.Add(QStringLiteral("Add Counter"))
        ->Add(QStringLiteral("Caunter"))
        ->Add(QStringLiteral("(1)"), MenuCounterPicture());
    card.Add(QStringLiteral("Remove Counter"));
    card.Add(QStringLiteral("New Item"));
    card.Add(QStringLiteral("Tap/UnTap"));
    card.Add(QStringLiteral("Flip Card Over"));
    card.Add(QStringLiteral("Change P/T"));
    card.Add(QStringLiteral("Create Token"))->Add(QStringLiteral("Token from Card"));
    TMenuItem* lace = card.Add(QStringLiteral("Color Lace"));
    for (const auto& [caption, code] : colourCodes)
        lace->Add(QString::fromLatin1(caption), MenuColorPicture(QString::fromLatin1(code)));
    lace->Add(QStringLiteral("New Item"));
    lace->Add(QStringLiteral("Reset Color"));
    connect(IAPMPlayCard, &TAnimatedPopupMenu::ItemSelected, this,
            [this](const QString& caption) { IAPMPlayCardSelectItem(caption); });

    for (int player : {1, 2}) {
        auto* hand = new TAnimatedPopupMenu(this);
        hand->setObjectName(QStringLiteral("IAPMHandP%1").arg(player));
        hand->Add(QStringLiteral("Discard random card"));
        hand->Add(QStringLiteral("Call Mulligan"));
        connect(hand, &TAnimatedPopupMenu::ItemSelected, this,
                [this, player](const QString& caption) { IAPMHandSelectItem(player, caption); });
        (player == 1 ? IAPMHandP1 : IAPMHandP2) = hand;
    }
}

void TfmPlay::PopupTableCardMenu(int index, const QPoint& globalPos) {
    if (!m_game || index < 0 || index > m_game->TableLast())
        return;
    m_menuCard = m_game->Table().Card(index);
    IAPMPlayCard->Popup(globalPos);
}

void TfmPlay::PopupHandMenu(int player, const QPoint& globalPos) {
    (player == 1 ? IAPMHandP1 : IAPMHandP2)->Popup(globalPos);
}

int TfmPlay::menuCardIndex() const {
    if (!m_game || !m_menuCard)
        return -1;
    const TTableHit hit = m_game->TableHit(m_clickPoint.x(), m_clickPoint.y(), true);
    return hit.Index >= 0 && m_game->Table().Card(hit.Index) == m_menuCard ? hit.Index : -1;
}

void TfmPlay::redrawLastCard() {
    const int last = m_game->TableLast();
    const auto play = m_game->TableCard(last);
    if (!play)
        return;
    drawCardOnBoard(last);
    showBoardRect(QRect(play->X, play->Y, TileSize, TileSize));
}

void TfmPlay::menuCardToZone(int index, bool toHand, bool top) {
    m_game->BringToFront(index);
    const int last = m_game->TableLast();
    const auto play = m_game->TableCard(last);
    const int owner = play->Owner == Player1 ? 1 : 2;
    eraseFromBoard(last);
    showBoardRect(QRect(play->X, play->Y, TileSize, TileSize));
    bool moved = false;
    const bool changed = toHand ? m_game->TableToHand(last, true, &moved)
                                : m_game->TableToLibrary(last, true, top, &moved);
    if (!moved) {
        redrawLastCard();
        return;
    }
    if (changed)
        FullRedraw();
    if (toHand) {
        RefillHand(owner);
    } else {
        RedrawPiles(TPileKind::Library);
        RefreshViewer();
    }
}

void TfmPlay::IAPMPlayCardSelectItem(const QString& caption) {
    // The card may have left the table since the menu opened: then nothing happens.
    int i = menuCardIndex();
    if (i < 0)
        return;
    if (caption == QLatin1String("Put on top of owner's library")) {
        menuCardToZone(i, false, true);
        return;
    }
    if (caption == QLatin1String("Put on bottom of owner's library")) {
        menuCardToZone(i, false, false);
        return;
    }
    if (caption == QLatin1String("Return to hand")) {
        menuCardToZone(i, true, false);
        return;
    }
    if (caption == QLatin1String("Tap/UnTap")) {
        pbPlayDblClick();
        return;
    }
    if (caption == QLatin1String("Token from Card")) {
        const auto printed = m_game->TablePrinted(i);
        if (!printed || printed->Program.find("TOKEN[") == std::string::npos)
            return;
        const auto token = ParseTokenProgram(printed->Program, *printed);
        if (!token)
            return;
        if (m_game->CreateToken(*token, i, m_clickPoint.x() + 1, m_clickPoint.y() + 1))
            FullRedraw();
        else
            redrawLastCard();
        return;
    }
    if (caption == QLatin1String("Set Counters...")) {
        const QString text = fmPT->Ask(QString());
        // A text that is no number, or a number too large for the counters, keeps them.
        if (const auto v = ParseDecimal(text.toStdString()))
            m_game->ChangeCounters(i, *v, "Set");
        i = menuCardIndex();
        if (i < 0)
            return;
    } else if (caption == QLatin1String("(1)")) {
        m_game->ChangeCounters(i, 1, "Add");
    } else if (caption == QLatin1String("Remove Counter")) {
        m_game->ChangeCounters(i, -1, "");
    } else if (caption == QLatin1String("Flip Card Over")) {
        m_game->ToggleFaceDown(i);
    } else if (caption == QLatin1String("Change P/T")) {
        const auto printed = m_game->TablePrinted(i);
        if (!printed || (printed->CardType.find("Creature - ") == std::string::npos &&
                         printed->CardType.find("Summon") == std::string::npos))
            return;
        const QString text = fmPT->Ask(QString::fromStdString(printed->PT));
        i = menuCardIndex();
        if (i < 0)
            return;
        m_game->SetPT(i, text.toStdString());
    } else {
        const char* code = caption == QLatin1String("Reset Color") ? "Reset" : nullptr;
        for (const auto& [name, letter] : colourCodes)
            if (caption == QLatin1String(name))
                code = letter;
        if (!code)
            return; // "New Item" and the submenu captions do nothing
        m_game->SetColour(i, code);
    }
    m_game->BringToFront(i);
    redrawLastCard();
}

void TfmPlay::IAPMHandSelectItem(int player, const QString& caption) {
    QListWidget* list = handList(player);
    const std::string name = playerName(player);
    // Both commands want a selected item in a hand that is not empty.
    if (!m_game || list->count() == 0 || list->currentRow() < 0 || m_game->HandLast(name) < 0)
        return;
    if (caption == QLatin1String("Discard random card")) {
        const int a = Random(m_game->HandLast(name) + 1);
        m_game->HandToGraveyard(name, a);
        RefillHand(player);
        if (a < list->count())
            list->setCurrentRow(a);
        RedrawPiles(TPileKind::Graveyard);
        RefreshViewer();
    } else if (caption == QLatin1String("Call Mulligan")) {
        m_game->Mulligan(name);
        RefillHand(player);
        RedrawAllPiles();
        RefreshViewer();
    }
}

} // namespace zandor
