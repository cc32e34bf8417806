#include "deck/UVersionRecord.h"

namespace zandor {

TZandorCard NewVersionRecord() {
    TZandorCard record;
    record.Name = VersionCardName;
    record.Edition = VersionEdition;
    record.Text = "Base 0.8 version";
    record.Flavor = "02.07.01";
    return record;
}

TWriteResult WriteVersionRecord(TCardDatabase& db) {
    TCardLines lines = db.CardLines;
    lines.push_back(FormatCardLine(NewVersionRecord()));
    lines.Sort();
    const TWriteResult written = SaveDataFile(db, CardListFile, lines);
    if (!written.Ok)
        return written;
    db.CardLines = std::move(lines);
    BuildNameIndex(db.NameIndex, db.CardLines);
    return written;
}

} // namespace zandor
