// The player engine of the play test: two players, the table that owns the cards in play
// of both, and the list of active static abilities. It never draws: the play table window
// calls it and redraws from what it returns.
#pragma once

#include "play/UPlayTestObj.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zandor {

// A card found on the table: its index (-1 for none) and a copy of its record.
struct TTableHit {
    int Index = -1;
    TZandorCard Card;
};

struct TNewGameResult {
    std::vector<TSkippedDeckLine> Player1Skipped;
    std::vector<TSkippedDeckLine> Player2Skipped;
    // The cards of a deck refused for dealing more than MaxDeckCards; 0 when it loaded.
    std::int64_t Player1Refused = 0;
    std::int64_t Player2Refused = 0;
};

inline constexpr int TableCardSize = 100;
inline constexpr int StartingLife = 20;
inline constexpr int OpeningHand = 7;

class TPlayerTest {
public:
    TPlayerTest() = default;
    TPlayerTest(const TPlayerTest&) = delete;
    TPlayerTest& operator=(const TPlayerTest&) = delete;

    std::string Player1Name;
    std::string Player2Name;

    const TPlayerObj& Player1() const { return m_player1; }
    const TPlayerObj& Player2() const { return m_player2; }
    // The cards in play in drawing order: the last lies on top of all others.
    const TCardZone& Table() const { return m_table; }
    // The bodies of the active static abilities; a table card refers to its own by StabIndex.
    const std::vector<std::string>& Stabs() const { return m_stabs; }
    // The table card whose ability entry k is (nullptr for an index outside Stabs).
    const TZandorCardObj* StabOwner(int k) const;

    // The small-picture cache the deal fills; nullptr, or useCopy, deals without pictures.
    void SetSmallArtCache(TSmallArtSource* cache, bool useCopy);

    TNewGameResult NewGame(const std::string& name1, const std::string& name2,
                           const std::string& picDir, const std::vector<std::string>& programLines,
                           const TCardLines& cardLines, const TNameIndex& nameIndex,
                           const std::vector<std::string>& deck1,
                           const std::vector<std::string>& deck2);
    void StartGame();
    void Clear();

    // Zones of one player, by name; a name of neither player does nothing, and its counts
    // are -1. The moves return false when nothing moved.
    void ShuffleLibrary(std::string_view name);
    void ShuffleGraveyard(std::string_view name);
    void Draw(std::string_view name);
    void Mulligan(std::string_view name);
    int LibraryLast(std::string_view name) const;
    int GraveyardLast(std::string_view name) const;
    int RemovedLast(std::string_view name) const;
    int HandLast(std::string_view name) const;
    bool LibraryToHand(std::string_view name, int i);
    bool LibraryToGraveyard(std::string_view name, int i);
    bool LibraryToRemoved(std::string_view name, int i);
    bool MoveInLibrary(std::string_view name, int from, int to);
    bool GraveyardToHand(std::string_view name, int i);
    bool GraveyardToLibrary(std::string_view name, int i);
    bool GraveyardToRemoved(std::string_view name, int i);
    bool MoveInGraveyard(std::string_view name, int from, int to);
    bool HandToGraveyard(std::string_view name, int i);
    bool HandToLibrary(std::string_view name, int i);
    bool HandToRemoved(std::string_view name, int i);

    // Looking at cards; nothing for an index outside its zone.
    void HandNames(std::string_view name, std::vector<std::string>& list) const;
    std::optional<TZandorCard> HandCard(std::string_view name, int i) const;
    std::optional<TMCardPlay> PrepareHandCard(std::string_view name, int i);
    std::optional<TMCardPlay> PrepareLibraryCard(std::string_view name, int i);
    std::optional<TMCardPlay> PrepareGraveyardCard(std::string_view name, int i);
    std::optional<TMCardPlay> PrepareRemovedCard(std::string_view name, int i);
    std::optional<TMCardPlay> TableCard(int i) const;
    // The printed record of table card i, as it was before play changed it.
    std::optional<TZandorCard> TablePrinted(int i) const;
    int TableLast() const { return m_table.Last(); }
    // The topmost card whose square holds the point strictly inside; a point on the border
    // hits nothing. The copy is the printed card when printed is true.
    TTableHit TableHit(int x, int y, bool printed) const;
    // Every name but player 1's means player 2.
    int GetLife(std::string_view name) const;
    void SetLife(std::string_view name, int value);

    // Changing cards on the table; an index outside the table does nothing.
    void BringToFront(int i);
    void ToggleTapped(int i);
    void ToggleFaceDown(int i);
    void SetLastPosition(int x, int y);
    void SetPT(int i, const std::string& text);
    void SetColour(int i, std::string_view code);
    // number -1 takes a counter off (never below 0), op "Add" puts one on, op "Set" sets
    // the count to number (never below 0).
    void ChangeCounters(int i, int number, std::string_view op);

    // A zone card comes into play at (x, y). With hooks the static abilities enter and
    // apply; true when that changed cards on the table.
    bool HandToTable(std::string_view name, int i, bool hooks, int x, int y);
    bool LibraryToTable(std::string_view name, int i, bool hooks, int x, int y);
    bool GraveyardToTable(std::string_view name, int i, bool hooks, int x, int y);
    // A zone card comes into play with the given state and no program.
    bool HandToTableAs(std::string_view name, int i, const TMCardPlay& play);
    bool LibraryToTableAs(std::string_view name, int i, const TMCardPlay& play);
    bool GraveyardToTableAs(std::string_view name, int i, const TMCardPlay& play);
    // A table card goes to its owner's zone (a token leaves the game); true when its
    // static ability ending changed cards on the table. moved, when given, tells whether
    // the card left the table.
    bool TableToGraveyard(int i, bool hooks, bool* moved = nullptr);
    bool TableToRemoved(int i, bool hooks, bool* moved = nullptr);
    bool TableToLibrary(int i, bool hooks, bool top, bool* moved = nullptr);
    bool TableToHand(int i, bool hooks, bool* moved = nullptr);

    // Puts a token made from card on the table at (x, y) for the owner of table card
    // source; true when active static abilities changed it.
    bool CreateToken(const TZandorCard& card, int source, int x, int y);

    // The static-ability hooks on table card i; true when a card matched a clause.
    bool StabEnter(int i);
    bool StabApply(int i);
    bool StabLeave(int i);

private:
    enum class TDestination { Graveyard, Removed, Library, Hand };
    enum class TSource { Hand, Library, Graveyard, Removed };

    TPlayerObj* playerOf(std::string_view name);
    const TPlayerObj* playerOf(std::string_view name) const;
    static TCardZone& zoneOf(TPlayerObj& player, TSource source);
    bool zoneToTable(std::string_view name, TSource source, int i, bool hooks, int x, int y);
    bool zoneToTableAs(std::string_view name, TSource source, int i, const TMCardPlay& play);
    bool tableToZone(int i, bool hooks, TDestination destination, bool top, bool* moved);
    std::optional<TMCardPlay> prepareZoneCard(std::string_view name, TSource source, int i);
    TZandorCardObj* tableCard(int i) { return m_table.Card(i); }
    // Applies ability k to the card unless it already bears it; true when a clause matched.
    bool bestow(std::size_t k, TZandorCardObj& card);

    TPlayerObj m_player1;
    TPlayerObj m_player2;
    TCardZone m_table;
    std::vector<std::string> m_stabs;
    std::vector<const TZandorCardObj*> m_stabOwners; // parallel to m_stabs
    TSmallArtSource* m_artCache = nullptr;
    bool m_useCopy = false;
};

} // namespace zandor
