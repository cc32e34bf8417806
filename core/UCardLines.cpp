#include "core/UCardLines.h"

#include "core/UCardDatabase.h"
#include "core/UTextFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zandor {

namespace {

class TStringText final : public TCardText {
public:
    explicit TStringText(std::string text) : m_text(std::move(text)) {}
    std::string_view Text() const override { return m_text; }

private:
    std::string m_text;
};

// A read-only private mapping of a whole file. The pages come from the page cache as the
// lines are split; nothing is copied.
class TMappedText final : public TCardText {
public:
    TMappedText(void* address, std::size_t size) : m_address(address), m_size(size) {}
    ~TMappedText() override { ::munmap(m_address, m_size); }
    TMappedText(const TMappedText&) = delete;
    TMappedText& operator=(const TMappedText&) = delete;
    std::string_view Text() const override { return {static_cast<const char*>(m_address), m_size}; }

private:
    void* m_address;
    std::size_t m_size;
};

std::shared_ptr<const TCardText> readFile(const std::string& path, std::string* reason) {
    long long fileSize = 0;
    const int fd = OpenRegularFile(path, fileSize, reason);
    if (fd < 0)
        return nullptr;
    const auto size = static_cast<std::size_t>(fileSize);
    if (size == 0) {
        ::close(fd);
        return std::make_shared<TStringText>(std::string());
    }
    void* address = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    if (address != MAP_FAILED) {
        ::close(fd);
        ::madvise(address, size, MADV_SEQUENTIAL);
        return std::make_shared<TMappedText>(address, size);
    }
    // Where the file cannot be mapped it is read.
    ::close(fd);
    std::string contents;
    if (!ReadWholeFile(path, contents, reason))
        return nullptr;
    return std::make_shared<TStringText>(std::move(contents));
}

} // namespace

std::string_view LineName(std::string_view line) {
    const std::size_t tab = line.find('\t');
    return tab == std::string_view::npos ? std::string_view() : line.substr(0, tab);
}

void SplitLineViews(std::string_view text, std::vector<std::string_view>& lines) {
    lines.clear();
    const char* p = text.data();
    const char* const end = p + text.size();
    // Card lists end their lines with CR LF, so the search is for LF, at memory speed;
    // a lone CR inside a line is found afterwards in the (short) line itself.
    while (p < end) {
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', end - p));
        const char* stop = lf ? lf : end;
        const char* cr = static_cast<const char*>(std::memchr(p, '\r', stop - p));
        while (cr && cr + 1 < stop) {
            // A lone CR ends a line too.
            lines.emplace_back(p, static_cast<std::size_t>(cr - p));
            p = cr + 1;
            cr = static_cast<const char*>(std::memchr(p, '\r', stop - p));
        }
        lines.emplace_back(p, static_cast<std::size_t>((cr ? cr : stop) - p));
        p = lf ? lf + 1 : end;
    }
}

TCardLines::TCardLines(const std::vector<std::string>& lines) {
    *this = lines;
}

TCardLines::TCardLines(std::initializer_list<std::string_view> lines) {
    *this = lines;
}

TCardLines::TCardLines(const TCardLines& other) {
    copyFrom(other);
}

TCardLines::TCardLines(TCardLines&& other) noexcept
    : m_text(std::move(other.m_text)), m_lines(std::move(other.m_lines)),
      m_owned(std::move(other.m_owned)) {
    other.clear();
}

TCardLines::~TCardLines() = default;

TCardLines& TCardLines::operator=(const TCardLines& other) {
    if (this != &other) {
        copyFrom(other);
        touch();
    }
    return *this;
}

TCardLines& TCardLines::operator=(TCardLines&& other) noexcept {
    if (this != &other) {
        m_text = std::move(other.m_text);
        m_lines = std::move(other.m_lines);
        m_owned = std::move(other.m_owned);
        touch();
        other.clear();
    }
    return *this;
}

TCardLines& TCardLines::operator=(const std::vector<std::string>& lines) {
    // One text for all lines, so that they sit side by side as read lines do.
    std::size_t length = 0;
    for (const std::string& line : lines)
        length += line.size();
    std::string text;
    text.reserve(length);
    for (const std::string& line : lines)
        text += line;
    auto shared = std::make_shared<TStringText>(std::move(text));
    const std::string_view all = shared->Text();
    std::vector<std::string_view> views;
    views.reserve(lines.size());
    std::size_t at = 0;
    for (const std::string& line : lines) {
        views.push_back(all.substr(at, line.size()));
        at += line.size();
    }
    m_text = std::move(shared);
    m_lines = std::move(views);
    m_owned.clear();
    touch();
    return *this;
}

TCardLines& TCardLines::operator=(std::initializer_list<std::string_view> lines) {
    std::vector<std::string> copies;
    copies.reserve(lines.size());
    for (std::string_view line : lines)
        copies.emplace_back(line);
    return *this = copies;
}

bool operator==(const TCardLines& a, const TCardLines& b) {
    return a.m_lines == b.m_lines;
}

bool operator==(const TCardLines& a, const std::vector<std::string>& b) {
    return std::equal(a.m_lines.begin(), a.m_lines.end(), b.begin(), b.end(),
                      [](std::string_view x, const std::string& y) { return x == y; });
}

bool TCardLines::LoadFile(const std::string& path, std::string* reason) {
    std::shared_ptr<const TCardText> text = readFile(path, reason);
    if (!text)
        return false;
    std::vector<std::string_view> views;
    SplitLineViews(text->Text(), views);
    m_text = std::move(text);
    m_lines = std::move(views);
    m_owned.clear();
    touch();
    return true;
}

void TCardLines::SetText(std::string text) {
    auto shared = std::make_shared<TStringText>(std::move(text));
    std::vector<std::string_view> views;
    SplitLineViews(shared->Text(), views);
    m_text = std::move(shared);
    m_lines = std::move(views);
    m_owned.clear();
    touch();
}

std::vector<std::string> TCardLines::Lines() const {
    return std::vector<std::string>(m_lines.begin(), m_lines.end());
}

bool TCardLines::inText(std::string_view line) const {
    if (!m_text)
        return false;
    const std::string_view all = m_text->Text();
    return line.data() >= all.data() && line.data() + line.size() <= all.data() + all.size();
}

std::string_view TCardLines::own(std::string_view line) {
    if (line.empty())
        return {};
    m_owned.push_back(std::make_unique<std::string>(line));
    return *m_owned.back();
}

void TCardLines::copyFrom(const TCardLines& other) {
    // The text is shared (it never changes); changed lines are copied, so that each list
    // owns what its views point into.
    std::vector<std::unique_ptr<std::string>> owned;
    std::vector<std::string_view> lines = other.m_lines;
    m_owned.swap(owned);
    m_text = other.m_text;
    for (std::string_view& line : lines)
        if (!line.empty() && !other.inText(line))
            line = own(line);
    m_lines = std::move(lines);
}

void TCardLines::compact() {
    std::vector<std::unique_ptr<std::string>> old;
    old.swap(m_owned);
    for (std::string_view& line : m_lines)
        if (!line.empty() && !inText(line))
            line = own(line);
}

void TCardLines::clear() {
    m_lines.clear();
    m_owned.clear();
    m_text.reset();
    touch();
}

void TCardLines::push_back(std::string_view line) {
    const std::string_view kept = own(line);
    m_lines.push_back(kept);
    touch();
}

void TCardLines::Insert(std::size_t index, std::string_view line) {
    const std::string_view kept = own(line);
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(std::min(index, m_lines.size())),
                   kept);
    touch();
}

void TCardLines::Erase(std::size_t index) {
    if (index < m_lines.size())
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(index));
    touch();
}

void TCardLines::Replace(std::size_t index, std::string_view line) {
    if (index < m_lines.size()) {
        m_lines[index] = own(line);
        // Lines replaced again and again leave their old copies behind; drop them once
        // they outnumber the lines.
        if (m_owned.size() > 2 * m_lines.size() + 64)
            compact();
    }
    touch();
}

void TCardLines::Sort() {
    std::stable_sort(m_lines.begin(), m_lines.end(), CardLineLess);
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
