#include "play/UPlayTestObj.h"

#include "core/UIniFile.h"
#include "core/URandom.h"
#include "play/UCardProgram.h"

namespace zandor {

namespace {

const std::string emptyText;

constexpr int shuffleExchanges = 200;

void shuffleZone(TCardZone& zone) {
    const int n = zone.Count();
    if (n == 0)
        return;
    for (int k = 0; k < shuffleExchanges; ++k) {
        const int a = Random(n);
        const int b = Random(n);
        zone.Exchange(a, b);
    }
}

bool moveWithin(TCardZone& zone, int from, int to) {
    if (!zone.Valid(from) || !zone.Valid(to))
        return false;
    TZoneItem item = zone.Take(from);
    zone.Insert(to, std::move(item));
    return true;
}

} // namespace

const std::string& TCardZone::Text(int i) const {
    return Valid(i) ? m_items[static_cast<std::size_t>(i)].Text : emptyText;
}

TZandorCardObj* TCardZone::Card(int i) {
    return Valid(i) ? m_items[static_cast<std::size_t>(i)].Card.get() : nullptr;
}

const TZandorCardObj* TCardZone::Card(int i) const {
    return Valid(i) ? m_items[static_cast<std::size_t>(i)].Card.get() : nullptr;
}

void TCardZone::Append(TZoneItem item) {
    if (item.Card)
        m_items.push_back(std::move(item));
}

void TCardZone::Insert(int i, TZoneItem item) {
    if (!item.Card)
        return;
    if (i < 0 || i > Count())
        i = Count();
    m_items.insert(m_items.begin() + i, std::move(item));
}

TZoneItem TCardZone::Take(int i) {
    if (!Valid(i))
        return {};
    TZoneItem item = std::move(m_items[static_cast<std::size_t>(i)]);
    m_items.erase(m_items.begin() + i);
    return item;
}

void TCardZone::Exchange(int a, int b) {
    if (Valid(a) && Valid(b) && a != b)
        std::swap(m_items[static_cast<std::size_t>(a)], m_items[static_cast<std::size_t>(b)]);
}

TPlayDeckLineKind ReadDeckLine(std::string_view line, TPlayDeckEntry& entry) {
    if (TrimView(line).empty() || line.front() == '/' || line.front() == 'S')
        return TPlayDeckLineKind::Ignored;
    const std::size_t open = line.find('[');
    if (open == std::string_view::npos)
        return TPlayDeckLineKind::Malformed;
    const auto count = ParseDecimal(line.substr(0, open));
    // The name follows the first "-" after the edition's "]", so that an edition code
    // holding a "-" still leaves the name whole.
    const std::size_t close = line.find(']', open + 1);
    const std::size_t dash = close == std::string_view::npos ? close : line.find('-', close + 1);
    if (!count || *count > MaxDeckLineCount || dash == std::string_view::npos)
        return TPlayDeckLineKind::Malformed;
    const std::string_view name = TrimView(line.substr(dash + 1));
    if (name.empty())
        return TPlayDeckLineKind::Malformed;
    entry.Count = *count;
    entry.Edition = std::string(line.substr(open + 1, close - open - 1));
    entry.Name = std::string(name);
    return TPlayDeckLineKind::Entry;
}

std::int64_t DeckCardCount(const std::vector<std::string>& deckLines) {
    std::int64_t cards = 0;
    for (const std::string& line : deckLines) {
        TPlayDeckEntry entry;
        if (ReadDeckLine(line, entry) == TPlayDeckLineKind::Entry && entry.Count > 0)
            cards += entry.Count;
    }
    return cards;
}

std::string DeckTooLargeMessage(std::string_view deckName, std::int64_t cards) {
    return "The deck \"" + std::string(deckName) + "\" would deal " + std::to_string(cards) +
           " cards; a deck may hold at most " + std::to_string(MaxDeckCards) + ".";
}

std::vector<TSkippedDeckLine>
TPlayerObj::LoadDeck(const std::string& name, const std::vector<std::string>& deckLines,
                     const std::string& picDir, const std::vector<std::string>& programLines,
                     const TNameIndex& nameIndex, const TCardLines& cardLines,
                     TSmallArtSource* art) {
    Clear();
    PlayerName = name;
    RefusedCards = 0;
    if (const std::int64_t cards = DeckCardCount(deckLines); cards > MaxDeckCards) {
        RefusedCards = cards;
        return {};
    }
    std::vector<TSkippedDeckLine> skipped;
    for (std::size_t n = 0; n < deckLines.size(); ++n) {
        TPlayDeckEntry entry;
        const TPlayDeckLineKind kind = ReadDeckLine(deckLines[n], entry);
        if (kind == TPlayDeckLineKind::Malformed)
            skipped.push_back({static_cast<int>(n + 1), deckLines[n]});
        if (kind != TPlayDeckLineKind::Entry || entry.Count <= 0)
            continue;

        // Every copy of a line gets the same record and picture, so both are found once.
        const bool split = entry.Name.find('/') != std::string::npos;
        const std::string lookup =
            split ? entry.Name + " (" + entry.Name.substr(0, entry.Name.find('/')) + ")"
                  : entry.Name;
        TZandorCard record = FindCard(nameIndex, cardLines, lookup, entry.Edition);
        if (split && !IsNotFound(record))
            record.Name = entry.Name;
        record.Program = CardProgram(programLines, record.Name);
        int imageIndex = -1;
        // Split cards and names with a bracketed suffix have no picture file of their own.
        if (art && entry.Name.find_first_of("/(") == std::string::npos)
            imageIndex = art->AddCardArt(picDir, entry.Edition, entry.Name);

        for (int copy = 0; copy < entry.Count; ++copy) {
            auto card = std::make_unique<TZandorCardObj>(record);
            TMCardPlay& play = card->Play;
            play.ImageIndex = imageIndex;
            play.Owner = name;
            play.Controller = name;
            play.Untapped = 1;
            play.FaceDown = 0;
            play.StabIndex = -1;
            play.X = 0;
            play.Y = 0;
            PrepareCard(play);
            Library.Append({entry.Name, std::move(card)});
        }
    }
    return skipped;
}

void TPlayerObj::ShuffleLibrary() {
    shuffleZone(Library);
}

void TPlayerObj::ShuffleGraveyard() {
    shuffleZone(Graveyard);
}

void TPlayerObj::Draw() {
    if (Library.Count() > 0)
        Hand.Append(Library.Take(Library.Last()));
}

bool MoveBetweenZones(TCardZone& from, int i, TCardZone& to) {
    if (!from.Valid(i))
        return false;
    TZoneItem item = from.Take(i);
    item.Card->Play.Card = item.Card->Printed;
    item.Card->Play.Untapped = 1;
    to.Append(std::move(item));
    return true;
}

bool TPlayerObj::LibraryToHand(int i) {
    return MoveBetweenZones(Library, i, Hand);
}
bool TPlayerObj::LibraryToGraveyard(int i) {
    return MoveBetweenZones(Library, i, Graveyard);
}
bool TPlayerObj::LibraryToRemoved(int i) {
    return MoveBetweenZones(Library, i, Removed);
}
bool TPlayerObj::GraveyardToHand(int i) {
    return MoveBetweenZones(Graveyard, i, Hand);
}
bool TPlayerObj::GraveyardToLibrary(int i) {
    return MoveBetweenZones(Graveyard, i, Library);
}
bool TPlayerObj::GraveyardToRemoved(int i) {
    return MoveBetweenZones(Graveyard, i, Removed);
}
bool TPlayerObj::HandToGraveyard(int i) {
    return MoveBetweenZones(Hand, i, Graveyard);
}
bool TPlayerObj::HandToLibrary(int i) {
    return MoveBetweenZones(Hand, i, Library);
}
bool TPlayerObj::HandToRemoved(int i) {
    return MoveBetweenZones(Hand, i, Removed);
}

bool TPlayerObj::MoveInLibrary(int from, int to) {
    return moveWithin(Library, from, to);
}

bool TPlayerObj::MoveInGraveyard(int from, int to) {
    return moveWithin(Graveyard, from, to);
}

void TPlayerObj::Mulligan() {
    const int k = Hand.Count();
    if (k == 0)
        return;
    for (int n = 0; n < k; ++n)
        HandToLibrary(0);
    ShuffleLibrary();
    for (int n = 0; n < k - 1; ++n)
        Draw();
}

void TPlayerObj::PrepareCard(TMCardPlay& play) {
    zandor::PrepareCard(play);
}

void TPlayerObj::Clear() {
    Library.Clear();
    Hand.Clear();
    Graveyard.Clear();
    Removed.Clear();
}

} // namespace zandor
