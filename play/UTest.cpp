#include "play/UTest.h"

#include "play/UCardProgram.h"

#include <algorithm>
#include <limits>

namespace zandor {

namespace {

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

std::vector<TStabMark>::iterator findMark(TZandorCardObj& card, const TZandorCardObj* source) {
    return std::find_if(card.Received.begin(), card.Received.end(),
                        [source](const TStabMark& m) { return m.Source == source; });
}

} // namespace

const TZandorCardObj* TPlayerTest::StabOwner(int k) const {
    if (k < 0 || k >= static_cast<int>(m_stabOwners.size()))
        return nullptr;
    return m_stabOwners[static_cast<std::size_t>(k)];
}

void TPlayerTest::SetSmallArtCache(TSmallArtSource* cache, bool useCopy) {
    m_artCache = cache;
    m_useCopy = useCopy;
}

// When both players carry the same name, that name means player 1.
TPlayerObj* TPlayerTest::playerOf(std::string_view name) {
    if (name == Player1Name)
        return &m_player1;
    if (name == Player2Name)
        return &m_player2;
    return nullptr;
}

const TPlayerObj* TPlayerTest::playerOf(std::string_view name) const {
    return const_cast<TPlayerTest*>(this)->playerOf(name);
}

TCardZone& TPlayerTest::zoneOf(TPlayerObj& player, TSource source) {
    switch (source) {
    case TSource::Hand:
        return player.Hand;
    case TSource::Library:
        return player.Library;
    case TSource::Graveyard:
        return player.Graveyard;
    case TSource::Removed:
        break;
    }
    return player.Removed;
}

// ---- Game ----

TNewGameResult TPlayerTest::NewGame(const std::string& name1, const std::string& name2,
                                    const std::string& picDir,
                                    const std::vector<std::string>& programLines,
                                    const TCardLines& cardLines, const TNameIndex& nameIndex,
                                    const std::vector<std::string>& deck1,
                                    const std::vector<std::string>& deck2) {
    m_table.Clear();
    if (m_artCache)
        m_artCache->Clear();
    m_stabs.clear();
    m_stabOwners.clear();
    TSmallArtSource* art = m_useCopy ? nullptr : m_artCache;
    TNewGameResult result;
    result.Player1Skipped =
        m_player1.LoadDeck(name1, deck1, picDir, programLines, nameIndex, cardLines, art);
    result.Player2Skipped =
        m_player2.LoadDeck(name2, deck2, picDir, programLines, nameIndex, cardLines, art);
    result.Player1Refused = m_player1.RefusedCards;
    result.Player2Refused = m_player2.RefusedCards;
    m_player1.Life = 0;
    m_player2.Life = 0;
    Player1Name = name1;
    Player2Name = name2;
    return result;
}

void TPlayerTest::StartGame() {
    m_player1.ShuffleLibrary();
    m_player2.ShuffleLibrary();
    for (int n = 0; n < OpeningHand; ++n) {
        m_player1.Draw();
        m_player2.Draw();
    }
    m_player1.Life = StartingLife;
    m_player2.Life = StartingLife;
}

void TPlayerTest::Clear() {
    m_player1.Clear();
    m_player2.Clear();
    m_table.Clear();
    m_stabs.clear();
    m_stabOwners.clear();
}

// ---- Zones of one player ----

void TPlayerTest::ShuffleLibrary(std::string_view name) {
    if (TPlayerObj* p = playerOf(name))
        p->ShuffleLibrary();
}
void TPlayerTest::ShuffleGraveyard(std::string_view name) {
    if (TPlayerObj* p = playerOf(name))
        p->ShuffleGraveyard();
}
void TPlayerTest::Draw(std::string_view name) {
    if (TPlayerObj* p = playerOf(name))
        p->Draw();
}
void TPlayerTest::Mulligan(std::string_view name) {
    if (TPlayerObj* p = playerOf(name))
        p->Mulligan();
}
int TPlayerTest::LibraryLast(std::string_view name) const {
    const TPlayerObj* p = playerOf(name);
    return p ? p->LibraryLast() : -1;
}
int TPlayerTest::GraveyardLast(std::string_view name) const {
    const TPlayerObj* p = playerOf(name);
    return p ? p->GraveyardLast() : -1;
}
int TPlayerTest::RemovedLast(std::string_view name) const {
    const TPlayerObj* p = playerOf(name);
    return p ? p->RemovedLast() : -1;
}
int TPlayerTest::HandLast(std::string_view name) const {
    const TPlayerObj* p = playerOf(name);
    return p ? p->Hand.Last() : -1;
}
bool TPlayerTest::LibraryToHand(std::string_view name, int i) {
    TPlayerObj* p = playerOf(name);
    return p && p->LibraryToHand(i);
}
bool TPlayerTest::LibraryToGraveyard(std::string_view name, int i) {
    TPlayerObj* p = playerOf(name);
    return p && p->LibraryToGraveyard(i);
}
bool TPlayerTest::LibraryToRemoved(std::string_view name, int i) {
    TPlayerObj* p = playerOf(name);
    return p && p->LibraryToRemoved(i);
}
bool TPlayerTest::MoveInLibrary(std::string_view name, int from, int to) {
    TPlayerObj* p = playerOf(name);
    return p && p->MoveInLibrary(from, to);
}
bool TPlayerTest::GraveyardToHand(std::string_view name, int i) {
    TPlayerObj* p = playerOf(name);
    return p && p->GraveyardToHand(i);
}
bool TPlayerTest::GraveyardToLibrary(std::string_view name, int i) {
    TPlayerObj* p = playerOf(name);
    return p && p->GraveyardToLibrary(i);
}
bool TPlayerTest::GraveyardToRemoved(std::string_view name, int i) {
    TPlayerObj* p = playerOf(name);
    return p && p->GraveyardToRemoved(i);
}
bool TPlayerTest::MoveInGraveyard(std::string_view name, int from, int to) {
    TPlayerObj* p = playerOf(name);
    return p && p->MoveInGraveyard(from, to);
}
bool TPlayerTest::HandToGraveyard(std::string_view name, int i) {
    TPlayerObj* p = playerOf(name);
    return p && p->HandToGraveyard(i);
}
bool TPlayerTest::HandToLibrary(std::string_view name, int i) {
    TPlayerObj* p = playerOf(name);
    return p && p->HandToLibrary(i);
}
bool TPlayerTest::HandToRemoved(std::string_view name, int i) {
    TPlayerObj* p = playerOf(name);
    return p && p->HandToRemoved(i);
}

// ---- Looking at cards ----

void TPlayerTest::HandNames(std::string_view name, std::vector<std::string>& list) const {
    if (const TPlayerObj* p = playerOf(name))
        for (const TZoneItem& item : p->Hand.Items())
            list.push_back(item.Text);
}

std::optional<TZandorCard> TPlayerTest::HandCard(std::string_view name, int i) const {
    const TPlayerObj* p = playerOf(name);
    const TZandorCardObj* card = p ? p->Hand.Card(i) : nullptr;
    if (!card)
        return std::nullopt;
    return card->Printed;
}

std::optional<TMCardPlay> TPlayerTest::prepareZoneCard(std::string_view name, TSource source,
                                                       int i) {
    TPlayerObj* p = playerOf(name);
    TZandorCardObj* card = p ? zoneOf(*p, source).Card(i) : nullptr;
    if (!card)
        return std::nullopt;
    PrepareCard(card->Play);
    return card->Play;
}

std::optional<TMCardPlay> TPlayerTest::PrepareHandCard(std::string_view name, int i) {
    return prepareZoneCard(name, TSource::Hand, i);
}
std::optional<TMCardPlay> TPlayerTest::PrepareLibraryCard(std::string_view name, int i) {
    return prepareZoneCard(name, TSource::Library, i);
}
std::optional<TMCardPlay> TPlayerTest::PrepareGraveyardCard(std::string_view name, int i) {
    return prepareZoneCard(name, TSource::Graveyard, i);
}
std::optional<TMCardPlay> TPlayerTest::PrepareRemovedCard(std::string_view name, int i) {
    return prepareZoneCard(name, TSource::Removed, i);
}

std::optional<TZandorCard> TPlayerTest::TablePrinted(int i) const {
    const TZandorCardObj* card = m_table.Card(i);
    if (!card)
        return std::nullopt;
    return card->Printed;
}

std::optional<TMCardPlay> TPlayerTest::TableCard(int i) const {
    const TZandorCardObj* card = m_table.Card(i);
    if (!card)
        return std::nullopt;
    return card->Play;
}

TTableHit TPlayerTest::TableHit(int x, int y, bool printed) const {
    for (int i = m_table.Last(); i >= 0; --i) {
        const TZandorCardObj& card = *m_table.Card(i);
        // 64-bit, so that a card near the edge of the coordinate range cannot overflow.
        const std::int64_t left = card.Play.X;
        const std::int64_t top = card.Play.Y;
        if (left < x && x < left + TableCardSize && top < y && y < top + TableCardSize)
            return {i, printed ? card.Printed : card.Play.Card};
    }
    return {};
}

int TPlayerTest::GetLife(std::string_view name) const {
    return name == Player1Name ? m_player1.Life : m_player2.Life;
}

void TPlayerTest::SetLife(std::string_view name, int value) {
    (name == Player1Name ? m_player1 : m_player2).Life = value;
}

// ---- Changing cards on the table ----

void TPlayerTest::BringToFront(int i) {
    if (m_table.Valid(i) && i != m_table.Last())
        m_table.Append(m_table.Take(i));
}

void TPlayerTest::ToggleTapped(int i) {
    if (TZandorCardObj* card = tableCard(i))
        card->Play.Untapped = card->Play.Untapped ? 0 : 1;
}

void TPlayerTest::ToggleFaceDown(int i) {
    if (TZandorCardObj* card = tableCard(i))
        card->Play.FaceDown = card->Play.FaceDown ? 0 : 1;
}

void TPlayerTest::SetLastPosition(int x, int y) {
    if (TZandorCardObj* card = tableCard(m_table.Last())) {
        card->Play.X = x;
        card->Play.Y = y;
    }
}

void TPlayerTest::SetPT(int i, const std::string& text) {
    if (TZandorCardObj* card = tableCard(i))
        card->Play.Card.PT = text;
}

void TPlayerTest::SetColour(int i, std::string_view code) {
    TZandorCardObj* card = tableCard(i);
    if (!card)
        return;
    if (code == "Reset")
        card->Play.Card.Color = card->Printed.Color;
    else
        card->Play.Card.Color = code;
}

void TPlayerTest::ChangeCounters(int i, int number, std::string_view op) {
    TZandorCardObj* card = tableCard(i);
    if (!card)
        return;
    std::string& counters = card->Play.Counters;
    // A text that is not a count (a state handed in from outside) counts as none on it.
    const auto current = [&counters]() {
        const auto v = ParseDecimal(counters);
        return v && *v > 0 ? *v : 0;
    };
    if (number == -1 && !counters.empty() && counters != "0")
        counters = std::to_string(std::max(current() - 1, 0));
    if (op == "Add") {
        const int v = counters.empty() ? 0 : current();
        counters = std::to_string(v == std::numeric_limits<int>::max() ? v : v + 1);
    }
    if (op == "Set")
        counters = std::to_string(std::max(number, 0));
}

// ---- Between the zones and the table ----

bool TPlayerTest::zoneToTable(std::string_view name, TSource source, int i, bool hooks, int x,
                              int y) {
    TPlayerObj* p = playerOf(name);
    if (!p || !zoneOf(*p, source).Valid(i))
        return false;
    TZoneItem item = zoneOf(*p, source).Take(i);
    item.Card->Play.X = x;
    item.Card->Play.Y = y;
    // A card in a zone holds no ability entry; only StabEnter below gives it one.
    item.Card->Play.StabIndex = -1;
    item.Card->Received.clear();
    m_table.Append(std::move(item));
    if (!hooks)
        return false;
    // Both hooks always run: a card whose own ability changed others still receives the
    // abilities already active, so two copies of a lord each get both bonuses.
    const bool entered = StabEnter(m_table.Last());
    const bool applied = StabApply(m_table.Last());
    return entered || applied;
}

bool TPlayerTest::HandToTable(std::string_view name, int i, bool hooks, int x, int y) {
    return zoneToTable(name, TSource::Hand, i, hooks, x, y);
}
bool TPlayerTest::LibraryToTable(std::string_view name, int i, bool hooks, int x, int y) {
    return zoneToTable(name, TSource::Library, i, hooks, x, y);
}
bool TPlayerTest::GraveyardToTable(std::string_view name, int i, bool hooks, int x, int y) {
    return zoneToTable(name, TSource::Graveyard, i, hooks, x, y);
}

bool TPlayerTest::zoneToTableAs(std::string_view name, TSource source, int i,
                                const TMCardPlay& play) {
    TPlayerObj* p = playerOf(name);
    if (!p || !zoneOf(*p, source).Valid(i))
        return false;
    TZoneItem item = zoneOf(*p, source).Take(i);
    item.Card->Play = play;
    // No hooks ran, so the card holds no ability entry; and it must belong to a player of
    // this game, or it could never leave the table again.
    item.Card->Play.StabIndex = -1;
    item.Card->Received.clear();
    if (play.Owner != Player1Name && play.Owner != Player2Name) {
        item.Card->Play.Owner = p->PlayerName;
        item.Card->Play.Controller = p->PlayerName;
    }
    m_table.Append(std::move(item));
    return true;
}

bool TPlayerTest::HandToTableAs(std::string_view name, int i, const TMCardPlay& play) {
    return zoneToTableAs(name, TSource::Hand, i, play);
}
bool TPlayerTest::LibraryToTableAs(std::string_view name, int i, const TMCardPlay& play) {
    return zoneToTableAs(name, TSource::Library, i, play);
}
bool TPlayerTest::GraveyardToTableAs(std::string_view name, int i, const TMCardPlay& play) {
    return zoneToTableAs(name, TSource::Graveyard, i, play);
}

bool TPlayerTest::tableToZone(int i, bool hooks, TDestination destination, bool top, bool* moved) {
    if (moved)
        *moved = false;
    TZandorCardObj* card = tableCard(i);
    if (!card)
        return false;
    TPlayerObj* owner = playerOf(card->Play.Owner);
    if (!owner)
        return false;
    card->Play.FaceDown = 0;
    card->Play.Keywords.clear();
    // An ability that is active always ends with its card, hooks or not, so that no entry
    // of Stabs outlives the card that it belongs to.
    bool changed = false;
    if (hooks || card->Play.StabIndex != -1)
        changed = StabLeave(i);
    TZoneItem item = m_table.Take(i);
    if (moved)
        *moved = true;
    item.Card->Received.clear();
    if (contains(item.Card->Play.Card.CardType, "Token"))
        return changed; // a token leaves the game: item goes out of scope
    item.Card->Play.Card = item.Card->Printed;
    item.Card->Play.Untapped = 1;
    switch (destination) {
    case TDestination::Graveyard:
        owner->Graveyard.Append(std::move(item));
        break;
    case TDestination::Removed:
        owner->Removed.Append(std::move(item));
        break;
    case TDestination::Hand:
        owner->Hand.Append(std::move(item));
        break;
    case TDestination::Library:
        if (top || owner->Library.Count() == 0)
            owner->Library.Append(std::move(item));
        else
            owner->Library.Insert(0, std::move(item));
        break;
    }
    return changed;
}

bool TPlayerTest::TableToGraveyard(int i, bool hooks, bool* moved) {
    return tableToZone(i, hooks, TDestination::Graveyard, true, moved);
}
bool TPlayerTest::TableToRemoved(int i, bool hooks, bool* moved) {
    return tableToZone(i, hooks, TDestination::Removed, true, moved);
}
bool TPlayerTest::TableToLibrary(int i, bool hooks, bool top, bool* moved) {
    return tableToZone(i, hooks, TDestination::Library, top, moved);
}
bool TPlayerTest::TableToHand(int i, bool hooks, bool* moved) {
    return tableToZone(i, hooks, TDestination::Hand, true, moved);
}

// ---- Tokens ----

bool TPlayerTest::CreateToken(const TZandorCard& card, int source, int x, int y) {
    const TZandorCardObj* from = tableCard(source);
    if (!from)
        return false;
    auto token = std::make_unique<TZandorCardObj>(card);
    TMCardPlay& play = token->Play;
    play.Owner = from->Play.Owner;
    play.Controller = from->Play.Owner;
    play.Untapped = 1;
    play.FaceDown = 0;
    play.StabIndex = -1;
    play.X = x;
    play.Y = y;
    play.Keywords = card.Program;
    play.ImageIndex = from->Play.ImageIndex;
    m_table.Append({card.Name, std::move(token)});
    return StabApply(m_table.Last());
}

// ---- Static abilities ----

bool TPlayerTest::bestow(std::size_t k, TZandorCardObj& card) {
    const TZandorCardObj* source = m_stabOwners[k];
    if (findMark(card, source) != card.Received.end())
        return false; // it already acts on this card
    TStabMark mark;
    mark.Source = source;
    bool matched = false;
    for (const TStabClause& clause : ParseStabBody(m_stabs[k])) {
        if (!ClauseMatches(clause, card.Play.Card))
            continue;
        matched = true;
        ApplyClause(clause, card.Play, mark);
    }
    if (matched)
        card.Received.push_back(mark);
    return matched;
}

bool TPlayerTest::StabEnter(int i) {
    TZandorCardObj* card = tableCard(i);
    if (!card || card->Play.StabIndex != -1 || !contains(card->Play.Card.Program, "STAB"))
        return false;
    // "STAB" without a whole "STAB[...]" body registers nothing.
    auto body = StabBody(card->Play.Card.Program);
    if (!body)
        return false;
    const std::size_t k = m_stabs.size();
    card->Play.StabIndex = static_cast<std::int32_t>(k);
    m_stabs.push_back(std::move(*body));
    m_stabOwners.push_back(card);
    bool matched = false;
    for (int j = 0; j < m_table.Count(); ++j)
        if (j != i && bestow(k, *tableCard(j)))
            matched = true;
    return matched;
}

bool TPlayerTest::StabApply(int i) {
    TZandorCardObj* card = tableCard(i);
    if (!card)
        return false;
    bool matched = false;
    for (std::size_t k = 0; k < m_stabs.size(); ++k)
        if (bestow(k, *card))
            matched = true;
    return matched;
}

bool TPlayerTest::StabLeave(int i) {
    TZandorCardObj* card = tableCard(i);
    if (!card || card->Play.StabIndex < 0 ||
        card->Play.StabIndex >= static_cast<int>(m_stabs.size()) ||
        m_stabOwners[static_cast<std::size_t>(card->Play.StabIndex)] != card)
        return false;
    const std::size_t k = static_cast<std::size_t>(card->Play.StabIndex);
    const std::vector<TStabClause> clauses = ParseStabBody(m_stabs[k]);
    bool changed = false;
    for (int j = 0; j < m_table.Count(); ++j) {
        TZandorCardObj& other = *tableCard(j);
        const auto mark = findMark(other, card);
        if (mark == other.Received.end())
            continue;
        changed = true;
        for (const TStabClause& clause : clauses)
            if (ClauseMatches(clause, other.Play.Card))
                RemoveClauseWords(clause, other.Play);
        // The ability takes back exactly the power and toughness it gave.
        if (mark->Power != 0 || mark->Toughness != 0)
            if (auto pt = AddPT(other.Play.Card.PT, -mark->Power, -mark->Toughness))
                other.Play.Card.PT = std::move(*pt);
        other.Received.erase(mark);
    }
    card->Play.StabIndex = -1;
    for (int j = 0; j < m_table.Count(); ++j) {
        TMCardPlay& play = tableCard(j)->Play;
        if (play.StabIndex > static_cast<int>(k))
            --play.StabIndex;
    }
    m_stabs.erase(m_stabs.begin() + static_cast<std::ptrdiff_t>(k));
    m_stabOwners.erase(m_stabOwners.begin() + static_cast<std::ptrdiff_t>(k));
    return changed;
}

} // namespace zandor
