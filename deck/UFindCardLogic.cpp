#include "deck/UFindCardLogic.h"

namespace zandor {

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether text holds the lower-case term, letters compared without case; no copy is made,
// since this runs over every card line.
bool containsLower(std::string_view text, std::string_view term) {
    if (term.empty())
        return true;
    if (term.size() > text.size())
        return false;
    const char first = term.front();
    const std::size_t last = text.size() - term.size();
    for (std::size_t i = 0; i <= last; ++i) {
        if (lower(text[i]) != first)
            continue;
        std::size_t k = 1;
        while (k < term.size() && lower(text[i + k]) == term[k])
            ++k;
        if (k == term.size())
            return true;
    }
    return false;
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
    const std::string f = LowerAscii(field);
    if (f == term)
        return true;
    const std::string padded = " " + f + " ";
    const std::string word = " " + std::string(term) + " ";
    return padded.find(word) != std::string::npos;
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

bool CardLineMatches(std::string_view line, const TSearchTerms& terms, const TFindOptions& options,
                     const TCardFilter& filter) {
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
    const TZandorCard card = ParseCardLine(line);
    if (!filter.Passes(card))
        return false;
    if (!two)
        return FieldMatch(terms.T1, card, options);
    if (isAnd)
        return FieldMatch(terms.T1, card, options) && FieldMatch(terms.T2, card, options);
    return FieldMatch(terms.T1, card, options) || FieldMatch(terms.T2, card, options);
}

long long FindMatch(const std::vector<std::string>& cardLines, const TSearchTerms& terms,
                    const TFindOptions& options, const TCardFilter& filter, std::size_t from) {
    for (std::size_t n = from; n < cardLines.size(); ++n)
        if (CardLineMatches(cardLines[n], terms, options, filter))
            return static_cast<long long>(n);
    return -1;
}

std::vector<std::string> AllMatches(const std::vector<std::string>& cardLines,
                                    const TSearchTerms& terms, const TFindOptions& options,
                                    const TCardFilter& filter) {
    std::vector<std::string> base;
    for (const std::string& line : cardLines)
        if (CardLineMatches(line, terms, options, filter))
            base.push_back(BaseLine(ParseCardLine(line)));
    return base;
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
    m_savedBaseList = base.Lines();
    const TCardFilter filter = TCardFilter::FromSettings(db.Settings);
    if (!Options.SelectMatch) {
        m_savedBaseList.clear();
        const long long line = FindMatch(db.CardLines, terms, Options, filter, 0);
        outcome.Found = line >= 0;
        if (outcome.Found)
            outcome.Select = select(base, db, line);
        return outcome;
    }
    base.SetLines(AllMatches(db.CardLines, terms, Options, filter));
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

} // namespace zandor
