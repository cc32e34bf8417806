// Card search over the whole card list: the search terms, the field and whole-word
// matching, the single-card and select-all searches with find next, and the search state
// of the deck editor (the search button, the saved base list, the last card found).
#pragma once

#include "core/UCardDatabase.h"
#include "deck/UBaseList.h"
#include "deck/UCardFilter.h"

#include <string>
#include <string_view>
#include <vector>

namespace zandor {

// Every letter "A" to "Z" becomes "a" to "z"; nothing else changes.
std::string LowerAscii(std::string_view text);
// The (lower-case) term is the whole field or a blank-separated word of it, case ignored.
bool WholeWordMatch(std::string_view term, std::string_view field);

enum class TFindOperator { And, Or };

// The contents of the search dialog, kept between uses.
struct TFindOptions {
    std::string Find1;
    std::string Find2;
    TFindOperator Operator = TFindOperator::And;
    bool Name = true;
    bool Type = true;
    bool Text = true;
    bool Artist = false;
    bool PT = false;
    bool SelectMatch = false; // "Select matching records"
    bool MatchWhole = false;  // "Match whole words only"
};

// Lower-cased, trimmed terms; a second term alone becomes the first.
struct TSearchTerms {
    std::string T1;
    std::string T2;
    TFindOperator Operator = TFindOperator::And;
    bool Empty() const { return T1.empty(); }
};
TSearchTerms PrepareTerms(const TFindOptions& options);

// The term occurs in one of the ticked fields of the card.
bool FieldMatch(std::string_view term, const TZandorCard& card, const TFindOptions& options);
// The raw line holds the terms, the card passes the filter, and the terms match its fields.
bool CardLineMatches(std::string_view line, const TSearchTerms& terms, const TFindOptions& options,
                     const TCardFilter& filter);
// The first matching card line at or after from, or -1.
long long FindMatch(const TCardLines& cardLines, const TSearchTerms& terms,
                    const TFindOptions& options, const TCardFilter& filter, std::size_t from);
long long FindMatch(const std::vector<std::string>& cardLines, const TSearchTerms& terms,
                    const TFindOptions& options, const TCardFilter& filter, std::size_t from);
// The base lines of every matching card line, in list order.
std::vector<std::string> AllMatches(const TCardLines& cardLines, const TSearchTerms& terms,
                                    const TFindOptions& options, const TCardFilter& filter);
std::vector<std::string> AllMatches(const std::vector<std::string>& cardLines,
                                    const TSearchTerms& terms, const TFindOptions& options,
                                    const TCardFilter& filter);

// What the window shows after a search command.
struct TSearchOutcome {
    bool Down = false;         // the search button stays down (select-all mode)
    bool ListReplaced = false; // the base list changed: refresh it and its caption
    bool Found = false;        // a card matched; without Select it is not in the list
    long long Select = -1;     // the base line to make the top line, select and show
};

class TCardSearch {
public:
    TFindOptions Options;

    bool Down() const { return m_down; }
    long long LastFoundLine() const { return m_lastFoundLine; }
    const std::vector<std::string>& SavedBaseList() const { return m_savedBaseList; }
    // What "tempbase.dat" receives: never a search result.
    const std::vector<std::string>& ListToSave(const TBaseList& base) const {
        return m_down ? m_savedBaseList : base.Lines();
    }

    // The search button was pressed and the dialog confirmed.
    TSearchOutcome Start(TBaseList& base, const TCardDatabase& db);
    // The search button was released: the base list from before the search comes back.
    TSearchOutcome End(TBaseList& base);
    // The filter rebuilt the list: the button goes up without restoring anything.
    void Release();
    TSearchOutcome FindNext(const TBaseList& base, const TCardDatabase& db);

private:
    long long select(const TBaseList& base, const TCardDatabase& db, long long line);

    bool m_down = false;
    long long m_lastFoundLine = -1; // -1 until a card was found
    std::vector<std::string> m_savedBaseList;
};

// The filter command after the dialog was confirmed (or, after an edition was deleted,
// reloaded from the settings without being shown): the search button goes up, the dialog
// is saved and loaded again, and the base list is refilled by the filter. A failed save
// is returned; the list is refilled from the settings as they stand.
TWriteResult FilterBaseList(TBaseList& base, TCardSearch& search, TFilterDialogModel& dialog,
                            TCardDatabase& db, const TProgress& progress = {});

} // namespace zandor
