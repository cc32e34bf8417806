// Picture files found as a user's collection names them: art, frame and edition-symbol
// files are looked up without regard to letter case ("4e/Name.JPG" for "4E/Name.jpg"),
// as on the file systems the picture folders come from. Each folder is listed once and
// its listing kept until the folder changes.
#pragma once

#include <string>

namespace zandor {

// The path of the file as it is named on disk: the path itself when it exists as written,
// else the one file whose folder and file names equal it without regard to letter case
// (the first in byte order when several do); empty when there is none. Only the parts of
// the path below the deepest folder that exists as written are matched that way.
std::string FindPictureFile(const std::string& path);

// How many folder listings have been read so far, for tests of the cache.
long long PictureFolderListings();

} // namespace zandor
