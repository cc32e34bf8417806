#include "render/UPictureFiles.h"

#include "core/UTextFile.h"

#include <QString>

#include <dirent.h>
#include <map>
#include <sys/stat.h>
#include <unordered_map>
#include <vector>

namespace zandor {

namespace {

std::string folded(const std::string& name) {
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()))
        .toCaseFolded()
        .toStdString();
}

// One folder's names by their folded form; a folder is read again only when its
// modification time changed (a file was added, removed or renamed in it).
struct TListing {
    bool Read = false;
    struct timespec Modified {};
    std::map<std::string, std::string> ByFolded; // folded name -> first name in byte order
};

std::unordered_map<std::string, TListing>& listings() {
    thread_local std::unordered_map<std::string, TListing> cache;
    return cache;
}

thread_local long long listingsRead = 0;

const TListing* listing(const std::string& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return nullptr;
    TListing& entry = listings()[folder];
    if (entry.Read && entry.Modified.tv_sec == info.st_mtim.tv_sec &&
        entry.Modified.tv_nsec == info.st_mtim.tv_nsec)
        return &entry;
    entry.ByFolded.clear();
    entry.Read = true;
    entry.Modified = info.st_mtim;
    ++listingsRead;
    if (DIR* dir = ::opendir(folder.c_str())) {
        std::vector<std::string> names;
        while (const dirent* item = ::readdir(dir)) {
            const std::string name = item->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        ::closedir(dir);
        for (const std::string& name : names) {
            auto [slot, inserted] = entry.ByFolded.try_emplace(folded(name), name);
            if (!inserted && name < slot->second)
                slot->second = name;
        }
    }
    return &entry;
}

} // namespace

std::string FindPictureFile(const std::string& path) {
    if (path.empty())
        return {};
    if (FileExists(path))
        return path;
    // The deepest folder that exists as written; below it each part is matched without
    // regard to case against the folder's listing.
    std::vector<std::string> parts;
    std::string folder = path;
    while (true) {
        const std::size_t slash = folder.find_last_of('/');
        if (slash == std::string::npos) {
            parts.push_back(folder);
            folder = std::string(1, '.');
            break;
        }
        parts.push_back(folder.substr(slash + 1));
        folder = slash == 0 ? std::string("/") : folder.substr(0, slash);
        if (DirectoryExists(folder))
            break;
    }
    std::string found = folder;
    for (std::size_t i = parts.size(); i-- > 0;) {
        const std::string& part = parts[i];
        if (part.empty())
            continue;
        const TListing* names = listing(found);
        if (!names)
            return {};
        const auto match = names->ByFolded.find(folded(part));
        if (match == names->ByFolded.end())
            return {};
        found = (found == "/" ? std::string() : found) + "/" + match->second;
    }
    if (!FileExists(found))
        return {};
    return path.find('/') == std::string::npos && found.rfind("./", 0) == 0 ? found.substr(2)
                                                                            : found;
}

long long PictureFolderListings() {
    return listingsRead;
}

} // namespace zandor
