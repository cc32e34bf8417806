// What the maintenance tests share: a small card base written to a temporary data folder,
// price-list lines in the list's fixed columns, and a writer that fails for one file only.
#pragma once

#include "core/UCard.h"
#include "core/UCardDatabase.h"
#include "core/UTextFile.h"
#include "tests/testkit/TestKit.h"

#include <string>
#include <vector>

namespace zandor::test {

// One entry line: the name padded to 30 columns, the separator "|", then the price
// columns as the price-list servers write them.
inline std::string PriceEntryLine(const std::string& name, const std::string& price) {
    std::string line = name;
    if (line.size() < 30)
        line.append(30 - line.size(), ' ');
    return line + "| " + std::string(price.size() < 6 ? 6 - price.size() : 0, ' ') + price +
           " ,   0.10 ,   9.90";
}

inline const std::vector<std::string> PriceHeader{
    "card name                     |  price ,    low ,   high",
    "------------------------------+--------+--------+-------"};

inline std::string CardLine(const std::string& name, const std::string& edition,
                            const std::string& value = "0,05") {
    TZandorCard card;
    card.Name = name;
    card.Edition = edition;
    card.Color = "R";
    card.Rarity = "C";
    card.CardType = "Instant";
    card.Text = "Deal 1 damage.";
    card.Value = value;
    return FormatCardLine(card);
}

// Writes the lines as "cardlist.dat" (sorted) with a settings file into folder and loads
// the database from it.
inline void LoadBase(TCardDatabase& db, const std::string& folder,
                     std::vector<std::string> cardLines) {
    SortCardLines(cardLines);
    WriteTextLines(folder + "/cardlist.dat", cardLines);
    WriteTextLines(folder + "/rulecards.dat", {});
    WriteTextLines(folder + "/programm.dat", {});
    LoadCardDatabase(db, folder, folder);
}

// Fails the writes of every path that ends with the given name and lets the others
// through to the writer that was in place.
class TFailOneFile final : public TFileWriter {
public:
    explicit TFailOneFile(std::string fileName)
        : m_fileName(std::move(fileName)), m_next(&CurrentFileWriter()),
          m_restore(SetFileWriter(this)) {}
    ~TFailOneFile() override { SetFileWriter(m_restore); }
    TWriteResult WriteFile(const std::string& path, std::string_view data) override {
        if (path.size() >= m_fileName.size() &&
            path.compare(path.size() - m_fileName.size(), m_fileName.size(), m_fileName) == 0) {
            ++Attempts;
            return {false, "no space left on the device (test)"};
        }
        return m_next->WriteFile(path, data);
    }
    int Attempts = 0;

private:
    std::string m_fileName;
    TFileWriter* m_next;
    TFileWriter* m_restore;
};

} // namespace zandor::test
