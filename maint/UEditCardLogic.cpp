#include "maint/UEditCardLogic.h"

#include "core/UCodePage.h"
#include "deck/UBaseList.h"

namespace zandor {

namespace {

// A value as stored: no TAB or line break inside, no blanks around.
std::string cleaned(std::string_view text) {
    std::string value(text);
    for (char& c : value)
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    return Trim(value);
}

bool isCardLine(std::string_view line, std::string_view name, std::string_view edition) {
    if (LineName(line) != name)
        return false;
    const TZandorCard card = ParseCardLine(line);
    return card.Name == name && card.Edition == edition;
}

} // namespace

TZandorCard CardToEdit(const TCardDatabase& db, std::string_view baseLine) {
    const TBaseLineParts parts = SplitBaseLine(baseLine);
    TZandorCard card = FindCard(db, parts.Name, parts.Edition);
    if (!IsNotFound(card))
        card.Program = CardProgram(db.ProgramLines, card.Name);
    return card;
}

TCardEditInput EditInputOf(const TZandorCard& card) {
    TCardEditInput input;
    input.Name = card.Name;
    input.Color = card.Color;
    input.Rarity = card.Rarity;
    input.CardType = card.CardType;
    input.Cost = card.Cost;
    input.PT = card.PT;
    input.Edition = card.Edition;
    input.Artist = Trim(card.Artist);
    input.Value = card.Value;
    input.Mana = card.Mana;
    input.Seq = card.Seq;
    input.Program = card.Program;
    input.Text = {card.Text};
    input.Flavor = {card.Flavor};
    return input;
}

std::string JoinMemoLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        const std::string part = cleaned(line);
        if (part.empty())
            continue;
        if (!text.empty())
            text += ' ';
        text += part;
    }
    return text;
}

TZandorCard EditedCard(const TCardEditInput& input) {
    TZandorCard card;
    card.Name = cleaned(input.Name);
    card.Color = cleaned(input.Color);
    card.Rarity = cleaned(input.Rarity);
    card.PT = cleaned(input.PT);
    card.CardType = cleaned(input.CardType);
    card.Cost = cleaned(input.Cost);
    card.Edition = cleaned(input.Edition);
    // The card face writes "Illus." right before the artist, so a stored artist begins
    // with a blank, as every card of the base does.
    card.Artist = cleaned(input.Artist);
    if (!card.Artist.empty())
        card.Artist.insert(0, " ");
    card.Value = cleaned(input.Value);
    card.Program = cleaned(input.Program);
    card.Mana = cleaned(input.Mana);
    card.Seq = cleaned(input.Seq);
    card.Text = JoinMemoLines(input.Text);
    card.Flavor = JoinMemoLines(input.Flavor);
    return card;
}

long long EditedCardLine(const TCardDatabase& db, std::string_view oldName,
                         std::string_view oldEdition) {
    if (oldName.empty())
        return -1;
    const long long hinted = db.Settings.ReadInteger(ini::CardIndex, oldName.substr(0, 1), 0);
    const std::size_t size = db.CardLines.size();
    const std::size_t start = hinted < 0 ? 0 : std::min(static_cast<std::size_t>(hinted), size);
    for (std::size_t i = start; i < size; ++i)
        if (isCardLine(db.CardLines[i], oldName, oldEdition))
            return static_cast<long long>(i);
    // The hint only saves time; a stale one must not lose the card.
    for (std::size_t i = 0; i < start; ++i)
        if (isCardLine(db.CardLines[i], oldName, oldEdition))
            return static_cast<long long>(i);
    return -1;
}

TMaintResult SaveEditedCard(TCardDatabase& db, std::string_view oldName,
                            std::string_view oldEdition, const TZandorCard& card) {
    if (card.Name.empty())
        return {false, std::string(maint::NotAllFields)};
    const long long found = EditedCardLine(db, oldName, oldEdition);
    if (found < 0)
        return {false, std::string(maint::CardNotFound) + Cp1252ToUtf8(oldName)};
    const std::size_t line = static_cast<std::size_t>(found);

    // The file's text with the one line replaced, made without copying the list.
    std::string formatted = FormatCardLine(card);
    std::string cardText;
    std::size_t length = formatted.size() + 2;
    for (const std::string_view text : db.CardLines)
        length += text.size() + 2;
    cardText.reserve(length);
    for (std::size_t i = 0; i < db.CardLines.size(); ++i) {
        cardText += i == line ? std::string_view(formatted) : db.CardLines[i];
        cardText += "\r\n";
    }
    std::vector<std::string> programLines = db.ProgramLines;
    const bool programsChanged = MergeProgram(programLines, card.Name, card.Program);

    const std::string cardPath = db.DataDir + std::string(CardListFile);
    const std::string programPath = db.DataDir + std::string(ProgramFile);
    std::vector<TFileChange> changes{{cardPath, nullptr, &cardText,
                                      [&db] { return db.CardLines.Lines(); },
                                      FileExists(cardPath)}};
    if (programsChanged)
        changes.push_back({programPath, &programLines, nullptr, [&db] { return db.ProgramLines; },
                           FileExists(programPath)});
    const TWriteResult written = WriteFileChanges(changes);
    if (!written.Ok)
        return {false, written.Error};

    db.CardLines.Replace(line, std::move(formatted));
    if (programsChanged)
        db.ProgramLines = std::move(programLines);
    return {true, {}, 1};
}

} // namespace zandor
