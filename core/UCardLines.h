// The card list: the lines of "cardlist.dat" as views into one buffer that holds the file
// as it was read (mapped, not copied), a line copied only when it is changed. Every change
// goes through a method, so that the lookup's exact-name table, derived from the lines,
// knows when it must be rebuilt.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zandor {

// The text a card list was read from: a read-only mapping of the file, or a string.
// Saving a data file always writes a new file and renames it over the old one, so a
// mapping keeps the text as it was read for as long as the list refers to it.
class TCardText {
public:
    virtual ~TCardText() = default;
    virtual std::string_view Text() const = 0;
};

class TCardLines {
public:
    using value_type = std::string_view;
    using const_iterator = std::vector<std::string_view>::const_iterator;

    TCardLines() = default;
    // Explicit, so that a plain vector is never copied into a card list by accident.
    explicit TCardLines(const std::vector<std::string>& lines);
    TCardLines(std::initializer_list<std::string_view> lines);
    TCardLines(const TCardLines& other);
    TCardLines(TCardLines&& other) noexcept;
    ~TCardLines();
    TCardLines& operator=(const TCardLines& other);
    TCardLines& operator=(TCardLines&& other) noexcept;
    TCardLines& operator=(const std::vector<std::string>& lines);
    TCardLines& operator=(std::initializer_list<std::string_view> lines);
    friend bool operator==(const TCardLines& a, const TCardLines& b);
    friend bool operator==(const TCardLines& a, const std::vector<std::string>& b);

    // Replaces the list by the lines of a file, split at CR LF, lone CR and lone LF. The
    // file is mapped once and the lines point into it. False (and the list unchanged) when
    // the file cannot be read.
    bool LoadFile(const std::string& path, std::string* reason = nullptr);
    // Replaces the list by the lines of a text, which the list keeps.
    void SetText(std::string text);

    // Reading, as from a vector of lines. A line is a view that stays valid until the
    // list is changed or destroyed.
    std::size_t size() const { return m_lines.size(); }
    bool empty() const { return m_lines.empty(); }
    std::string_view operator[](std::size_t i) const { return m_lines[i]; }
    std::string_view at(std::size_t i) const { return m_lines.at(i); }
    std::string_view front() const { return m_lines.front(); }
    std::string_view back() const { return m_lines.back(); }
    const_iterator begin() const { return m_lines.cbegin(); }
    const_iterator end() const { return m_lines.cend(); }
    // The lines as views, valid as above.
    const std::vector<std::string_view>& Views() const { return m_lines; }
    // A copy of the lines as strings, for code that keeps or changes them on its own.
    std::vector<std::string> Lines() const;
    operator std::vector<std::string>() const { return Lines(); }

    // Changing; each change invalidates the derived lookup table.
    void clear();
    void push_back(std::string_view line);
    void Insert(std::size_t index, std::string_view line);
    void Erase(std::size_t index);
    void Replace(std::size_t index, std::string_view line);
    // Sorts the whole list in the card list's order.
    void Sort();
    void resize(std::size_t size);
    // Counts the changes, for tests and for the derived table.
    std::uint64_t Version() const { return m_version; }

    // For the lookup: the first line of a name at or after start that is reachable by a
    // forward walk from start which stops after the first line whose name begins with
    // another character than the name's. Equal, line for line, to that walk, but without
    // it. The edition filter is applied by the caller through matches(). The table behind
    // it is built on the first call after a change.
    template <class Matches>
    long long FirstReachable(std::size_t start, std::string_view name, Matches matches) const;
    // Whether a lookup should go through FirstReachable: once its table is built, or after
    // a few lookups since the last change. A single lookup walks, which costs far less
    // than building the table over the whole list.
    bool PreferTable() const { return m_derived.Version == m_version || ++m_walks > 16; }

private:
    struct TDerived {
        std::uint64_t Version = ~std::uint64_t{0};
        std::unordered_map<std::string_view, std::uint32_t> Head; // first line of each name
        std::vector<std::uint32_t> Next;   // the next line of the same name, or npos
        std::vector<std::uint32_t> RunEnd; // first line after i whose first character differs
    };
    static constexpr std::uint32_t none = ~std::uint32_t{0};
    void touch() {
        ++m_version;
        m_walks = 0;
    }
    const TDerived& derived() const;
    // A changed line gets storage of its own; the view points into it.
    std::string_view own(std::string_view line);
    bool inText(std::string_view line) const;
    // Copies the lines of other, sharing its text and owning copies of its changed lines.
    void copyFrom(const TCardLines& other);
    // Frees the copies of lines that are no longer in the list.
    void compact();

    std::shared_ptr<const TCardText> m_text;
    std::vector<std::string_view> m_lines;
    std::vector<std::unique_ptr<std::string>> m_owned;
    std::uint64_t m_version = 0;
    mutable std::uint32_t m_walks = 0;
    mutable TDerived m_derived;
};

// The name of a card line: the text before its first TAB (empty without a TAB).
std::string_view LineName(std::string_view line);

// Splits text at CR LF, lone CR and lone LF into views of it; a final line end adds no
// empty line.
void SplitLineViews(std::string_view text, std::vector<std::string_view>& lines);

template <class Matches>
long long TCardLines::FirstReachable(std::size_t start, std::string_view name,
                                     Matches matches) const {
    if (name.empty() || start >= m_lines.size())
        return -1;
    const TDerived& d = derived();
    const auto head = d.Head.find(name);
    if (head == d.Head.end())
        return -1;
    // Only lines whose name begins with the name's first character can be walked over;
    // the walk also examines (and stops after) the first line that does not.
    const std::string_view startName = LineName(m_lines[start]);
    const std::size_t limit =
        !startName.empty() && startName[0] == name[0] ? d.RunEnd[start] : start + 1;
    for (std::uint32_t i = head->second; i != none && i < limit; i = d.Next[i])
        if (i >= start && matches(m_lines[i]))
            return i;
    return -1;
}

} // namespace zandor
