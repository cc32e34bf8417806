#include "deck/UFindCardLogic.h"

#include <cstring>

namespace zandor {

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether the lower-case term occurs at position at of text, letters compared without case.
bool occursAt(std::string_view text, std::size_t at, std::string_view term) {
    for (std::size_t k = 0; k < term.size(); ++k)
        if (lower(text[at + k]) != term[k])
            return false;
    return true;
}

// Calls found(at) for each position at which the lower-case term occurs in text, until it
// returns true. No copy of the text is made, since this runs over every card line.
template <class TFound> bool findLower(std::string_view text, std::string_view term, TFound found) {
    if (term.size() > text.size())
        return false;
    const std::size_t last = text.size() - term.size();
    if (term.empty()) {
        for (std::size_t i = 0; i <= last; ++i)
            if (found(i))
                return true;
        return false;
    }
    const char first = term.front();
    const char* const begin = text.data();
    const std::size_t span = last + 1; // the positions a match can start at
    // Both forms of a first letter are looked for with memchr, which is much faster than
    // testing every byte; the nearer one is tried first.
    const char other = first >= 'a' && first <= 'z' ? static_cast<char>(first - 'a' + 'A') : first;
    auto next = [&](char c, std::size_t from) -> std::size_t {
        if (from >= span)
            return span;
        const void* hit = std::memchr(begin + from, c, span - from);
        return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - begin) : span;
    };
    std::size_t small = next(first, 0);
    std::size_t capital = other == first ? span : next(other, 0);
    while (small < span || capital < span) {
        std::size_t at;
        if (small <= capital) {
            at = small;
            small = next(first, at + 1);
        } else {
            at = capital;
            capital = next(other, at + 1);
        }
        if (occursAt(text, at, term) && found(at))
            return true;
    }
    return false;
}

bool containsLower(std::string_view text, std::string_view term) {
    return findLower(text, term, [](std::size_t) { return true; });
}

bool fieldHas(std::string_view term, std::string_view field, bool whole) {
    return whole ? WholeWordMatch(term, field) : containsLower(field, term);
}

} // namespace

std::string LowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = lower(c);
    return out;
}

bool WholeWordMatch(std::string_view term, std::string_view field) {
    // " " + term + " " within " " + field + " ": the term with a blank or the field's end
    // on either side.
    return findLower(field, term, [&](std::size_t at) {
        const std::size_t end = at + term.size();
        return (at == 0 || field[at - 1] == ' ') && (end == field.size() || field[end] == ' ');
    });
}

TSearchTerms PrepareTerms(const TFindOptions& options) {
    TSearchTerms terms;
    terms.Operator = options.Operator;
    const std::string t1 = Trim(options.Find1);
    const std::string t2 = Trim(options.Find2);
    if (!t1.empty()) {
        terms.T1 = LowerAscii(t1);
        terms.T2 = LowerAscii(t2);
    } else {
        terms.T1 = LowerAscii(t2);
    }
    return terms;
}

bool FieldMatch(std::string_view term, const TZandorCard& card, const TFindOptions& options) {
    const bool whole = options.MatchWhole;
    return (options.Name && fieldHas(term, card.Name, whole)) ||
           (options.Type && fieldHas(term, card.CardType, whole)) ||
           (options.Text && fieldHas(term, card.Text, whole)) ||
           (options.Artist && fieldHas(term, card.Artist, whole)) ||
           (options.PT && fieldHas(term, card.PT, whole));
}

namespace {

// The match test; a card that gets as far as parsing is left in card.
bool matchLine(std::string_view line, const TSearchTerms& terms, const TFindOptions& options,
               const TCardFilter& filter, TZandorCard& card) {
    const bool two = !terms.T2.empty();
    const bool isAnd = terms.Operator == TFindOperator::And;
    // Most lines are decided here, without parsing.
    const bool has1 = containsLower(line, terms.T1);
    if (!two) {
        if (!has1)
            return false;
    } else if (isAnd) {
        if (!has1 || !containsLower(line, terms.T2))
            return false;
    } else if (!has1 && !containsLower(line, terms.T2)) {
        return false;
    }
    card = ParseCardLine(line);
    if (!filter.Passes(card))
        return false;
    if (!two)
        return FieldMatch(terms.T1, card, options);
    if (isAnd)
        return FieldMatch(terms.T1, card, options) && FieldMatch(terms.T2, card, options);
    return FieldMatch(terms.T1, card, options) || FieldMatch(terms.T2, card, options);
}

} // namespace

bool CardLineMatches(std::string_view line, const TSearchTerms& terms, const TFindOptions& options,
                     const TCardFilter& filter) {
    TZandorCard card;
    return matchLine(line, terms, options, filter, card);
}

namespace {

template <class TLines>
long long findMatch(const TLines& cardLines, const TSearchTerms& terms, const TFindOptions& options,
                    const TCardFilter& filter, std::size_t from) {
    for (std::size_t n = from; n < cardLines.size(); ++n)
        if (CardLineMatches(cardLines[n], terms, options, filter))
            return static_cast<long long>(n);
    return -1;
}

template <class TLines>
std::vector<std::string> allMatches(const TLines& cardLines, const TSearchTerms& terms,
                                    const TFindOptions& options, const TCardFilter& filter) {
    std::vector<std::string> base;
    TZandorCard card;
    for (std::string_view line : cardLines)
        if (matchLine(line, terms, options, filter, card))
            base.push_back(BaseLine(card));
    return base;
}

} // namespace

long long FindMatch(const TCardLines& cardLines, const TSearchTerms& terms,
                    const TFindOptions& options, const TCardFilter& filter, std::size_t from) {
    return findMatch(cardLines, terms, options, filter, from);
}

long long FindMatch(const std::vector<std::string>& cardLines, const TSearchTerms& terms,
                    const TFindOptions& options, const TCardFilter& filter, std::size_t from) {
    return findMatch(cardLines, terms, options, filter, from);
}

std::vector<std::string> AllMatches(const TCardLines& cardLines, const TSearchTerms& terms,
                                    const TFindOptions& options, const TCardFilter& filter) {
    return allMatches(cardLines, terms, options, filter);
}

std::vector<std::string> AllMatches(const std::vector<std::string>& cardLines,
                                    const TSearchTerms& terms, const TFindOptions& options,
                                    const TCardFilter& filter) {
    return allMatches(cardLines, terms, options, filter);
}

long long TCardSearch::select(const TBaseList& base, const TCardDatabase& db, long long line) {
    m_lastFoundLine = line;
    const TZandorCard card = ParseCardLine(db.CardLines[static_cast<std::size_t>(line)]);
    return base.IndexOf(BaseLine(card));
}

TSearchOutcome TCardSearch::Start(TBaseList& base, const TCardDatabase& db) {
    // A second search while one is shown starts from the list before the first.
    if (m_down)
        End(base);
    TSearchOutcome outcome;
    const TSearchTerms terms = PrepareTerms(Options);
    if (base.empty() || terms.Empty())
        return outcome;
    const TCardFilter filter = TCardFilter::FromSettings(db.Settings);
    if (!Options.SelectMatch) {
        const long long line = FindMatch(db.CardLines, terms, Options, filter, 0);
        outcome.Found = line >= 0;
        if (outcome.Found)
            outcome.Select = select(base, db, line);
        return outcome;
    }
    std::vector<std::string> found = AllMatches(db.CardLines, terms, Options, filter);
    m_savedBaseList = base.TakeLines();
    base.SetLines(std::move(found));
    m_down = true;
    outcome.Down = true;
    outcome.ListReplaced = true;
    outcome.Found = !base.empty();
    outcome.Select = base.empty() ? -1 : 0;
    return outcome;
}

TSearchOutcome TCardSearch::End(TBaseList& base) {
    TSearchOutcome outcome;
    if (!m_down)
        return outcome;
    base.SetLines(std::move(m_savedBaseList));
    m_savedBaseList.clear();
    m_down = false;
    outcome.ListReplaced = true;
    return outcome;
}

void TCardSearch::Release() {
    m_down = false;
    m_savedBaseList.clear();
}

TSearchOutcome TCardSearch::FindNext(const TBaseList& base, const TCardDatabase& db) {
    TSearchOutcome outcome;
    if (m_down || base.empty() || Options.SelectMatch)
        return outcome;
    const TSearchTerms terms = PrepareTerms(Options);
    if (terms.Empty())
        return outcome;
    const TCardFilter filter = TCardFilter::FromSettings(db.Settings);
    const long long line = FindMatch(db.CardLines, terms, Options, filter,
                                     static_cast<std::size_t>(m_lastFoundLine + 1));
    outcome.Found = line >= 0;
    if (outcome.Found)
        outcome.Select = select(base, db, line);
    return outcome;
}

TWriteResult FilterBaseList(TBaseList& base, TCardSearch& search, TFilterDialogModel& dialog,
                            TCardDatabase& db, const TProgress& progress) {
    search.Release();
    TWriteResult saved = dialog.Confirm(db.Settings);
    base.SetLines(FilterBase(db, progress));
    if (progress)
        progress(0);
    return saved;
}

} // namespace zandor
