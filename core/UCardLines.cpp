#include "core/UCardLines.h"

#include "core/UCardDatabase.h"

namespace zandor {

std::string_view LineName(std::string_view line) {
    const std::size_t tab = line.find('\t');
    return tab == std::string_view::npos ? std::string_view() : line.substr(0, tab);
}

TCardLines& TCardLines::operator=(const TCardLines& other) {
    if (this != &other) {
        m_lines = other.m_lines;
        touch();
    }
    return *this;
}

TCardLines& TCardLines::operator=(TCardLines&& other) noexcept {
    if (this != &other) {
        m_lines = std::move(other.m_lines);
        touch();
        other.touch();
    }
    return *this;
}

TCardLines& TCardLines::operator=(std::vector<std::string> lines) {
    m_lines = std::move(lines);
    touch();
    return *this;
}

void TCardLines::clear() {
    m_lines.clear();
    touch();
}

void TCardLines::push_back(std::string line) {
    m_lines.push_back(std::move(line));
    touch();
}

void TCardLines::Insert(std::size_t index, std::string line) {
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(std::min(index, m_lines.size())),
                   std::move(line));
    touch();
}

void TCardLines::Erase(std::size_t index) {
    if (index < m_lines.size())
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(index));
    touch();
}

void TCardLines::Replace(std::size_t index, std::string line) {
    if (index < m_lines.size())
        m_lines[index] = std::move(line);
    touch();
}

void TCardLines::Sort() {
    SortCardLines(m_lines);
    touch();
}

void TCardLines::resize(std::size_t size) {
    m_lines.resize(size);
    touch();
}

const TCardLines::TDerived& TCardLines::derived() const {
    if (m_derived.Version == m_version)
        return m_derived;
    TDerived& d = m_derived;
    const auto n = static_cast<std::uint32_t>(m_lines.size());
    d.Head.clear();
    d.Head.reserve(m_lines.size());
    d.Next.assign(n, none);
    d.RunEnd.assign(n, n);
    // Backwards, so that each name's chain runs in list order.
    for (std::uint32_t i = n; i-- > 0;) {
        const std::string_view name = LineName(m_lines[i]);
        if (!name.empty()) {
            auto [slot, inserted] = d.Head.try_emplace(name, i);
            if (!inserted) {
                d.Next[i] = slot->second;
                slot->second = i;
            }
        }
        if (i + 1 < n) {
            const std::string_view nextName = LineName(m_lines[i + 1]);
            const bool same = !name.empty() && !nextName.empty() && name[0] == nextName[0];
            d.RunEnd[i] = same ? d.RunEnd[i + 1] : i + 1;
        }
    }
    d.Version = m_version;
    return d;
}

} // namespace zandor
