#include "app/UCommandLine.h"

#include "core/UCardCommands.h"
#include "core/UCardDatabase.h"
#include "core/UTextFile.h"
#include "deck/UDeckCommands.h"
#include "play/UPlayCommands.h"
#include "render/URenderCommand.h"
#include "stats/UStatCommands.h"

#include <functional>
#include <map>

#ifndef ZANDOR_VERSION
#define ZANDOR_VERSION "0.9.0"
#endif

namespace zandor {

namespace {

struct TArguments {
    std::string DataDir;
    std::vector<std::string> Words;             // the command and its plain arguments
    std::map<std::string, std::string> Options; // "--edition" -> "CODE"
};

const char* usage = "Usage: zandor [--data DIR] COMMAND [ARGUMENTS]\n"
                    "\n"
                    "Commands:\n"
                    "  find NAME [--edition CODE]   print the fields of a card\n"
                    "  render NAME --out FILE.png   draw the card face (--edition, --stretch)\n"
                    "  deck hand FILE.dec [--seed N] [--draw K]\n"
                    "                               deal a sample opening hand\n"
                    "  deck stats FILE.dec          print the statistics of a deck\n"
                    "  deck convert FILE.dec        print a deck, an old-format deck converted\n"
                    "  deck export-apprentice FILE.dec OUT.dec\n"
                    "                               write the deck for Apprentice\n"
                    "  filter                       print the base lines the saved filter passes\n"
                    "  search TERM [--and TERM2 | --or TERM2] [--fields name,type,text,artist,pt]\n"
                    "         [--whole-words]       print the base lines of the matching cards\n"
                    "\n"
                    "Options:\n"
                    "  --data DIR   the data folder (default: \"data\" beside the program)\n"
                    "  --help       this text\n"
                    "  --version    the program's version\n";

// Options that take a value; anything else starting with "--" is a flag.
bool takesValue(const std::string& option) {
    return option == "--data" || option == "--edition" || option == "--stretch" ||
           option == "--out" || option == "--seed" || option == "--draw" || option == "--and" ||
           option == "--or" || option == "--fields";
}

// Options that stand alone.
bool isFlag(const std::string& option) {
    return option == "--help" || option == "--version" || option == "--whole-words";
}

bool parse(const std::vector<std::string>& args, TArguments& parsed, std::ostream& err) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) == 0 && a.size() > 2) {
            if (!takesValue(a) && !isFlag(a)) {
                err << "zandor: unknown option \"" << a << "\"\n" << usage;
                return false;
            }
            if (takesValue(a)) {
                if (i + 1 >= args.size()) {
                    err << "zandor: " << a << " needs a value\n";
                    return false;
                }
                parsed.Options[a] = args[++i];
            } else {
                parsed.Options[a] = "";
            }
        } else {
            parsed.Words.push_back(a);
        }
    }
    if (auto d = parsed.Options.find("--data"); d != parsed.Options.end())
        parsed.DataDir = d->second;
    else
        parsed.DataDir = DefaultDataDir();
    return true;
}

// Loads the card base for a command; a base that cannot be loaded is said on standard
// error, and the command ends with 1 instead of working on an empty base.
bool loadBase(TCardDatabase& db, const TArguments& a, std::ostream& err) {
    LoadCardDatabase(db, ProgramFolder(), a.DataDir);
    for (const std::string& problem : db.BaseProblems)
        err << "zandor: " << problem << "\n";
    return db.BaseProblems.empty();
}

std::string option(const TArguments& a, const std::string& name) {
    const auto found = a.Options.find(name);
    return found == a.Options.end() ? std::string() : found->second;
}

int findCommand(const TArguments& a, std::ostream& out, std::ostream& err) {
    if (a.Words.size() != 2) {
        err << "zandor: find needs one card name (quote names with blanks)\n";
        return 2;
    }
    TCardDatabase db;
    if (!loadBase(db, a, err))
        return 1;
    return RunFindCommand(db, a.Words[1], option(a, "--edition"), out);
}

int renderCommand(const TArguments& a, std::ostream& out, std::ostream& err) {
    if (a.Words.size() != 2) {
        err << "zandor: render needs one card name (quote names with blanks)\n";
        return 2;
    }
    TCardDatabase db;
    if (!loadBase(db, a, err))
        return 1;
    return RunRenderCommand(db, a.Words[1], option(a, "--edition"), option(a, "--stretch"),
                            option(a, "--out"), out, err);
}

int deckHandCommand(const TArguments& a, std::ostream& out, std::ostream& err) {
    const auto value = [&a](const std::string& name) -> std::optional<std::string> {
        const auto found = a.Options.find(name);
        return found == a.Options.end() ? std::nullopt : std::optional(found->second);
    };
    TCardDatabase db;
    if (!loadBase(db, a, err))
        return 1;
    return RunDeckCommand(db, {a.Words.begin() + 1, a.Words.end()}, value("--seed"),
                          value("--draw"), out, err);
}

int deckStatsCommand(const TArguments& a, std::ostream& out, std::ostream& err) {
    if (a.Words.size() != 3) {
        err << "zandor: deck stats needs one deck file\n";
        return 2;
    }
    TCardDatabase db;
    if (!loadBase(db, a, err))
        return 1;
    return RunDeckStatsCommand(db, a.Words[2], out, err);
}

int deckConvertCommand(const TArguments& a, std::ostream& out, std::ostream& err) {
    if (a.Words.size() != 3) {
        err << "zandor: deck convert needs one deck file\n";
        return 2;
    }
    TCardDatabase db;
    if (!loadBase(db, a, err))
        return 1;
    return RunDeckConvertCommand(db, a.Words[2], out, err);
}

int deckExportCommand(const TArguments& a, std::ostream& out, std::ostream& err) {
    if (a.Words.size() != 4) {
        err << "zandor: deck export-apprentice needs a deck file and the file to write\n";
        return 2;
    }
    TCardDatabase db;
    if (!loadBase(db, a, err))
        return 1;
    return RunExportApprenticeCommand(db, a.Words[2], a.Words[3], out, err);
}

int filterCommand(const TArguments& a, std::ostream& out, std::ostream& err) {
    if (a.Words.size() != 1) {
        err << "zandor: filter takes no arguments\n";
        return 2;
    }
    TCardDatabase db;
    if (!loadBase(db, a, err))
        return 1;
    return RunFilterCommand(db, out);
}

int searchCommand(const TArguments& a, std::ostream& out, std::ostream& err) {
    if (a.Words.size() != 2 || (a.Options.count("--and") && a.Options.count("--or"))) {
        err << "zandor: search needs one term and at most one of --and and --or\n";
        return 2;
    }
    TSearchCommand command;
    command.Term = a.Words[1];
    if (const auto found = a.Options.find("--or"); found != a.Options.end()) {
        command.Term2 = found->second;
        command.Operator = TFindOperator::Or;
    } else {
        command.Term2 = option(a, "--and");
    }
    command.Fields = option(a, "--fields");
    command.WholeWords = a.Options.count("--whole-words") > 0;
    TCardDatabase db;
    if (!loadBase(db, a, err))
        return 1;
    return RunSearchCommand(db, command, out, err);
}

// "deck" takes its job from its second word.
int deckCommand(const TArguments& a, std::ostream& out, std::ostream& err) {
    using TDeckCommand = int (*)(const TArguments&, std::ostream&, std::ostream&);
    const std::map<std::string, TDeckCommand> deckCommands{
        {"hand", deckHandCommand},
        {"stats", deckStatsCommand},
        {"convert", deckConvertCommand},
        {"export-apprentice", deckExportCommand},
    };
    const auto command = a.Words.size() < 2 ? deckCommands.end() : deckCommands.find(a.Words[1]);
    if (command == deckCommands.end()) {
        err << "zandor: deck needs one of:";
        for (const auto& [word, run] : deckCommands)
            err << " " << word;
        err << "\n";
        return 2;
    }
    return command->second(a, out, err);
}

} // namespace

std::string DefaultDataDir() {
    return ProgramFolder() + PathSeparator() + "data";
}

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    TArguments a;
    if (!parse(args, a, err))
        return 2;
    if (a.Options.count("--help")) {
        out << usage;
        return 0;
    }
    if (a.Options.count("--version")) {
        out << "zandor " << ZANDOR_VERSION << "\n";
        return 0;
    }
    if (a.Words.empty()) {
        err << usage;
        return 2;
    }
    using TCommand = std::function<int(const TArguments&, std::ostream&, std::ostream&)>;
    const std::map<std::string, TCommand> commands{
        {"find", findCommand},     {"render", renderCommand}, {"deck", deckCommand},
        {"filter", filterCommand}, {"search", searchCommand},
    };
    const auto command = commands.find(a.Words[0]);
    if (command == commands.end()) {
        err << "zandor: unknown command \"" << a.Words[0] << "\"\n" << usage;
        return 2;
    }
    return command->second(a, out, err);
}

} // namespace zandor
