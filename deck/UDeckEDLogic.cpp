#include "deck/UDeckEDLogic.h"

namespace zandor {

TZandorCard VersionRecord() {
    TZandorCard card;
    card.Name = std::string(VersionCardName);
    card.Edition = VersionEdition;
    card.Text = "Base 0.8 version";
    card.Flavor = "02.07.01";
    return card;
}

TWriteResult WriteVersionRecord(TCardDatabase& db) {
    db.CardLines.push_back(FormatCardLine(VersionRecord()));
    db.CardLines.Sort();
    BuildNameIndex(db.NameIndex, db.CardLines);
    return SaveDataFile(db, CardListFile, db.CardLines);
}

TPlayTestDecks& PlayTestDecks() {
    static TPlayTestDecks decks;
    return decks;
}

} // namespace zandor
