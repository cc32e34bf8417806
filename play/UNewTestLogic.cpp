#include "play/UNewTestLogic.h"

#include <charconv>

namespace zandor {

namespace {

std::string trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(" \t\r\n");
    return std::string(text.substr(first, last - first + 1));
}

bool tradable(const std::vector<std::string>& rows, int row) {
    if (row < 0 || row >= static_cast<int>(rows.size()))
        return false;
    const std::string text = trimmed(rows[static_cast<std::size_t>(row)]);
    return !text.empty() && text[0] != '/' && text[0] != 'S';
}

// Adds one copy of key to the grid: the first row with that key counts one more, or a new
// row is appended. False when a matching row's count does not read.
bool addCopy(std::vector<std::string>& grid, const std::string& key) {
    for (std::string& row : grid) {
        const TSideboardEntry entry = ReadSideboardEntry(row);
        if (entry.Key == key && !trimmed(row).empty()) {
            if (!entry.Ok)
                return false;
            row = SideboardEntry(entry.Count + 1, key);
            return true;
        }
    }
    if (grid.size() == 1 && trimmed(grid[0]).empty())
        grid[0] = SideboardEntry(1, key);
    else
        grid.push_back(SideboardEntry(1, key));
    return true;
}

// Takes one copy off the selected row, deleting it at its last copy.
void takeCopy(std::vector<std::string>& grid, int& row) {
    const std::size_t r = static_cast<std::size_t>(row);
    const TSideboardEntry entry = ReadSideboardEntry(grid[r]);
    if (entry.Count >= 2) {
        grid[r] = SideboardEntry(entry.Count - 1, entry.Key);
        return;
    }
    grid.erase(grid.begin() + row);
    if (grid.empty())
        grid.emplace_back();
    row = std::min(row, static_cast<int>(grid.size()) - 1);
}

} // namespace

TPlayDeckFile ReadPlayDeckFile(const std::string& path) {
    TPlayDeckFile deck;
    auto lines = ReadTextLines(path);
    if (!lines)
        return deck;
    deck.Ok = true;
    deck.Lines = std::move(*lines);
    for (std::string& line : deck.Lines) {
        if (line.empty() || line[0] == '\\')
            continue;
        const std::size_t pr = line.find("PR");
        if (pr != std::string::npos) {
            line[pr + 1] = 'Y';
            deck.Rewritten = true;
        }
    }
    if (deck.Rewritten)
        deck.Rewrite = WriteTextLines(path, deck.Lines);
    deck.DeckDir = ExtractFileDir(path);
    return deck;
}

TSideboardRows SideboardRowsOf(const std::vector<std::string>& lines) {
    TSideboardRows rows;
    rows.Deck.clear();
    rows.Sideboard.clear();
    for (const std::string& line : lines) {
        if (line.empty())
            continue;
        if (line[0] == 'S')
            rows.Sideboard.push_back(trimmed(line.size() > 3 ? line.substr(3) : std::string()));
        else if (line[0] == ' ')
            rows.Deck.push_back(trimmed(line));
    }
    if (rows.Deck.empty())
        rows.Deck.emplace_back();
    if (rows.Sideboard.empty())
        rows.Sideboard.emplace_back();
    return rows;
}

std::vector<std::string> LinesOfSideboardRows(const TSideboardRows& rows) {
    std::vector<std::string> lines;
    for (const std::string& row : rows.Deck)
        if (!trimmed(row).empty())
            lines.push_back("    " + row);
    for (const std::string& row : rows.Sideboard)
        if (!trimmed(row).empty())
            lines.push_back("SB: " + row);
    return lines;
}

TSideboardEntry ReadSideboardEntry(const std::string& entry) {
    TSideboardEntry result;
    const std::size_t blank = entry.find(' ');
    const std::string count = trimmed(entry.substr(0, blank));
    result.Key = blank == std::string::npos ? std::string() : trimmed(entry.substr(blank + 1));
    const char* end = count.data() + count.size();
    const auto [ptr, ec] = std::from_chars(count.data(), end, result.Count);
    result.Ok = !count.empty() && ec == std::errc() && ptr == end;
    return result;
}

std::string SideboardEntry(int count, const std::string& key) {
    return std::to_string(count) + " " + key;
}

bool TradeSideboard(TSideboardRows& rows, int& deckRow, int& sideboardRow) {
    if (!tradable(rows.Deck, deckRow) || !tradable(rows.Sideboard, sideboardRow))
        return false;
    const TSideboardEntry d = ReadSideboardEntry(rows.Deck[static_cast<std::size_t>(deckRow)]);
    const TSideboardEntry s =
        ReadSideboardEntry(rows.Sideboard[static_cast<std::size_t>(sideboardRow)]);
    if (!d.Ok || !s.Ok)
        return false;
    // Any matching row whose count does not read would stop the trade half way: check
    // first, change after.
    TSideboardRows changed = rows;
    if (!addCopy(changed.Deck, s.Key) || !addCopy(changed.Sideboard, d.Key))
        return false;
    takeCopy(changed.Deck, deckRow);
    takeCopy(changed.Sideboard, sideboardRow);
    rows = std::move(changed);
    return true;
}

} // namespace zandor
