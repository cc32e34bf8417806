// Any bytes as a card program: the preparation keywords, the static-ability body with its
// clauses and effects applied and taken back, the power/toughness arithmetic and the token
// construct, without a crash, an overflow or an endless loop.
#include "play/UCardProgram.h"

#include <cstdlib>
#include <string_view>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096)
        return 0;
    const std::string_view program(reinterpret_cast<const char*>(data), size);
    zandor::TMCardPlay play;
    play.Card.Name = "Mossback Strider";
    play.Card.CardType = "Summon Beast";
    play.Card.PT = "2/3";
    play.Card.Program = std::string(program);
    zandor::PrepareCard(play);
    check(play.Untapped == (program.find("ComesTap") == std::string_view::npos ? 1 : 0));

    if (const auto body = zandor::StabBody(program)) {
        check(!body->empty());
        for (const zandor::TStabClause& clause : zandor::ParseStabBody(*body)) {
            zandor::TMCardPlay target = play;
            target.Card.CardType = "Creature - " + clause.Subtype;
            zandor::TStabMark mark;
            if (zandor::ClauseMatches(clause, target.Card)) {
                zandor::ApplyClause(clause, target, mark);
                zandor::RemoveClauseWords(clause, target);
            }
        }
    }
    // The p/t arithmetic over the program's bytes as a power/toughness text.
    const std::int64_t p = size ? static_cast<std::int8_t>(data[0]) : 0;
    const std::int64_t t = size > 1 ? static_cast<std::int8_t>(data[1]) * 1000000000LL : 0;
    if (const auto sum = zandor::AddPT(program, p, t))
        check(sum->find('/') != std::string::npos);
    if (const auto token = zandor::ParseTokenProgram(program, play.Card))
        check(program.find("TOKEN[") != std::string_view::npos);
    return 0;
}
