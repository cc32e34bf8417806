#include "deck/UDeckEDLogic.h"

namespace zandor {

TPlayTestDecks& PlayTestDecks() {
    static TPlayTestDecks decks;
    return decks;
}

} // namespace zandor
