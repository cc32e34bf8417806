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

TWriteResult AppendVersionRecord(TCardDatabase& db) {
    TCardLines lines = db.CardLines;
    lines.push_back(FormatCardLine(VersionRecord()));
    lines.Sort();
    const TWriteResult written = SaveDataFile(db, CardListFile, lines);
    if (!written.Ok)
        return written;
    db.CardLines = std::move(lines);
    BuildNameIndex(db.NameIndex, db.CardLines);
    return written;
}

TPlayTestDecks& PlayTestDecks() {
    static TPlayTestDecks decks;
    return decks;
}

} // namespace zandor
