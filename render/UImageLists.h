// The two picture lists that spare the renderers repeated JPEG decoding: the eight card
// frames at full card size (FrameImages), and the artwork of the current game shrunk to
// the table tile's picture window (SmallArtCache). Each list owns its pictures.
#pragma once

#include <QImage>
#include <QString>

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace zandor {

inline constexpr int CardWidth = 210;
inline constexpr int CardHeight = 300;
inline constexpr int SmallArtWidth = 87;
inline constexpr int SmallArtHeight = 80;

class TListImageZandorCard {
public:
    // The frame files in index order; the card face picks the index by colour code.
    static constexpr std::array<std::string_view, 8> FrameFiles{
        "w.jpg", "u.jpg", "b.jpg", "r.jpg", "g.jpg", "lnd.jpg", "gld.jpg", "art.jpg"};

    // Loads the eight frames from folder (which ends with a separator). A frame that is
    // missing or cannot be decoded leaves the list unusable; Error() names the file.
    explicit TListImageZandorCard(const std::string& folder);

    bool Usable() const { return m_error.empty(); }
    const std::string& Error() const { return m_error; }
    const std::string& Folder() const { return m_folder; }
    int Count() const { return static_cast<int>(m_list.size()); }
    // picture becomes 210 x 300 and receives entry index; false (picture untouched) for
    // an index outside the list or an unusable list.
    bool Copy(int index, QImage& picture) const;

private:
    std::string m_folder;
    std::vector<QImage> m_list;
    std::string m_error;
};

class TSListImageCard {
public:
    // The cache path of a card's art: picDir/edition/name.jpg, the name unchanged.
    static std::string ArtPath(const std::string& picDir, std::string_view edition,
                               std::string_view name);

    // The index of the art's entry, decoding and shrinking it to 87 x 80 on first use;
    // -1 for a split or bracketed name, a missing file, or a file that cannot be decoded
    // (then error, when given, says which file and why).
    int AddArt(const std::string& picDir, std::string_view edition, std::string_view name,
               std::string* error = nullptr);
    // The same for a ready path; the "/" and "(" of names are looked for in its last part.
    int AddArt(const std::string& path, std::string* error = nullptr);

    int Count() const { return static_cast<int>(m_list.size()); }
    const std::vector<std::string>& Paths() const { return m_paths; }
    // picture becomes 87 x 80 and receives entry index; false for an index outside.
    bool Copy(int index, QImage& picture) const;
    void Clear();

private:
    int addChecked(const std::string& path, std::string* error);

    std::vector<QImage> m_list;
    std::vector<std::string> m_paths;
    std::vector<QString> m_foldedPaths;
};

} // namespace zandor
