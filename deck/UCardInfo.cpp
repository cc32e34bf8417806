#include "deck/UCardInfo.h"

#include "core/UIniFile.h"
#include "deck/UBaseList.h"

namespace zandor {

namespace {

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// A line whose third character is a blank continues the entry before it. A line too short
// to have a third character starts one.
bool continues(std::string_view line) {
    return line.size() >= 3 && line[2] == ' ';
}

// Overwrites the first closing character after the first "." that follows start.
void closeHotSpot(std::string& entry, std::size_t start, std::string_view closers) {
    bool dotPassed = false;
    for (std::size_t k = start; k < entry.size(); ++k) {
        if (dotPassed && closers.find(entry[k]) != std::string_view::npos) {
            entry[k] = '>';
            return;
        }
        if (entry[k] == '.')
            dotPassed = true;
    }
}

// The text after "/" up to the next blank.
std::string secondHalf(std::string_view name, std::size_t slash) {
    std::string_view rest = name.substr(slash + 1);
    return std::string(rest.substr(0, rest.find(' ')));
}

} // namespace

std::string PriceText(const TZandorCard& card) {
    return "Price: " + card.Value + " $";
}

std::vector<std::string> CollectRulingEntries(const std::vector<std::string>& ruleLines,
                                              std::string_view name) {
    std::vector<std::string> entries;
    const std::string head = std::string(name) + ":";
    std::size_t i = 0;
    while (i < ruleLines.size() && ruleLines[i] != head)
        ++i;
    if (i == ruleLines.size())
        return entries;
    std::string acc;
    bool inText = false;
    for (std::size_t j = i + 1;; ++j) {
        if (j >= ruleLines.size() || ruleLines[j].empty()) {
            entries.push_back(Trim(acc));
            break;
        }
        const std::string& line = ruleLines[j];
        if (contains(line, "Info:")) {
            entries.push_back(Trim(line));
        } else {
            const bool continuing = continues(line);
            const bool startsText = contains(line, "Text(");
            if (inText && continuing && !startsText) {
                acc += " " + Trim(line);
            } else if (inText) {
                inText = false;
                entries.push_back(acc);
                acc.clear();
            }
            if (startsText) {
                // A corrected text starts its own entry; whatever was gathered before it is
                // an entry of its own, not dropped.
                if (!acc.empty())
                    entries.push_back(acc);
                acc = Trim(line);
                inText = true;
            }
            if (!inText) {
                if (!continuing) {
                    if (!acc.empty())
                        entries.push_back(acc);
                    acc = Trim(line);
                } else {
                    acc += " " + Trim(line);
                }
            }
        }
        if (line.front() != ' ' && line.front() != '+')
            break;
    }
    return entries;
}

std::string MarkRuleReference(std::string entry) {
    constexpr auto npos = std::string::npos;
    const std::size_t see = entry.find("see Rule");
    if (see != npos) {
        if (see > 0)
            entry[see - 1] = ' ';
        std::size_t rule = entry.find("Rule");
        // A "Rule" at the very start has no character before it; the reference after
        // "see" is marked instead.
        if (rule == 0)
            rule = see + 4;
        entry[rule - 1] = '<';
        closeHotSpot(entry, rule, ")");
    } else if (entry.find("Rule ") != npos) {
        const std::size_t rule = entry.find("Rule");
        if (rule == 0)
            return entry;
        entry[rule - 1] = '<';
        closeHotSpot(entry, rule, ".,");
    }
    return entry;
}

std::vector<std::string> BuildCardInfo(const std::vector<std::string>& entries) {
    std::vector<std::string> lines;
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const std::string& entry = entries[k];
        if (k == 0) {
            lines.push_back(entry);
            lines.emplace_back();
            continue;
        }
        if (k == 1) {
            const std::size_t close = entry.find(')');
            const std::size_t cut = close == std::string::npos ? 1 : close + 2;
            const std::string rest = cut >= entry.size() ? std::string() : entry.substr(cut);
            lines.push_back((contains(entry, "errata") ? "Errata:  " : "Text: ") + rest);
            continue;
        }
        if (k == 2) {
            lines.emplace_back();
            if (!contains(entry, "Note"))
                lines.emplace_back("Rulings:");
        }
        lines.push_back(MarkRuleReference(entry));
        lines.emplace_back();
    }
    return lines;
}

std::vector<std::string> CardInfoLines(const std::vector<std::string>& ruleLines,
                                       std::string_view name) {
    return BuildCardInfo(CollectRulingEntries(ruleLines, name));
}

std::string HotSpotTopic(std::string_view hotSpot) {
    return std::string(hotSpot.substr(std::min<std::size_t>(5, hotSpot.size())));
}

TSplitTabs BaseCardTabs(const TZandorCard& card) {
    TSplitTabs tabs;
    const std::string_view name = card.Name;
    const std::size_t slash = name.find('/');
    if (slash == std::string_view::npos)
        return tabs;
    tabs.Tabs = {std::string(name.substr(0, slash)), secondHalf(name, slash)};
    tabs.Edition = card.Edition.str();
    tabs.Selected = 0;
    const std::size_t open = name.find('(');
    if (open != std::string_view::npos) {
        std::string_view half = name.substr(open + 1);
        half = half.substr(0, half.find(')'));
        if (half != tabs.Tabs[0])
            tabs.Selected = 1;
    }
    return tabs;
}

std::string TabCardName(const TSplitTabs& tabs, int tab) {
    if (tabs.Tabs.size() != 2 || tab < 0 || tab > 1)
        return {};
    return tabs.Tabs[0] + "/" + tabs.Tabs[1] + " (" + tabs.Tabs[static_cast<std::size_t>(tab)] +
           ")";
}

TDeckLineCard DeckLineCard(std::string_view line) {
    TDeckLineCard card;
    if (line.empty() || line.front() == '/')
        return card;
    const std::size_t open = line.find('[');
    const std::size_t close = line.find(']');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open)
        return card;
    card.Ok = true;
    card.Edition = std::string(line.substr(open + 1, close - open - 1));
    card.Name = Trim(line.substr(std::min(line.size(), close + 3)));
    const std::size_t slash = card.Name.find('/');
    if (slash != std::string::npos) {
        card.Tabs.Tabs = {card.Name.substr(0, slash), secondHalf(card.Name, slash)};
        card.Tabs.Selected = 0;
        card.Tabs.Edition = card.Edition;
        card.Name += " (" + card.Tabs.Tabs[0] + ")";
    }
    card.BaseLine = BaseLine(card.Edition, card.Name);
    return card;
}

TCardPanel BaseLinePanel(const TCardDatabase& db, std::string_view baseLine) {
    TCardPanel panel;
    const TBaseLineParts parts = SplitBaseLine(baseLine);
    panel.Card = FindCard(db, parts.Name, parts.Edition);
    panel.Price = PriceText(panel.Card);
    panel.Memo = CardInfoLines(db.RuleLines, panel.Card.Name);
    panel.Hint = PlainCardText(panel.Card.Text);
    panel.Tabs = BaseCardTabs(panel.Card);
    return panel;
}

TDeckPanel DeckLinePanel(const TCardDatabase& db, std::string_view deckLine) {
    TDeckPanel deck;
    const TDeckLineCard line = DeckLineCard(deckLine);
    if (!line.Ok)
        return deck;
    deck.Ok = true;
    deck.BaseLine = line.BaseLine;
    TCardPanel& panel = deck.Panel;
    panel.Card = FindCard(db, line.Name, line.Edition);
    panel.Price = PriceText(panel.Card);
    panel.Memo = CardInfoLines(db.RuleLines, panel.Card.Name);
    panel.Tabs = line.Tabs;
    return deck;
}

TZandorCard TabCard(const TCardDatabase& db, const TSplitTabs& tabs, int tab) {
    return FindCard(db, TabCardName(tabs, tab), tabs.Edition);
}

} // namespace zandor
