// The objects of a play-test game: the play state of a card, the physical card object, the
// card zones that own those objects, and a player with four zones and a life total.
#pragma once

#include "core/UCard.h"
#include "core/UCardDatabase.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zandor {

// The state of one card in play.
struct TMCardPlay {
    TZandorCard Card; // the card as it is now; play changes its Color and PT
    std::string Owner;
    std::string Controller;
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t StabIndex = -1; // entry of the card's active static ability, or -1
    std::uint8_t Untapped = 1;
    std::uint8_t FaceDown = 0;
    std::string Counters; // decimal text; empty when the card never had counters
    std::string Keywords;
    std::int32_t ImageIndex = -1;

    friend bool operator==(const TMCardPlay&, const TMCardPlay&) = default;
};

class TZandorCardObj;

// What one static ability did to one card that bears it: kept so that the ability takes
// exactly its own effects with it when it ends, whatever entered the table in between.
struct TStabMark {
    const TZandorCardObj* Source = nullptr; // the card whose ability it is
    std::int64_t Power = 0;                 // power and toughness actually added
    std::int64_t Toughness = 0;
};

// One physical card of a game. It is owned by exactly one zone or by the table and is
// moved between them, never copied.
class TZandorCardObj {
public:
    explicit TZandorCardObj(const TZandorCard& printed) : Printed(printed) { Play.Card = printed; }
    TZandorCardObj(const TZandorCardObj&) = delete;
    TZandorCardObj& operator=(const TZandorCardObj&) = delete;

    TMCardPlay Play;
    // The card as it was looked up when the deck was loaded; whatever play changes ends
    // when the card leaves the table or moves between zones.
    const TZandorCard Printed;
    // The static abilities on the table that act on this card (the engine's bookkeeping;
    // empty whenever the card is not on the table).
    std::vector<TStabMark> Received;
};

struct TZoneItem {
    std::string Text; // what the hand list and the pile viewer show
    std::unique_ptr<TZandorCardObj> Card;
};

// A list of cards with their shown names. The zone owns its card objects. Every index
// argument is checked: an index outside the zone does nothing.
class TCardZone {
public:
    int Count() const { return static_cast<int>(m_items.size()); }
    int Last() const { return Count() - 1; }
    bool Valid(int i) const { return i >= 0 && i < Count(); }
    // The shown name of item i; empty for an index outside the zone.
    const std::string& Text(int i) const;
    // The card of item i, or nullptr.
    TZandorCardObj* Card(int i);
    const TZandorCardObj* Card(int i) const;

    void Append(TZoneItem item);
    // Puts the item in at position i (0..Count()); any other position appends it.
    void Insert(int i, TZoneItem item);
    // Takes item i out of the zone; an empty item for an index outside the zone.
    TZoneItem Take(int i);
    void Exchange(int a, int b);
    void Clear() { m_items.clear(); }

    const std::vector<TZoneItem>& Items() const { return m_items; }

private:
    std::vector<TZoneItem> m_items;
};

// The small pictures of the cards of a game, reached through a narrow seam so that the
// play objects need no pictures: the renderer supplies the real cache.
class TSmallArtSource {
public:
    virtual ~TSmallArtSource() = default;
    // The picture index for an art file, or -1 when there is none.
    virtual int AddArt(const std::string& path) = 0;
    // The picture index for a card's art. Names and editions are in the card list's code
    // page; a real cache turns them into the file name the card face reads. This fallback
    // joins the raw bytes.
    virtual int AddCardArt(const std::string& picDir, const std::string& edition,
                           const std::string& name) {
        return AddArt(picDir + "/" + edition + "/" + name + ".jpg");
    }
    virtual void Clear() = 0;
};

// A deck line the loader could not read, with its 1-based number in the list.
struct TSkippedDeckLine {
    int LineNumber = 0;
    std::string Text;
    friend bool operator==(const TSkippedDeckLine&, const TSkippedDeckLine&) = default;
};

// A main-deck line read into its parts.
struct TPlayDeckEntry {
    int Count = 0;
    std::string Edition;
    std::string Name;
};

// Larger counts in one deck line are taken for a broken line rather than dealt out.
inline constexpr int MaxDeckLineCount = 9999;

// A deck that would deal more cards than this in all is refused whole: no real deck comes
// near it, and a hand-edited file of many large lines would otherwise allocate until the
// program dies.
inline constexpr std::int64_t MaxDeckCards = 10000;

enum class TPlayDeckLineKind { Ignored, Entry, Malformed };
// Reads one deck line: empty, blank, comment and sideboard lines are Ignored; a main-deck
// line "count [edition] - name" is an Entry; anything else is Malformed.
TPlayDeckLineKind ReadDeckLine(std::string_view line, TPlayDeckEntry& entry);

// The cards the main-deck lines would deal in all (lines that cannot be read count 0).
std::int64_t DeckCardCount(const std::vector<std::string>& deckLines);
// What the user is told of a deck beyond MaxDeckCards, naming it.
std::string DeckTooLargeMessage(std::string_view deckName, std::int64_t cards);

class TPlayerObj {
public:
    TPlayerObj() = default;
    TPlayerObj(const TPlayerObj&) = delete;
    TPlayerObj& operator=(const TPlayerObj&) = delete;

    TCardZone Library; // the last item is the top of the library
    TCardZone Hand;
    TCardZone Graveyard; // the last item is the top of the pile
    TCardZone Removed;
    std::string PlayerName;
    std::int32_t Life = 0;
    // The cards of the last deck given to LoadDeck when it was refused for dealing more
    // than MaxDeckCards (the library then stays empty); 0 when it was loaded.
    std::int64_t RefusedCards = 0;

    // Empties the zones and fills the library from the deck's main-deck lines in deck
    // order. Lines that cannot be read are skipped and returned. A deck of more than
    // MaxDeckCards cards in all loads nothing and sets RefusedCards. art may be nullptr: the
    // cards then get no small picture.
    std::vector<TSkippedDeckLine>
    LoadDeck(const std::string& name, const std::vector<std::string>& deckLines,
             const std::string& picDir, const std::vector<std::string>& programLines,
             const TNameIndex& nameIndex, const TCardLines& cardLines, TSmallArtSource* art);

    void ShuffleLibrary();
    void ShuffleGraveyard();
    void Draw();
    int LibraryLast() const { return Library.Last(); }
    int GraveyardLast() const { return Graveyard.Last(); }
    int RemovedLast() const { return Removed.Last(); }

    // Each moves card i of the source zone to the end of the destination (on top of the
    // library); false when i is outside the source zone.
    bool LibraryToHand(int i);
    bool LibraryToGraveyard(int i);
    bool LibraryToRemoved(int i);
    bool GraveyardToHand(int i);
    bool GraveyardToLibrary(int i);
    bool GraveyardToRemoved(int i);
    bool HandToGraveyard(int i);
    bool HandToLibrary(int i);
    bool HandToRemoved(int i);

    // Takes the card at from out and puts it in at to (both positions of the zone).
    bool MoveInLibrary(int from, int to);
    bool MoveInGraveyard(int from, int to);

    void Mulligan();
    static void PrepareCard(TMCardPlay& play);
    void Clear();
};

// Moves item i of from to the end of to as a card that left play: its card is the printed
// one again and it stands upright. False when i is outside from.
bool MoveBetweenZones(TCardZone& from, int i, TCardZone& to);

} // namespace zandor
