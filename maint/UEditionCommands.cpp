#include "maint/UEditionCommands.h"

#include "core/UCodePage.h"
#include "deck/UBaseList.h"
#include "maint/UAboutBoxLogic.h"
#include "maint/UEditCardLogic.h"
#include "maint/UEditionLogic.h"

namespace zandor {

namespace {

int refuse(std::ostream& err, std::string_view message) {
    err << message << "\n";
    return 1;
}

// A typed value in the data files' code page; false (after telling the user) when the code
// page cannot hold it.
bool stored(const std::string& utf8, std::string& bytes, std::ostream& err) {
    const auto converted = Utf8ToCp1252(utf8);
    if (!converted) {
        err << "The text \"" << utf8 << "\" holds characters the card base cannot store.\n";
        return false;
    }
    bytes = *converted;
    return true;
}

std::string countLine(std::string_view prefix, int count) {
    return std::string(prefix) + std::to_string(count) + std::string(maint::CardsSuffix);
}

} // namespace

int RunEditionListCommand(const TCardDatabase& db, std::ostream& out) {
    for (const std::string& line : EditionListLines(db.Settings))
        out << Cp1252ToUtf8(line) << "\n";
    return 0;
}

int RunEditionAddCommand(TCardDatabase& db, const TEditionAddCommand& command, std::ostream& out,
                         std::ostream& err) {
    TAddEditionRequest request;
    if (!stored(command.Key, request.Key, err) || !stored(command.Name, request.Name, err))
        return 1;
    request.SpoilerPath = command.SpoilerPath;
    request.OnlyCatalogue = command.OnlyCatalogue;
    for (const std::string& fieldKey : command.FieldKeys) {
        const std::size_t eq = fieldKey.find('=');
        std::string* key = eq == std::string::npos
                               ? nullptr
                               : SpoilerKey(request.Keys, std::string_view(fieldKey).substr(0, eq));
        if (!key) {
            err << "zandor: --field-key needs FIELD=LABEL, FIELD one of:";
            for (std::string_view field : SpoilerFieldNames)
                err << " " << field;
            err << "\n";
            return 1;
        }
        if (!stored(fieldKey.substr(eq + 1), *key, err))
            return 1;
    }
    const TMaintResult result = AddEdition(db, request);
    if (!result.Ok)
        return refuse(err, result.Error);
    out << countLine(maint::AddedPrefix, result.Count) << "\n";
    return 0;
}

int RunEditionDeleteCommand(TCardDatabase& db, const std::string& key, std::ostream& out,
                            std::ostream& err) {
    std::string storedKey;
    if (!stored(key, storedKey, err))
        return 1;
    const TMaintResult result = DeleteEdition(db, storedKey);
    if (!result.Ok)
        return refuse(err, result.Error);
    out << countLine(maint::DeletedPrefix, result.Count) << "\n";
    return 0;
}

int RunCardSetCommand(TCardDatabase& db, const std::string& name, const std::string& edition,
                      const std::vector<std::string>& assignments, std::ostream& out,
                      std::ostream& err) {
    std::string storedName, storedEdition;
    if (!stored(name, storedName, err) || !stored(edition, storedEdition, err))
        return 1;
    TZandorCard card = FindCard(db, storedName, storedEdition);
    if (storedName.empty() || storedEdition.empty() || IsNotFound(card))
        return refuse(err, std::string(maint::CardNotFound) + name);
    card.Program = CardProgram(db.ProgramLines, card.Name);
    TCardEditInput input = EditInputOf(card);
    const std::pair<std::string_view, std::string*> fields[] = {
        {"Name", &input.Name},     {"Edition", &input.Edition}, {"Color", &input.Color},
        {"Rarity", &input.Rarity}, {"Cost", &input.Cost},       {"CardType", &input.CardType},
        {"Mana", &input.Mana},     {"Program", &input.Program}, {"PT", &input.PT},
        {"Value", &input.Value},   {"Artist", &input.Artist},   {"Seq", &input.Seq}};
    for (const std::string& assignment : assignments) {
        const std::size_t eq = assignment.find('=');
        const std::string field = assignment.substr(0, eq);
        std::string value;
        if (eq == std::string::npos || !stored(assignment.substr(eq + 1), value, err)) {
            if (eq == std::string::npos)
                err << "zandor: card set needs FIELD=VALUE, not \"" << assignment << "\"\n";
            return 1;
        }
        if (field == "Text" || field == "Flavor") {
            std::vector<std::string> lines;
            SplitLines(value, lines);
            (field == "Text" ? input.Text : input.Flavor) = lines;
            continue;
        }
        std::string* target = nullptr;
        for (const auto& [fieldName, slot] : fields)
            if (fieldName == field)
                target = slot;
        if (!target) {
            err << "zandor: unknown field \"" << field
                << "\" (Name, Edition, Color, Rarity, Cost, CardType, Text, Flavor, Mana, "
                   "Program, PT, Value, Artist, Seq)\n";
            return 1;
        }
        *target = value;
    }
    const TZandorCard edited = EditedCard(input);
    const TMaintResult result = SaveEditedCard(db, card.Name, card.Edition, edited);
    if (!result.Ok)
        return refuse(err, result.Error);
    out << Cp1252ToUtf8(BaseLine(edited)) << "\n";
    return 0;
}

int RunAboutCommand(const TCardDatabase& db, std::ostream& out) {
    const TAboutTexts texts = AboutTexts(db);
    out << Cp1252ToUtf8(texts.Name) << "\n"
        << Cp1252ToUtf8(texts.Version) << "\n"
        << PriceDateLabel << Cp1252ToUtf8(texts.PriceDate) << "\n"
        << RuleDateLabel << Cp1252ToUtf8(texts.RuleDate) << "\n"
        << Cp1252ToUtf8(texts.BaseVersion) << "\n";
    return 0;
}

} // namespace zandor
