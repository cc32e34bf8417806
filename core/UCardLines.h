// The card list as raw lines, with every change going through a method so that the
// lookup's exact-name table, derived from the lines, knows when it must be rebuilt.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zandor {

class TCardLines {
public:
    TCardLines() = default;
    // Explicit, so that a plain vector is never copied into a card list by accident.
    explicit TCardLines(std::vector<std::string> lines) : m_lines(std::move(lines)) {}
    TCardLines(std::initializer_list<std::string> lines) : m_lines(lines) {}
    TCardLines(const TCardLines& other) : m_lines(other.m_lines) {}
    TCardLines(TCardLines&& other) noexcept : m_lines(std::move(other.m_lines)) { other.touch(); }
    TCardLines& operator=(const TCardLines& other);
    TCardLines& operator=(TCardLines&& other) noexcept;
    TCardLines& operator=(std::vector<std::string> lines);
    TCardLines& operator=(std::initializer_list<std::string> lines) {
        return *this = std::vector<std::string>(lines);
    }
    friend bool operator==(const TCardLines& a, const TCardLines& b) {
        return a.m_lines == b.m_lines;
    }
    friend bool operator==(const TCardLines& a, const std::vector<std::string>& b) {
        return a.m_lines == b;
    }

    // Reading, as from a vector of lines.
    std::size_t size() const { return m_lines.size(); }
    bool empty() const { return m_lines.empty(); }
    const std::string& operator[](std::size_t i) const { return m_lines[i]; }
    const std::string& at(std::size_t i) const { return m_lines.at(i); }
    const std::string& front() const { return m_lines.front(); }
    const std::string& back() const { return m_lines.back(); }
    auto begin() const { return m_lines.cbegin(); }
    auto end() const { return m_lines.cend(); }
    const std::vector<std::string>& Lines() const { return m_lines; }
    operator const std::vector<std::string>&() const { return m_lines; }

    // Changing; each change invalidates the derived lookup table.
    void clear();
    void push_back(std::string line);
    void Insert(std::size_t index, std::string line);
    void Erase(std::size_t index);
    void Replace(std::size_t index, std::string line);
    // Sorts the whole list in the card list's order.
    void Sort();
    void resize(std::size_t size);
    // Counts the changes, for tests and for the derived table.
    std::uint64_t Version() const { return m_version; }

    // For the lookup: the first line of a name at or after start that is reachable by a
    // forward walk from start which stops after the first line whose name begins with
    // another character than the name's. Equal, line for line, to that walk, but without
    // it. The edition filter is applied by the caller through matches().
    template <class Matches>
    long long FirstReachable(std::size_t start, std::string_view name, Matches matches) const;

private:
    struct TDerived {
        std::uint64_t Version = ~std::uint64_t{0};
        std::unordered_map<std::string_view, std::uint32_t> Head; // first line of each name
        std::vector<std::uint32_t> Next;   // the next line of the same name, or npos
        std::vector<std::uint32_t> RunEnd; // first line after i whose first character differs
    };
    static constexpr std::uint32_t none = ~std::uint32_t{0};
    void touch() { ++m_version; }
    const TDerived& derived() const;

    std::vector<std::string> m_lines;
    std::uint64_t m_version = 0;
    mutable TDerived m_derived;
};

// The name of a card line: the text before its first TAB (empty without a TAB).
std::string_view LineName(std::string_view line);

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
