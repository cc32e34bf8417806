#include "core/UCardCommands.h"

#include "core/UCodePage.h"

namespace zandor {

TZandorCard FindCardByUtf8(const TCardDatabase& db, const std::string& name,
                           const std::string& edition) {
    const auto storedName = Utf8ToCp1252(name);
    const auto storedEdition = Utf8ToCp1252(edition);
    if (storedName && storedEdition)
        return FindCard(db, *storedName, *storedEdition);
    TZandorCard missing;
    missing.Name = NotFoundName;
    return missing;
}

int RunFindCommand(const TCardDatabase& db, const std::string& name, const std::string& edition,
                   std::ostream& out) {
    TZandorCard card = FindCardByUtf8(db, name, edition);
    if (IsNotFound(card)) {
        out << NotFoundName << "\n";
        return 1;
    }
    card.Program = CardProgram(db.ProgramLines, card.Name);
    const std::pair<const char*, const std::string*> fields[] = {{"Name", &card.Name},
                                                                 {"Edition", &card.Edition.str()},
                                                                 {"Color", &card.Color.str()},
                                                                 {"Rarity", &card.Rarity.str()},
                                                                 {"Cost", &card.Cost},
                                                                 {"CardType", &card.CardType},
                                                                 {"Text", &card.Text},
                                                                 {"Flavor", &card.Flavor},
                                                                 {"Mana", &card.Mana},
                                                                 {"Program", &card.Program},
                                                                 {"PT", &card.PT},
                                                                 {"Value", &card.Value},
                                                                 {"Artist", &card.Artist},
                                                                 {"Seq", &card.Seq}};
    for (const auto& [field, value] : fields)
        out << field << ": " << Cp1252ToUtf8(*value) << "\n";
    return 0;
}

} // namespace zandor
