#include "core/UInstallPaths.h"

#include "core/UCardDatabase.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace zandor {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view picDirMark = "@PICDIR@";

std::string joined(const std::string& folder, std::string_view name) {
    return IncludeTrailingSeparator(folder) + std::string(name);
}

bool writableFolder(const std::string& path) {
    return DirectoryExists(path) && ::access(path.c_str(), W_OK | X_OK) == 0;
}

std::string replaceAll(std::string text, std::string_view from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

} // namespace

std::string InstalledShareDir(const std::string& programDir) {
    std::error_code error;
    const fs::path share = fs::weakly_canonical(
        fs::path(programDir) / ".." / "share" / std::string(ProgramShareName), error);
    if (error || !DirectoryExists(share.string()))
        return {};
    return share.string();
}

std::string HelpFilePath(const std::string& programDir) {
    const std::string beside = joined(programDir, "help/mRuleE.hlp");
    if (FileExists(beside))
        return beside;
    const std::string share = InstalledShareDir(programDir);
    if (!share.empty() && FileExists(joined(share, "help/mRuleE.hlp")))
        return joined(share, "help/mRuleE.hlp");
    return beside;
}

TUserEnvironment CurrentUserEnvironment() {
    TUserEnvironment environment;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"))
        environment.XdgDataHome = xdg;
    if (const char* home = std::getenv("HOME"))
        environment.Home = home;
    return environment;
}

std::string UserDataDir(const TUserEnvironment& environment) {
    // A relative XDG_DATA_HOME is invalid and is ignored.
    const std::string base =
        !environment.XdgDataHome.empty() && environment.XdgDataHome.front() == '/'
            ? environment.XdgDataHome
            : joined(environment.Home, ".local/share");
    return joined(joined(base, ProgramShareName), "data");
}

std::string ChosenDataDir(const std::string& programDir, const TUserEnvironment& environment) {
    const std::string beside = joined(programDir, "data");
    if (writableFolder(beside))
        return beside;
    if (!InstalledShareDir(programDir).empty())
        return UserDataDir(environment);
    return beside;
}

TWriteResult FillUserDataDir(const std::string& sampleDir, const std::string& dataDir) {
    std::error_code error;
    if (fs::exists(dataDir, error) || !DirectoryExists(sampleDir))
        return {};
    const fs::path target(dataDir);
    const fs::path parent = target.parent_path();
    fs::create_directories(parent, error);
    if (error)
        return {false, "Cannot make the data folder " + parent.string() + ": " + error.message()};
    const fs::path temporary =
        parent / (target.filename().string() + ".new-" + std::to_string(::getpid()));
    fs::remove_all(temporary, error);
    fs::copy(sampleDir, temporary, fs::copy_options::recursive, error);
    if (!error) {
        // The sample's settings point the picture folder at a mark, made the real folder here.
        const std::string settings = (temporary / std::string(SettingsFile)).string();
        std::string text;
        if (ReadWholeFile(settings, text) && text.find(picDirMark) != std::string::npos) {
            const TWriteResult written = CurrentFileWriter().WriteFile(
                settings, replaceAll(text, picDirMark, joined(dataDir, "pics")));
            if (!written.Ok) {
                fs::remove_all(temporary, error);
                return written;
            }
        }
        fs::rename(temporary, target, error);
    }
    if (error) {
        const std::string message = error.message();
        fs::remove_all(temporary, error);
        if (fs::exists(target, error))
            return {}; // another start filled it meanwhile
        return {false,
                "Cannot fill the data folder " + dataDir + " from " + sampleDir + ": " + message};
    }
    return {};
}

std::string PrepareDataDir(const std::string& programDir, const TUserEnvironment& environment,
                           std::string* problem) {
    const std::string dataDir = ChosenDataDir(programDir, environment);
    const std::string share = InstalledShareDir(programDir);
    if (!share.empty() && dataDir == UserDataDir(environment)) {
        const TWriteResult filled = FillUserDataDir(joined(share, "data"), dataDir);
        if (!filled.Ok && problem)
            *problem = filled.Error;
    }
    return dataDir;
}

} // namespace zandor
