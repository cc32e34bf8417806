#include "maint/UPriceList.h"

#include "core/UIniFile.h"
#include "core/USettings.h"

#include <algorithm>
#include <ctime>

namespace zandor {

namespace {

// Characters 1 to 31 of an entry line are the name column; the price follows it.
constexpr std::size_t NameColumn = 31;

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::string upperKey(std::string_view text) {
    std::string key(text.substr(0, 2));
    for (char& c : key)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return key;
}

// Digits with at most one decimal point.
bool isPrice(std::string_view text) {
    bool digit = false;
    bool point = false;
    for (char c : text) {
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c == '.' && !point)
            point = true;
        else
            return false;
    }
    return digit;
}

void eraseFirst(std::string& text, char c) {
    if (const std::size_t at = text.find(c); at != std::string::npos)
        text.erase(at, 1);
}

// Removes the part from the first "(" to the first ")" after it (to the end when there is
// none) and returns the text between them.
std::string removeParenthesized(std::string& text) {
    const std::size_t open = text.find('(');
    if (open == std::string::npos)
        return {};
    const std::size_t close = text.find(')', open);
    std::string inside = close == std::string::npos ? text.substr(open + 1)
                                                    : text.substr(open + 1, close - open - 1);
    text.erase(open, close == std::string::npos ? std::string::npos : close - open + 1);
    text = Trim(text);
    return inside;
}

// The edition field of a card line as parsing keeps it: at most three characters.
std::string_view lineEdition(std::string_view line) {
    const std::size_t first = line.find('\t');
    if (first == std::string_view::npos)
        return {};
    const std::string_view rest = line.substr(first + 1);
    const std::size_t second = rest.find('\t');
    if (second == std::string_view::npos)
        return {};
    return rest.substr(0, std::min<std::size_t>(second, 3));
}

bool editionMatches(std::string_view line, const std::string& edition) {
    return edition.empty() || lineEdition(line) == edition;
}

// The priced lines of a run, kept aside until the card list holding them is saved, so
// that a failed save leaves the card list in memory untouched.
class TPendingLines {
public:
    explicit TPendingLines(const TCardLines& lines) : m_lines(lines), m_slot(lines.size(), none) {}
    std::string_view Current(std::size_t line) const {
        return m_slot[line] == none ? std::string_view(m_lines[line])
                                    : std::string_view(m_changes[m_slot[line]].second);
    }
    void Set(std::size_t line, std::string text) {
        if (m_slot[line] == none) {
            m_slot[line] = static_cast<std::uint32_t>(m_changes.size());
            m_changes.emplace_back(line, std::move(text));
        } else {
            m_changes[m_slot[line]].second = std::move(text);
        }
    }
    // The whole file as it will be written.
    std::string FileText() const {
        std::size_t length = 0;
        for (std::size_t i = 0; i < m_lines.size(); ++i)
            length += Current(i).size() + 2;
        std::string text;
        text.reserve(length);
        for (std::size_t i = 0; i < m_lines.size(); ++i) {
            text += Current(i);
            text += "\r\n";
        }
        return text;
    }
    void ApplyTo(TCardLines& lines) {
        for (auto& [line, text] : m_changes)
            lines.Replace(line, std::move(text));
        m_changes.clear();
    }

private:
    static constexpr std::uint32_t none = ~std::uint32_t{0};
    const TCardLines& m_lines;
    std::vector<std::uint32_t> m_slot;
    std::vector<std::pair<std::size_t, std::string>> m_changes;
};

std::string pricedLine(std::string_view line, std::string_view price) {
    TZandorCard card = ParseCardLine(line);
    card.Value = std::string(price);
    return FormatCardLine(card);
}

std::uint64_t hashName(std::string_view name) {
    std::uint64_t h = 1469598103934665603ull; // FNV-1a
    for (char c : name)
        h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return h ^ (h >> 29);
}

} // namespace

std::optional<TPriceEntry> ParsePriceLine(std::string_view line) {
    if (startsWith(line, "card") || startsWith(line, "----") || startsWith(line, "total:") ||
        TrimView(line).empty())
        return std::nullopt;
    TPriceEntry entry;
    // The column's closing separator goes, and so does the padding before it.
    std::string_view name = TrimView(line.substr(0, NameColumn));
    if (!name.empty())
        name.remove_suffix(1);
    entry.Name = Trim(name);
    const std::string_view rest = line.size() > NameColumn ? line.substr(NameColumn) : "";
    const std::string_view price = TrimView(rest.substr(0, rest.find(',')));
    entry.PriceOk = isPrice(price);
    entry.Price = std::string(price);
    if (const std::size_t point = entry.Price.find('.'); point != std::string::npos)
        entry.Price[point] = ',';
    return entry;
}

std::string PriceEditionKey(std::string_view abbreviation) {
    if (abbreviation.size() == 3 && abbreviation[0] >= '4' && abbreviation[0] <= '8' &&
        abbreviation.substr(1) == "th")
        return std::string(1, abbreviation[0]) + "E";
    return std::string(abbreviation);
}

std::string PriceComparisonName(std::string_view cardName) {
    std::string name(cardName);
    eraseFirst(name, ',');
    if (name.find('(') != std::string::npos)
        removeParenthesized(name);
    return name;
}

TPriceTarget PriceTargetOf(std::string_view entryName) {
    TPriceTarget target;
    target.Key = std::string(entryName.substr(0, 2));
    target.Name = std::string(entryName);
    if (target.Name.find('(') != std::string::npos)
        target.Edition = PriceEditionKey(removeParenthesized(target.Name));
    eraseFirst(target.Name, ',');
    return target;
}

TPriceLookup::TPriceLookup(const TNameIndex& index, const TCardLines& cardLines)
    : m_lines(cardLines), m_size(cardLines.size()) {
    if (m_size == 0)
        return;
    // The block of a key runs from its first index entry to the line of the entry after it.
    const std::vector<std::string>& entries = index.Lines();
    const auto value = [&](std::size_t p) -> std::size_t {
        const std::string& entry = entries[p];
        return std::strtoull(entry.c_str() + entry.rfind('=') + 1, nullptr, 10);
    };
    for (std::size_t p = 0; p < entries.size(); ++p) {
        const std::string& entry = entries[p];
        const std::size_t eq = entry.rfind('=');
        if (eq == std::string::npos)
            continue;
        TRange r;
        r.Start = value(p);
        r.End = p + 1 < entries.size() ? value(p + 1) : m_size - 1;
        m_ranges.try_emplace(upperKey(std::string_view(entry).substr(0, eq)), r);
    }
    // The comparison names: a plain name is the line's own name, others are worked out.
    std::vector<std::string> worked;
    std::vector<std::string_view> plain(m_size);
    std::vector<std::uint32_t> workedOf(m_size, none);
    std::size_t length = 0;
    for (std::size_t i = 0; i < m_size; ++i) {
        const std::string_view name = LineName(cardLines[i]);
        if (name.find_first_of(",(") != std::string_view::npos) {
            workedOf[i] = static_cast<std::uint32_t>(worked.size());
            worked.push_back(PriceComparisonName(name));
            length += worked.back().size();
        } else {
            plain[i] = name;
            length += name.size();
        }
    }
    m_names.reserve(length);
    std::vector<std::size_t> offset(m_size);
    for (std::size_t i = 0; i < m_size; ++i) {
        offset[i] = m_names.size();
        m_names += workedOf[i] == none ? plain[i] : worked[workedOf[i]];
    }
    m_nameOf.resize(m_size);
    for (std::size_t i = 0; i < m_size; ++i) {
        const std::size_t end = i + 1 < m_size ? offset[i + 1] : m_names.size();
        m_nameOf[i] = std::string_view(m_names).substr(offset[i], end - offset[i]);
    }
    std::size_t slots = 16;
    while (slots < 2 * m_size)
        slots *= 2;
    m_slots.assign(slots, none);
    m_next.assign(m_size, none);
    // Backwards, so that each name's chain runs in list order.
    for (std::size_t i = m_size; i-- > 0;) {
        const std::string_view name = m_nameOf[i];
        std::size_t s = hashName(name) & (slots - 1);
        while (m_slots[s] != none && m_nameOf[m_slots[s]] != name)
            s = (s + 1) & (slots - 1);
        m_next[i] = m_slots[s];
        m_slots[s] = static_cast<std::uint32_t>(i);
    }
}

std::uint32_t TPriceLookup::head(std::string_view name) const {
    if (m_slots.empty())
        return none;
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t s = hashName(name) & mask; m_slots[s] != none; s = (s + 1) & mask)
        if (m_nameOf[m_slots[s]] == name)
            return m_slots[s];
    return none;
}

TPriceLookup::TRange TPriceLookup::range(std::string_view key) const {
    if (const auto found = m_ranges.find(upperKey(key)); found != m_ranges.end())
        return found->second;
    return {0, m_size == 0 ? 0 : m_size - 1};
}

std::vector<std::size_t> TPriceLookup::Lines(const TPriceTarget& target) const {
    std::vector<std::size_t> result;
    if (target.Name.empty() || m_size == 0)
        return result;
    std::uint32_t line = head(target.Name);
    if (line == none)
        return result;
    const TRange r = range(target.Key);
    // The walk goes from the block's start; it stops after the block's end line when it
    // has priced a line by then, else it runs on to the last line of the list.
    while (line != none && line < r.Start)
        line = m_next[line];
    bool stopAtEnd = false;
    for (; line != none; line = m_next[line]) {
        if (stopAtEnd && line > r.End)
            break;
        if (!editionMatches(m_lines[line], target.Edition))
            continue;
        if (result.empty() && line <= r.End)
            stopAtEnd = true;
        result.push_back(line);
    }
    return result;
}

std::size_t UpdateCardPrice(TCardDatabase& db, const TPriceLookup& lookup,
                            std::string_view entryName, std::string_view price) {
    const std::vector<std::size_t> lines = lookup.Lines(PriceTargetOf(entryName));
    for (std::size_t line : lines)
        db.CardLines.Replace(line, pricedLine(db.CardLines[line], price));
    return lines.size();
}

std::size_t UpdateCardPriceByWalk(TCardDatabase& db, std::string_view entryName,
                                  std::string_view price) {
    const TPriceTarget target = PriceTargetOf(entryName);
    const std::size_t size = db.CardLines.size();
    if (target.Name.empty() || size == 0)
        return 0;
    std::size_t start = 0;
    std::size_t end = size - 1;
    const std::string key = upperKey(target.Key);
    const std::vector<std::string>& entries = db.NameIndex.Lines();
    for (std::size_t p = 0; p < entries.size(); ++p) {
        const std::size_t eq = entries[p].rfind('=');
        if (eq == std::string::npos || upperKey(std::string_view(entries[p]).substr(0, eq)) != key)
            continue;
        start = std::strtoull(entries[p].c_str() + eq + 1, nullptr, 10);
        if (p + 1 < entries.size())
            end =
                std::strtoull(entries[p + 1].c_str() + entries[p + 1].rfind('=') + 1, nullptr, 10);
        break;
    }
    std::size_t count = 0;
    for (std::size_t i = start; i < size; ++i) {
        const TZandorCard card = ParseCardLine(db.CardLines[i]);
        if (PriceComparisonName(card.Name) == target.Name &&
            (target.Edition.empty() || card.Edition == target.Edition)) {
            db.CardLines.Replace(i, pricedLine(db.CardLines[i], price));
            ++count;
        }
        if (i == end && count > 0)
            break;
    }
    return count;
}

TPriceRun ApplyPrices(TCardDatabase& db, const std::vector<std::string>& priceLines,
                      const TDate& today, const TPriceProgress& progress) {
    TPriceRun run;
    if (UnreadableDataFile(db, CardListFile)) {
        run.Ok = false;
        run.Error = "the card list \"" + db.DataDir + std::string(CardListFile) +
                    "\" could not be read, so it is not written either";
        return run;
    }
    TPendingLines pending(db.CardLines);
    {
        const TPriceLookup lookup(db.NameIndex, db.CardLines);
        for (const std::string& line : priceLines) {
            const std::optional<TPriceEntry> entry = ParsePriceLine(line);
            if (!entry)
                continue;
            if (progress.Entry)
                progress.Entry(entry->Name, run.Updated, run.NotFound.size());
            // A price that is no number leaves the card's price as it was.
            std::size_t n = 0;
            if (entry->PriceOk) {
                const std::vector<std::size_t> lines = lookup.Lines(PriceTargetOf(entry->Name));
                for (std::size_t priced : lines)
                    pending.Set(priced, pricedLine(pending.Current(priced), entry->Price));
                n = lines.size();
            }
            if (n == 0)
                run.NotFound.push_back(entry->Name);
            run.Updated += n;
        }
    }

    run.Date = FormatShortDate(today);
    const bool hadSection = db.Settings.SectionExists(ini::Update);
    const bool hadDate = db.Settings.ValueExists(ini::Update, ini::Price);
    const std::string oldDate = db.Settings.ReadString(ini::Update, ini::Price, "");
    const auto fail = [&](const std::string& error) {
        run.Ok = false;
        run.Error = error;
        run.Updated = 0;
        run.NotFound.clear();
        return run;
    };
    if (const TWriteResult written = db.Settings.WriteDate(ini::Update, ini::Price, today);
        !written.Ok)
        return fail(written.Error);

    // The walk itself: the lookup's table would be rebuilt for one line after the card
    // list's last change.
    const long long version =
        FindCardLineByWalk(db.NameIndex, db.CardLines, VersionCardName, VersionEdition);
    if (version >= 0) {
        TZandorCard record = ParseCardLine(pending.Current(static_cast<std::size_t>(version)));
        const std::string formatted = FormatCardLine(record);
        long long line = version;
        if (pending.Current(static_cast<std::size_t>(line)) != formatted) {
            line = -1;
            for (std::size_t i = 0; i < db.CardLines.size() && line < 0; ++i)
                if (pending.Current(i) == formatted)
                    line = static_cast<long long>(i);
        }
        if (line >= 0) {
            record.Flavor = run.Date;
            pending.Set(static_cast<std::size_t>(line), FormatCardLine(record));
        }
    }

    const TWriteResult saved =
        CurrentFileWriter().WriteFile(db.DataDir + std::string(CardListFile), pending.FileText());
    if (!saved.Ok) {
        // The settings keep the date of the last update that did reach the card list.
        if (hadDate)
            db.Settings.WriteString(ini::Update, ini::Price, oldDate);
        else if (hadSection)
            db.Settings.DeleteKey(ini::Update, ini::Price);
        else
            db.Settings.EraseSection(ini::Update);
        return fail(saved.Error);
    }
    pending.ApplyTo(db.CardLines);
    return run;
}

TDate CurrentDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

bool UnreadableDataFile(const TCardDatabase& db, std::string_view fileName) {
    return std::find(db.MissingFiles.begin(), db.MissingFiles.end(), fileName) !=
               db.MissingFiles.end() &&
           FileExists(db.DataDir + std::string(fileName));
}

std::string LastPriceDate(const TCardDatabase& db) {
    const TZandorCard version = FindCard(db, VersionCardName, VersionEdition);
    if (!IsNotFound(version))
        return version.Flavor;
    return FormatShortDate(db.Settings.ReadDate(ini::Update, ini::Price, DefaultPriceDate));
}

std::string PriceListUrl(std::string_view host) {
    std::string url = Trim(host);
    if (url.empty())
        return url;
    const std::size_t scheme = url.find("://");
    if (scheme == std::string::npos)
        url = "http://" + url;
    const std::size_t authority = url.find("://") + 3;
    const std::size_t path = url.find('/', authority);
    if (path != std::string::npos && path + 1 < url.size())
        return url; // a full address
    if (path != std::string::npos)
        url.erase(path);
    return url + std::string(PriceListPath);
}

TWriteResult SaveDownloadedPrices(const TCardDatabase& db, const std::vector<std::string>& lines,
                                  std::string* writtenTo) {
    std::string path = IncludeTrailingSeparator(db.ProgramDir) + std::string(PriceFile);
    TWriteResult written = WriteTextLines(path, lines);
    if (!written.Ok) {
        path = db.DataDir + std::string(PriceFile);
        written = WriteTextLines(path, lines);
    }
    if (written.Ok && writtenTo)
        *writtenTo = path;
    return written;
}

} // namespace zandor
