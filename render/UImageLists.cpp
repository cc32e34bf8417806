#include "render/UImageLists.h"

#include "core/UCodePage.h"
#include "core/UTextFile.h"
#include "render/UJpeg.h"
#include "render/UPictureFiles.h"
#include "render/UResample.h"

#include <cstring>

namespace zandor {

namespace {

// Copies into the picture's own memory when it already has the size, so that a card view
// redrawn on every selection does not allocate.
void copyPicture(const QImage& entry, QImage& picture) {
    if (picture.size() != entry.size() || picture.format() != entry.format()) {
        picture = entry.copy();
        return;
    }
    const qsizetype bytes = static_cast<qsizetype>(entry.width()) * 3;
    for (int y = 0; y < entry.height(); ++y)
        std::memcpy(picture.scanLine(y), entry.constScanLine(y), static_cast<std::size_t>(bytes));
}

} // namespace

TListImageZandorCard::TListImageZandorCard(const std::string& folder) : m_folder(folder) {
    QImage decoded;
    QImage work(CardWidth, CardHeight, QImage::Format_RGB888);
    for (std::string_view file : FrameFiles) {
        std::string path = folder + std::string(file);
        if (std::string found = FindPictureFile(path); !found.empty())
            path = std::move(found);
        const TJpegResult result = LoadJpegFile(path, decoded);
        if (!result.Ok) {
            m_error = "Cannot load the card frame \"" + path + "\": " + result.Error;
            m_list.clear();
            return;
        }
        StretchImage(work, work.rect(), decoded);
        m_list.push_back(work.copy());
    }
}

bool TListImageZandorCard::Copy(int index, QImage& picture) const {
    if (!Usable() || index < 0 || index >= Count())
        return false;
    copyPicture(m_list[static_cast<std::size_t>(index)], picture);
    return true;
}

std::string TSListImageCard::ArtPath(const std::string& picDir, std::string_view edition,
                                     std::string_view name) {
    std::string path = picDir;
    if (path.empty() || path.back() != '/')
        path += '/';
    return path + Cp1252ToUtf8(edition) + "/" + Cp1252ToUtf8(name) + ".jpg";
}

int TSListImageCard::AddArt(const std::string& picDir, std::string_view edition,
                            std::string_view name, std::string* error) {
    // Split cards and names with a bracketed suffix are never cached.
    if (name.find_first_of("/(") != std::string_view::npos)
        return -1;
    return addChecked(ArtPath(picDir, edition, name), error);
}

int TSListImageCard::AddArt(const std::string& path, std::string* error) {
    const std::size_t slash = path.find_last_of('/');
    const std::string_view last = slash == std::string::npos
                                      ? std::string_view(path)
                                      : std::string_view(path).substr(slash + 1);
    if (last.find('(') != std::string_view::npos)
        return -1;
    return addChecked(path, error);
}

int TSListImageCard::addChecked(const std::string& path, std::string* error) {
    const QString folded = QString::fromStdString(path).toCaseFolded();
    for (std::size_t i = 0; i < m_foldedPaths.size(); ++i)
        if (m_foldedPaths[i] == folded)
            return static_cast<int>(i);
    const std::string found = FindPictureFile(path);
    if (found.empty())
        return -1;
    thread_local QImage decoded;
    const TJpegResult result = LoadJpegFile(found, decoded);
    if (!result.Ok) {
        if (error)
            *error = "Cannot decode \"" + path + "\": " + result.Error;
        return -1;
    }
    QImage small;
    ResampleImage(SmallArtWidth, SmallArtHeight, Lanczos3Filter, small, decoded, 3.0f);
    m_list.push_back(small);
    m_paths.push_back(path);
    m_foldedPaths.push_back(folded);
    return Count() - 1;
}

bool TSListImageCard::Copy(int index, QImage& picture) const {
    if (index < 0 || index >= Count())
        return false;
    copyPicture(m_list[static_cast<std::size_t>(index)], picture);
    return true;
}

void TSListImageCard::Clear() {
    m_list.clear();
    m_paths.clear();
    m_foldedPaths.clear();
}

} // namespace zandor
