#include "app/UCommandLine.h"

#include "core/UCardCommands.h"
#include "core/UCardDatabase.h"
#include "core/UTextFile.h"
#include "render/URenderCommand.h"

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
    "  render NAME [--edition CODE] [--stretch standart|box|lanczos3] --out FILE.png\n"
    "                               draw the card face as a PNG\n"
    "\n"
    "Options:\n"
    "  --data DIR   the data folder (default: \"data\" beside the program)\n"
    "  --help       this text\n"
    "  --version    the program's version\n";

// Options that take a value; anything else starting with "--" is a flag.
bool takesValue(const std::string& option) {
    return option == "--data" || option == "--edition" || option == "--stretch" ||
           option == "--out" || option == "--seed" || option == "--draw";
}

bool parse(const std::vector<std::string>& args, TArguments& parsed, std::ostream& err) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) == 0 && a.size() > 2) {
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
    LoadCardDatabase(db, ProgramFolder(), a.DataDir);
    return RunFindCommand(db, a.Words[1], option(a, "--edition"), out);
}

int renderCommand(const TArguments& a, std::ostream& out, std::ostream& err) {
    if (a.Words.size() != 2) {
        err << "zandor: render needs one card name (quote names with blanks)\n";
        return 2;
    }
    TCardDatabase db;
    LoadCardDatabase(db, ProgramFolder(), a.DataDir);
    return RunRenderCommand(db, a.Words[1], option(a, "--edition"), option(a, "--stretch"),
                            option(a, "--out"), out, err);
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
        {"find", findCommand},
        {"render", renderCommand},
    };
    const auto command = commands.find(a.Words[0]);
    if (command == commands.end()) {
        err << "zandor: unknown command \"" << a.Words[0] << "\"\n" << usage;
        return 2;
    }
    return command->second(a, out, err);
}

} // namespace zandor
