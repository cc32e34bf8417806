#include "play/UCardProgram.h"

#include "core/UIniFile.h"

#include <charconv>
#include <cstdint>
#include <limits>

namespace zandor {

namespace {

constexpr std::size_t npos = std::string_view::npos;

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != npos;
}

// The text after the first tag up to the next stop; nothing when the tag is missing,
// empty when no stop follows.
std::optional<std::string_view> textAfter(std::string_view text, std::string_view tag, char stop) {
    const std::size_t at = text.find(tag);
    if (at == npos)
        return std::nullopt;
    const std::string_view rest = text.substr(at + tag.size());
    const std::size_t end = rest.find(stop);
    return end == npos ? std::string_view() : rest.substr(0, end);
}

bool fits32(std::int64_t v) {
    return v >= std::numeric_limits<std::int32_t>::min() &&
           v <= std::numeric_limits<std::int32_t>::max();
}

// Splits "a/b" at its first "/" into two integers.
bool splitPT(std::string_view pt, int& a, int& b) {
    const std::size_t slash = pt.find('/');
    if (slash == npos)
        return false;
    const auto first = ParseDecimal(pt.substr(0, slash));
    const auto second = ParseDecimal(pt.substr(slash + 1));
    if (!first || !second)
        return false;
    a = *first;
    b = *second;
    return true;
}

// A token field: the text after its tag up to the next ";" (to the end of the body when
// no ";" follows); empty when the tag is missing.
std::string tokenField(std::string_view body, std::string_view tag) {
    const std::size_t at = body.find(tag);
    if (at == npos)
        return {};
    const std::string_view rest = body.substr(at + tag.size());
    return std::string(rest.substr(0, rest.find(';')));
}

} // namespace

std::optional<int> ParseDecimal(std::string_view text) {
    text = TrimView(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-')
            return std::nullopt;
    }
    if (text.empty())
        return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

void PrepareCard(TMCardPlay& play) {
    const std::string_view program = play.Card.Program;
    play.Untapped = contains(program, "ComesTap") ? 0 : 1;
    // A counter text that is not a count of zero or more gives no counters, so that the
    // counter commands always work on a number.
    play.Counters.clear();
    if (const auto counters = textAfter(program, "Counter:", '_')) {
        const auto count = ParseDecimal(*counters);
        if (count && *count >= 0)
            play.Counters = std::to_string(*count);
    }
    if (const auto keywords = textAfter(program, "KEYWORLD[", ']'))
        play.Keywords = std::string(*keywords);
}

std::optional<std::string> StabBody(std::string_view program) {
    const std::size_t at = program.find("STAB[");
    if (at == npos)
        return std::nullopt;
    const std::string_view rest = program.substr(at + 5);
    const std::size_t end = rest.find(']');
    if (end == npos || end == 0)
        return std::nullopt;
    return std::string(rest.substr(0, end));
}

std::vector<TStabClause> ParseStabBody(std::string_view body) {
    std::vector<TStabClause> clauses;
    std::size_t start = 0;
    while (start <= body.size()) {
        std::size_t bar = body.find('|', start);
        if (bar == npos)
            bar = body.size();
        const std::string_view text = body.substr(start, bar - start);
        start = bar + 1;

        TStabClause clause;
        const std::size_t colon = text.find(':');
        const std::string_view target = text.substr(0, colon);
        const std::size_t kind = target.find("Creature-");
        if (colon != npos && kind != npos) {
            clause.Subtype = std::string(target.substr(kind + 9));
            const std::string_view effects = text.substr(colon + 1);
            std::size_t from = 0;
            while (from <= effects.size()) {
                std::size_t semi = effects.find(';', from);
                if (semi == npos)
                    semi = effects.size();
                const std::string_view piece = effects.substr(from, semi - from);
                from = semi + 1;
                TStabEffect effect;
                if (const std::size_t slash = piece.find('/'); slash != npos) {
                    effect.IsPT = true;
                    const auto p = ParseDecimal(piece.substr(0, slash));
                    const auto t = ParseDecimal(piece.substr(slash + 1));
                    effect.Valid = p && t;
                    effect.Power = p.value_or(0);
                    effect.Toughness = t.value_or(0);
                } else {
                    effect.Word = std::string(piece);
                }
                clause.Effects.push_back(std::move(effect));
            }
        }
        clauses.push_back(std::move(clause));
    }
    return clauses;
}

bool ClauseMatches(const TStabClause& clause, const TZandorCard& card) {
    return !clause.Subtype.empty() && contains(card.CardType, clause.Subtype);
}

std::optional<std::string> AddPT(std::string_view pt, std::int64_t p, std::int64_t t) {
    if (contains(pt, "*"))
        return std::nullopt;
    int power = 0;
    int toughness = 0;
    if (!splitPT(pt, power, toughness))
        return std::nullopt;
    // Marks of removed abilities can be large; keep the arithmetic in 64 bits.
    if (p < -(std::int64_t(1) << 40) || p > (std::int64_t(1) << 40) ||
        t < -(std::int64_t(1) << 40) || t > (std::int64_t(1) << 40))
        return std::nullopt;
    const std::int64_t newPower = power + p;
    const std::int64_t newToughness = toughness + t;
    if (!fits32(newPower) || !fits32(newToughness))
        return std::nullopt;
    return std::to_string(newPower) + "/" + std::to_string(newToughness);
}

void ApplyClause(const TStabClause& clause, TMCardPlay& play, TStabMark& mark) {
    for (const TStabEffect& effect : clause.Effects) {
        if (effect.IsPT) {
            if (!effect.Valid)
                continue;
            if (auto pt = AddPT(play.Card.PT, effect.Power, effect.Toughness)) {
                play.Card.PT = std::move(*pt);
                mark.Power += effect.Power;
                mark.Toughness += effect.Toughness;
            }
        } else {
            play.Keywords += " _" + effect.Word + "_";
        }
    }
}

void RemoveClauseWords(const TStabClause& clause, TMCardPlay& play) {
    for (const TStabEffect& effect : clause.Effects) {
        if (effect.IsPT)
            continue;
        const std::string token = "_" + effect.Word + "_";
        if (const std::size_t at = play.Keywords.find(token); at != std::string::npos)
            play.Keywords.erase(at, token.size());
    }
}

std::optional<TZandorCard> ParseTokenProgram(std::string_view program, const TZandorCard& source) {
    const std::size_t at = program.find("TOKEN[");
    if (at == npos)
        return std::nullopt;
    std::string_view body = program.substr(at + 6);
    body = body.substr(0, body.find(']')); // without a "]" the body runs to the end

    TZandorCard token;
    token.Name = tokenField(body, "Name:");
    token.Color = tokenField(body, "Color:");
    token.PT = tokenField(body, "P/T:");
    token.Text = tokenField(body, "Text:");
    if (const std::size_t p = body.find("Programm:"); p != npos)
        token.Program = std::string(body.substr(p + 9)) + "]";
    token.CardType = "Token Creature - " + token.Name;
    token.Artist = source.Artist;
    return token;
}

} // namespace zandor
