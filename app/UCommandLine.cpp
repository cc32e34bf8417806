#include "app/UCommandLine.h"

#include "core/UCardCommands.h"
#include "core/UCardDatabase.h"
#include "core/UInstallPaths.h"
#include "core/UTextFile.h"
#include "deck/UDeckCommands.h"
#include "deck/UTextDeckCommands.h"
#include "maint/UEditionCommands.h"
#include "maint/UMaintCommands.h"
#include "play/UPlayCommands.h"
#include "render/UProxyCommand.h"
#include "render/URenderCommand.h"
#include "render/UTileCommand.h"
#include "stats/UOddsCommand.h"
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

const char* usage =
    "Usage: zandor [--data DIR] COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  find NAME [--edition CODE]   print the fields of a card\n"
    "  render NAME --out FILE.png   draw the card face (--edition, --stretch)\n"
    "  tile NAME --out FILE.png     draw the table tile (--edition, --tapped,\n"
    "                               --face-down, --counters N, --keywords TEXT)\n"
    "  render NAME --proxy WIDTHxHEIGHT [--base] [--no-art] [--border] --out FILE.png\n"
    "                               draw the card's proxy at that size\n"
    "  proxies LIST --out FILE.pdf [--dpi N] [--paper A4|Letter|Legal] [--base]\n"
    "          [--no-art] [--border] [--gap] [--cut-marks]\n"
    "                               write the proxies of a deck or base-line list\n"
    "  deck hand FILE.dec [--seed N] [--draw K]\n"
    "                               deal a sample opening hand\n"
    "  deck stats FILE.dec          print the statistics of a deck\n"
    "  deck convert FILE.dec        print a deck, an old-format deck converted\n"
    "  deck export-apprentice FILE.dec OUT.dec\n"
    "                               write the deck for Apprentice\n"
    "  deck import FILE.txt [--out FILE.dec]\n"
    "                               read a plain-text deck list\n"
    "  deck export-text FILE.dec    print the deck as a plain-text list\n"
    "  deck odds FILE.dec --card NAME [--seen N]\n"
    "                               the odds of the card among N cards seen\n"
    "  filter                       print the base lines the saved filter passes\n"
    "  search TERM [--and TERM2 | --or TERM2] [--fields name,type,text,artist,pt]\n"
    "         [--whole-words]       print the base lines of the matching cards\n"
    "  edition list                 print the edition catalogue, \"KEY - Name\"\n"
    "  edition add --key KEY --name NAME [--spoiler FILE.txt] [--only-catalogue]\n"
    "         [--field-key FIELD=LABEL ...]\n"
    "                               add an edition and the cards of its spoiler\n"
    "  edition delete KEY           delete an edition with all its cards\n"
    "  card set NAME --edition CODE FIELD=VALUE ...\n"
    "                               change fields of a card (Program included)\n"
    "  about                        print the program's version and data dates\n"
    "  prices update FILE           price the card base from a price list\n"
    "  prices download [--url URL]  download the price list and price the base\n"
    "  rulings check FILE           compare a changes-only rulings summary\n"
    "  rulings update FILE          take a changes-only rulings summary over\n"
    "\n"
    "Options:\n"
    "  --data DIR   the data folder (default: \"data\" beside the program, or\n"
    "               ~/.local/share/zandor-library/data for an installed one)\n"
    "  --help       this text\n"
    "  --version    the program's version\n";

// Options that take a value; anything else starting with "--" is a flag.
bool takesValue(const std::string& option) {
    return option == "--data" || option == "--edition" || option == "--stretch" ||
           option == "--out" || option == "--seed" || option == "--draw" || option == "--and" ||
           option == "--or" || option == "--fields" || option == "--key" || option == "--name" ||
           option == "--spoiler" || option == "--field-key" || option == "--proxy" ||
           option == "--dpi" || option == "--paper" || option == "--card" || option == "--seen" ||
           option == "--url" || option == "--counters" || option == "--keywords";
}

// Options that stand alone.
bool isFlag(const std::string& option) {
    return option == "--help" || option == "--version" || option == "--whole-words" ||
           option == "--only-catalogue" || option == "--base" || option == "--no-art" ||
           option == "--border" || option == "--gap" || option == "--cut-marks" ||
           option == "--tapped" || option == "--face-down";
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
                // Repeated field keys are all kept, one a line.
                if (a == "--field-key" && parsed.Options.count(a))
                    parsed.Options[a] += "\n" + args[++i];
                else
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
    if (a.Options.count("--proxy"))
        return RunProxyRenderCommand(db, a.Words[1], option(a, "--edition"), option(a, "--proxy"),
                                     a.Options.count("--base") > 0, a.Options.count("--no-art") > 0,
                                     a.Options.count("--border") > 0, option(a, "--out"), out, err);
    return RunRenderCommand(db, a.Words[1], option(a, "--edition"), option(a, "--stretch"),
                            option(a, "--out"), out, err);
}

int tileCommand(const TArguments& a, std::ostream& out, std::ostream& err) {
    if (a.Words.size() != 2) {
        err << "zandor: tile needs one card name (quote names with blanks)\n";
        return 2;
    }
    TTileCommand command;
    command.Name = a.Words[1];
    command.Edition = option(a, "--edition");
    command.Tapped = a.Options.count("--tapped") > 0;
    command.FaceDown = a.Options.count("--face-down") > 0;
    command.Counters = option(a, "--counters");
    command.Keywords = option(a, "--keywords");
    command.OutFile = option(a, "--out");
    TCardDatabase db;
    if (!loadBase(db, a, err))
        return 1;
    return RunTileCommand(db, command, out, err);
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

int deckImportCommand(const TArguments& a, std::ostream& out, std::ostream& err) {
    if (a.Words.size() != 3) {
        err << "zandor: deck import needs one text file\n";
        return 2;
    }
    TCardDatabase db;
    if (!loadBase(db, a, err))
        return 1;
    return RunDeckImportCommand(db, a.Words[2], option(a, "--out"), out, err);
}

int deckExportTextCommand(const TArguments& a, std::ostream& out, std::ostream& err) {
    if (a.Words.size() != 3) {
        err << "zandor: deck export-text needs one deck file\n";
        return 2;
    }
    TCardDatabase db;
    if (!loadBase(db, a, err))
        return 1;
    return RunDeckExportTextCommand(db, a.Words[2], out, err);
}

int deckOddsCommand(const TArguments& a, std::ostream& out, std::ostream& err) {
    if (a.Words.size() != 3 || !a.Options.count("--card")) {
        err << "zandor: deck odds needs one deck file and --card NAME\n";
        return 2;
    }
    std::optional<std::string> seen;
    if (a.Options.count("--seen"))
        seen = option(a, "--seen");
    TCardDatabase db;
    if (!loadBase(db, a, err))
        return 1;
    return RunDeckOddsCommand(db, a.Words[2], option(a, "--card"), seen, out, err);
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

int proxiesCommand(const TArguments& a, std::ostream&, std::ostream& err) {
    if (a.Words.size() != 2) {
        err << "zandor: proxies needs one list file (a .dec deck or a file of base lines)\n";
        return 2;
    }
    TProxiesCommand command;
    command.ListFile = a.Words[1];
    command.OutFile = option(a, "--out");
    command.Dpi = option(a, "--dpi");
    command.Paper = option(a, "--paper");
    command.Base = a.Options.count("--base") > 0;
    command.NoArt = a.Options.count("--no-art") > 0;
    command.Border = a.Options.count("--border") > 0;
    command.Gap = a.Options.count("--gap") > 0;
    command.CutMarks = a.Options.count("--cut-marks") > 0;
    TCardDatabase db;
    if (!loadBase(db, a, err))
        return 1;
    return RunProxiesCommand(db, command, err);
}

// "deck" takes its job from its second word.
int deckCommand(const TArguments& a, std::ostream& out, std::ostream& err) {
    using TDeckCommand = int (*)(const TArguments&, std::ostream&, std::ostream&);
    const std::map<std::string, TDeckCommand> deckCommands{
        {"hand", deckHandCommand},
        {"stats", deckStatsCommand},
        {"convert", deckConvertCommand},
        {"export-apprentice", deckExportCommand},
        {"import", deckImportCommand},          // plain-text deck lists
        {"export-text", deckExportTextCommand}, // plain-text deck lists
        {"odds", deckOddsCommand},              // draw odds
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

int editionCommand(const TArguments& a, std::ostream& out, std::ostream& err) {
    const std::string job = a.Words.size() < 2 ? std::string() : a.Words[1];
    if (!((job == "list" && a.Words.size() == 2) || (job == "add" && a.Words.size() == 2) ||
          (job == "delete" && a.Words.size() == 3))) {
        err << "zandor: edition needs one of: list, add --key KEY --name NAME, delete KEY\n";
        return 2;
    }
    TCardDatabase db;
    if (!loadBase(db, a, err))
        return 1;
    if (job == "list")
        return RunEditionListCommand(db, out);
    if (job == "delete")
        return RunEditionDeleteCommand(db, a.Words[2], out, err);
    TEditionAddCommand command;
    command.Key = option(a, "--key");
    command.Name = option(a, "--name");
    command.SpoilerPath = option(a, "--spoiler");
    command.OnlyCatalogue = a.Options.count("--only-catalogue") > 0;
    if (a.Options.count("--field-key"))
        SplitLines(option(a, "--field-key"), command.FieldKeys);
    return RunEditionAddCommand(db, command, out, err);
}

int cardCommand(const TArguments& a, std::ostream& out, std::ostream& err) {
    if (a.Words.size() < 3 || a.Words[1] != "set" || !a.Options.count("--edition")) {
        err << "zandor: card set needs NAME --edition CODE FIELD=VALUE ...\n";
        return 2;
    }
    TCardDatabase db;
    if (!loadBase(db, a, err))
        return 1;
    return RunCardSetCommand(db, a.Words[2], option(a, "--edition"),
                             {a.Words.begin() + 3, a.Words.end()}, out, err);
}

int aboutCommand(const TArguments& a, std::ostream& out, std::ostream& err) {
    if (a.Words.size() != 1) {
        err << "zandor: about takes no arguments\n";
        return 2;
    }
    TCardDatabase db;
    if (!loadBase(db, a, err))
        return 1;
    return RunAboutCommand(db, out);
}

// "prices" and "rulings" take their job from their second word and work on the data folder.
int maintenanceCommand(const TArguments& a, std::ostream& out, std::ostream& err) {
    using TJob = int (*)(TCardDatabase&, const std::string&, std::ostream&, std::ostream&);
    const bool prices = a.Words[0] == "prices";
    const std::map<std::string, TJob> jobs =
        prices ? std::map<std::string, TJob>{{"update", RunPricesUpdateCommand},
                                             {"download", RunPricesDownloadCommand}}
               : std::map<std::string, TJob>{{"check", RunRulingsCheckCommand},
                                             {"update", RunRulingsUpdateCommand}};
    const auto job = a.Words.size() < 2 ? jobs.end() : jobs.find(a.Words[1]);
    const bool download = job != jobs.end() && job->first == "download";
    if (job == jobs.end() || a.Words.size() != (download ? 2u : 3u)) {
        err << "zandor: " << a.Words[0]
            << (prices ? " needs \"update FILE\" or \"download [--url URL]\"\n"
                       : " needs \"check FILE\" or \"update FILE\"\n");
        return 1;
    }
    TCardDatabase db;
    if (!loadBase(db, a, err))
        return 1;
    return job->second(db, download ? option(a, "--url") : a.Words[2], out, err);
}

} // namespace

std::string DefaultDataDir() {
    return ChosenDataDir(ProgramFolder(), CurrentUserEnvironment());
}

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    TArguments a;
    if (!parse(args, a, err))
        return 2;
    if (a.Options.count("--help")) {
        out << usage << "\nData folder in use: " << a.DataDir << "\n";
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
    // An installed program fills the user's data folder from its sample data on first start.
    if (!a.Options.count("--data")) {
        std::string problem;
        PrepareDataDir(ProgramFolder(), CurrentUserEnvironment(), &problem);
        if (!problem.empty())
            err << "zandor: " << problem << "\n";
    }
    if (a.Words[0] == "prices" || a.Words[0] == "rulings")
        return maintenanceCommand(a, out, err);
    using TCommand = std::function<int(const TArguments&, std::ostream&, std::ostream&)>;
    const std::map<std::string, TCommand> commands{
        {"find", findCommand},     {"render", renderCommand}, {"deck", deckCommand},
        {"filter", filterCommand}, {"search", searchCommand}, {"edition", editionCommand},
        {"card", cardCommand},     {"about", aboutCommand},   {"proxies", proxiesCommand},
        {"tile", tileCommand},
    };
    const auto command = commands.find(a.Words[0]);
    if (command == commands.end()) {
        err << "zandor: unknown command \"" << a.Words[0] << "\"\n" << usage;
        return 2;
    }
    return command->second(a, out, err);
}

} // namespace zandor
