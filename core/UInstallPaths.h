// Where the program finds its files when it is installed rather than run from its build
// folder: the shared files (help, fonts, sample data) below PREFIX/share/zandor-library,
// found relative to the executable, and the user's own data folder in the XDG place,
// filled once from the installed sample data.
#pragma once

#include "core/UTextFile.h"

#include <string>

namespace zandor {

inline constexpr std::string_view ProgramShareName = "zandor-library";

// The installed shared folder beside the program's folder (programDir/../share/zandor-library),
// or "" when there is none.
std::string InstalledShareDir(const std::string& programDir);

// The help file: beside the program when it is there (a build folder), else the installed
// one, else the name beside the program (so that the message names the usual place).
std::string HelpFilePath(const std::string& programDir);

// What the XDG data folder depends on.
struct TUserEnvironment {
    std::string XdgDataHome;
    std::string Home;
};
TUserEnvironment CurrentUserEnvironment();

// $XDG_DATA_HOME/zandor-library/data, or ~/.local/share/zandor-library/data when
// XDG_DATA_HOME is unset, empty or not an absolute path.
std::string UserDataDir(const TUserEnvironment& environment);

// The data folder when none is given: "data" beside the program when that folder exists and
// can be written; otherwise, for an installed program, the user's data folder; otherwise
// "data" beside the program all the same.
std::string ChosenDataDir(const std::string& programDir, const TUserEnvironment& environment);

// Copies the installed sample data into dataDir when dataDir does not exist yet, pointing
// its picture folder at dataDir's "pics"; an existing folder is never touched. The copy is
// made in a temporary folder beside dataDir and renamed into place, so an interrupted first
// start leaves no half-filled folder. Ok when there was nothing to do.
TWriteResult FillUserDataDir(const std::string& sampleDir, const std::string& dataDir);

// The data folder for a start without --data: ChosenDataDir, filled from the installed
// sample data when it is the user's folder and does not exist yet. A failed fill is
// reported in problem; the folder is returned all the same.
std::string PrepareDataDir(const std::string& programDir, const TUserEnvironment& environment,
                           std::string* problem = nullptr);

} // namespace zandor
