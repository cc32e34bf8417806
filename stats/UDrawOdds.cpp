#include "stats/UDrawOdds.h"

#include "deck/UTextDeck.h"

#include <algorithm>

namespace zandor {

namespace {

// A non-negative whole number of any size, in 32-bit limbs, lowest first.
class TBigNumber {
public:
    explicit TBigNumber(std::uint64_t value = 0) {
        while (value != 0) {
            m_limbs.push_back(static_cast<std::uint32_t>(value));
            value >>= 32;
        }
    }

    void Multiply(std::uint32_t factor) {
        std::uint64_t carry = 0;
        for (std::uint32_t& limb : m_limbs) {
            const std::uint64_t product = std::uint64_t{limb} * factor + carry;
            limb = static_cast<std::uint32_t>(product);
            carry = product >> 32;
        }
        if (carry != 0)
            m_limbs.push_back(static_cast<std::uint32_t>(carry));
        trim();
    }

    // Divides in place and returns the remainder.
    std::uint32_t Divide(std::uint32_t divisor) {
        std::uint64_t rest = 0;
        for (std::size_t i = m_limbs.size(); i-- > 0;) {
            const std::uint64_t part = (rest << 32) | m_limbs[i];
            m_limbs[i] = static_cast<std::uint32_t>(part / divisor);
            rest = part % divisor;
        }
        trim();
        return static_cast<std::uint32_t>(rest);
    }

    void Add(const TBigNumber& other) {
        m_limbs.resize(std::max(m_limbs.size(), other.m_limbs.size()) + 1, 0);
        std::uint64_t carry = 0;
        for (std::size_t i = 0; i < m_limbs.size(); ++i) {
            const std::uint64_t sum = std::uint64_t{m_limbs[i]} +
                                      (i < other.m_limbs.size() ? other.m_limbs[i] : 0) + carry;
            m_limbs[i] = static_cast<std::uint32_t>(sum);
            carry = sum >> 32;
        }
        trim();
    }

    // this − other, for other not larger than this.
    void Subtract(const TBigNumber& other) {
        std::int64_t borrow = 0;
        for (std::size_t i = 0; i < m_limbs.size(); ++i) {
            std::int64_t difference =
                std::int64_t{m_limbs[i]} - borrow -
                (i < other.m_limbs.size() ? std::int64_t{other.m_limbs[i]} : 0);
            borrow = difference < 0 ? 1 : 0;
            if (difference < 0)
                difference += std::int64_t{1} << 32;
            m_limbs[i] = static_cast<std::uint32_t>(difference);
        }
        trim();
    }

    static TBigNumber Product(const TBigNumber& a, const TBigNumber& b) {
        TBigNumber result;
        if (a.m_limbs.empty() || b.m_limbs.empty())
            return result;
        result.m_limbs.assign(a.m_limbs.size() + b.m_limbs.size(), 0);
        for (std::size_t i = 0; i < a.m_limbs.size(); ++i) {
            std::uint64_t carry = 0;
            for (std::size_t j = 0; j < b.m_limbs.size(); ++j) {
                const std::uint64_t sum =
                    std::uint64_t{a.m_limbs[i]} * b.m_limbs[j] + result.m_limbs[i + j] + carry;
                result.m_limbs[i + j] = static_cast<std::uint32_t>(sum);
                carry = sum >> 32;
            }
            result.m_limbs[i + b.m_limbs.size()] = static_cast<std::uint32_t>(carry);
        }
        result.trim();
        return result;
    }

    friend bool operator<=(const TBigNumber& a, const TBigNumber& b) {
        if (a.m_limbs.size() != b.m_limbs.size())
            return a.m_limbs.size() < b.m_limbs.size();
        for (std::size_t i = a.m_limbs.size(); i-- > 0;)
            if (a.m_limbs[i] != b.m_limbs[i])
                return a.m_limbs[i] < b.m_limbs[i];
        return true;
    }

private:
    void trim() {
        while (!m_limbs.empty() && m_limbs.back() == 0)
            m_limbs.pop_back();
    }

    std::vector<std::uint32_t> m_limbs;
};

// n choose k, for 0 <= n < 2^32; 0 when k is outside 0..n.
TBigNumber choose(std::int64_t n, std::int64_t k) {
    if (k < 0 || k > n)
        return TBigNumber(0);
    k = std::min(k, n - k);
    TBigNumber result(1);
    // After step j the number is (n − k + j) choose j, a whole number at every step.
    for (std::int64_t j = 1; j <= k; ++j) {
        result.Multiply(static_cast<std::uint32_t>(n - k + j));
        result.Divide(static_cast<std::uint32_t>(j));
    }
    return result;
}

constexpr std::int64_t largestDeck = 2147483647;
constexpr std::int64_t largestSpread = 20000;

} // namespace

std::optional<std::int64_t> DrawOddsHundredths(std::int64_t deckSize, std::int64_t copies,
                                               std::int64_t seen, std::int64_t atLeast) {
    if (deckSize < 0 || deckSize > largestDeck)
        return std::nullopt;
    copies = std::clamp<std::int64_t>(copies, 0, deckSize);
    seen = std::clamp<std::int64_t>(seen, 0, deckSize);
    if (atLeast <= 0)
        return 10000;
    if (atLeast > std::min(copies, seen))
        return 0;
    if (std::min(seen, deckSize - seen) > largestSpread)
        return std::nullopt;
    // The hands of seen cards with fewer than atLeast copies, out of all hands.
    const TBigNumber hands = choose(deckSize, seen);
    TBigNumber fewer;
    for (std::int64_t i = 0; i < atLeast; ++i)
        fewer.Add(TBigNumber::Product(choose(copies, i), choose(deckSize - copies, seen - i)));
    TBigNumber enough = hands;
    enough.Subtract(fewer);
    // Rounded half up: the largest r with r × 2 × hands <= 20000 × enough + hands.
    TBigNumber bound = enough;
    bound.Multiply(20000);
    bound.Add(hands);
    std::int64_t low = 0, high = 10000;
    while (low < high) {
        const std::int64_t middle = (low + high + 1) / 2;
        TBigNumber trial = hands;
        trial.Multiply(static_cast<std::uint32_t>(2 * middle));
        if (trial <= bound)
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

std::string OddsPercentText(std::int64_t hundredths) {
    const std::int64_t cents = hundredths % 100;
    return std::to_string(hundredths / 100) + "." + (cents < 10 ? "0" : "") + std::to_string(cents);
}

TCardCopies CardCopies(const std::vector<TZandorStatCard>& cards, std::string_view name) {
    TCardCopies result;
    const std::string key = CardNameKey(name);
    for (const TZandorStatCard& card : cards) {
        if (card.Count < 1)
            continue;
        result.DeckSize += card.Count;
        if (CardNameKey(card.Name) != key)
            continue;
        if (result.Name.empty())
            result.Name = card.Name;
        result.Copies += card.Count;
    }
    return result;
}

} // namespace zandor
