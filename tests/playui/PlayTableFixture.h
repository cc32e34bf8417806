// The play table made for a test: the sample data with its pictures (made once for a whole
// suite), a card base over it, the load deck dialog and the table shown offscreen, and a new
// game dealt through the dialog's real OK button. Every message box is answered and kept.
#pragma once

#include "core/UCardDatabase.h"
#include "core/URandom.h"
#include "play/UNewTest.h"
#include "play/UTest.h"
#include "play/UfmTest.h"
#include "tests/testkit/TestKit.h"
#include "tools/UCardPictures.h"
#include "widgets/UMessages.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zandor::test {

// Deck lines of the given counts and base lines.
inline std::vector<std::string> deckOf(const std::vector<std::pair<int, std::string>>& cards) {
    std::vector<std::string> lines;
    for (const auto& [count, name] : cards)
        lines.push_back("    " + std::to_string(count) + " " + name);
    return lines;
}

struct TPlayTableFixture : ::testing::Test {
    static inline TTempDir* shared = nullptr;
    static void SetUpTestSuite() {
        shared = new TTempDir;
        const std::string folder = shared->Path() + "/data/";
        std::filesystem::create_directories(folder);
        CopySampleData(folder);
        MakeSamplePictures(folder, folder + "pics");
    }
    static void TearDownTestSuite() {
        delete shared;
        shared = nullptr;
    }
    TTempDir dir;
    std::string data = shared->Path() + "/data/";
    TCardDatabase db;
    std::unique_ptr<TfmLoadDeck> loadDeck;
    std::unique_ptr<TfmPlay> play;
    std::vector<TMessage> messages;

    void SetUp() override {
        LoadCardDatabase(db, dir.Path(), data);
        // The shuffles and deals of every test are the same on every run.
        RandomSeed(20261211);
        db.PicDir = data + "pics";
        db.TableDragFrame = false;
        SetMessageAnswerer([this](const TMessage& m) {
            messages.push_back(m);
            return true;
        });
        PlayTestDecks() = {};
        loadDeck = std::make_unique<TfmLoadDeck>(db);
        play = std::make_unique<TfmPlay>(db, loadDeck.get());
        play->setWindowState(Qt::WindowNoState);
        play->resize(1100, 800);
        play->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        play.reset();
        loadDeck.reset();
        SetMessageAnswerer({});
        PlayTestDecks() = {};
    }
    TPlayerTest& game() { return *play->Game(); }

    void newGame(const std::vector<std::string>& deck1, const std::vector<std::string>& deck2) {
        PlayTestDecks().Player1Deck = deck1;
        PlayTestDecks().Player2Deck = deck2;
        QTimer::singleShot(0, [this] { QTest::mouseClick(loadDeck->bbOk, Qt::LeftButton); });
        QTest::mouseClick(play->sbNewGame, Qt::LeftButton);
    }
};

} // namespace zandor::test
