// The play table itself, offscreen at 1920 x 1080 with sixty cards with real art on the
// table and tiles drawn from the small art cache: one mouse move of a dragged card until
// the table has painted, a card picked up and dropped, a full redraw, "New Game" with two
// 60-card decks including the art cache, and one tile from the cache.
#include "bench/BenchMain.h"
#include "core/UCardDatabase.h"
#include "deck/UDeckEDLogic.h"
#include "play/UGameArt.h"
#include "play/UNewTest.h"
#include "play/USBorad.h"
#include "play/UTest.h"
#include "play/UfmTest.h"
#include "render/UFonts.h"
#include "render/UTableTile.h"
#include "tools/UCardPictures.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>

using namespace zandor;

namespace {

std::vector<std::string> deck(const std::vector<std::string>& cards) {
    std::vector<std::string> lines;
    for (const std::string& card : cards)
        lines.push_back("    " + std::to_string(60 / cards.size()) + " " + card);
    return lines;
}

struct TBench {
    TCardDatabase Db;
    std::unique_ptr<TfmLoadDeck> LoadDeck;
    std::unique_ptr<TfmPlay> Play;

    TBench() {
        const std::filesystem::path folder =
            std::filesystem::temp_directory_path() / "zandor-play-table-bench";
        std::filesystem::create_directories(folder);
        const std::string data = folder.string() + "/";
        for (const auto& entry :
             std::filesystem::directory_iterator(std::filesystem::path(ZANDOR_SOURCE_DIR) / "data"))
            if (entry.is_regular_file())
                std::filesystem::copy_file(entry.path(), folder / entry.path().filename(),
                                           std::filesystem::copy_options::overwrite_existing);
        MakeSamplePictures(data, data + "pics");
        LoadCardDatabase(Db, data, data);
        Db.PicDir = data + "pics";
        Db.TableDragFrame = false;
        Db.ProgramOptions.UseCopy = false;
        LoadDeck = std::make_unique<TfmLoadDeck>(Db);
        Play = std::make_unique<TfmPlay>(Db, LoadDeck.get());
        Play->setWindowState(Qt::WindowNoState);
        Play->resize(1920, 1080);
        Play->show();
        QApplication::processEvents();
        PlayTestDecks().Player1Deck =
            deck({"[EM] - Crag Runner", "[EM] - Bellows Goblin", "[SV] - Barkhide Boar",
                  "[EM] - Ashroot Hulk", "[EM] - Briarkin Scout", "[EM] - Ashfall Priest"});
        PlayTestDecks().Player2Deck =
            deck({"[EM] - Ashwind Harrier", "[SV] - Brine Oracle", "[SV] - Causeway Lancer",
                  "[EM] - Briarkin Warband", "[SV] - Briarkin Brood", "[EM] - Kessik Crag"});
        NewGame();
        // Sixty cards on the table, overlapping, thirty of each player.
        TPlayerTest& game = *Play->Game();
        for (int i = 0; i < 60; ++i) {
            const char* name = i % 2 ? TfmPlay::Player2 : TfmPlay::Player1;
            game.LibraryToTable(name, 0, false, 20 + (i % 12) * 130, 20 + (i / 12) * 190);
        }
        Play->FullRedraw();
        std::printf("table %dx%d, %d cards, %d cached pictures\n", Play->pbPlay->width(),
                    Play->pbPlay->height(), game.TableLast() + 1,
                    Play->ArtCache().Pictures.Count());
    }
    void NewGame() {
        QTimer::singleShot(0, [this] { LoadDeck->accept(); });
        Play->sbNewGameClick();
    }
    // The centre of table card i.
    QPoint centre(int i) const {
        const auto play = Play->Game()->TableCard(i);
        return {play->X + 50, play->Y + 50};
    }
};

TBench& theBench() {
    static TBench b;
    return b;
}

void BM_DragMove(benchmark::State& state) {
    TBench& b = theBench();
    QWidget* table = b.Play->pbPlay;
    const QPoint from = b.centre(30);
    QTest::mousePress(table, Qt::LeftButton, {}, from);
    QTest::mouseMove(table, from + QPoint(12, 12));
    int step = 0;
    for (auto _ : state) {
        const QPoint at(300 + (step % 400) * 3, 200 + (step % 250) * 2);
        QTest::mouseMove(table, at);
        table->repaint();
        ++step;
    }
    QTest::mouseRelease(table, Qt::LeftButton, {}, b.centre(b.Play->Game()->TableLast()));
    state.counters["drag_active_after"] = b.Play->DragActive() ? 1 : 0;
}
BENCHMARK(BM_DragMove)->Unit(benchmark::kMillisecond);

// A card picked up, moved once and dropped onto the table: erasing it from Board with the
// cards below redrawn, the floating tile, and the drop with its tile drawn and shown.
void BM_PickUpAndDrop(benchmark::State& state) {
    TBench& b = theBench();
    QWidget* table = b.Play->pbPlay;
    int step = 0;
    for (auto _ : state) {
        const int i = b.Play->Game()->TableLast() - (step % 40);
        const QPoint from = b.centre(i);
        const QPoint to = from + QPoint(step % 2 ? 40 : -40, 25);
        QTest::mousePress(table, Qt::LeftButton, {}, from);
        QTest::mouseMove(table, from + QPoint(10, 10));
        QTest::mouseRelease(table, Qt::LeftButton, {}, to);
        table->repaint();
        ++step;
    }
}
BENCHMARK(BM_PickUpAndDrop)->Unit(benchmark::kMillisecond);

void BM_FullRedraw(benchmark::State& state) {
    TBench& b = theBench();
    for (auto _ : state) {
        b.Play->FullRedraw();
        b.Play->pbPlay->repaint();
    }
}
BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMillisecond);

void BM_DrawTableTileFromCache(benchmark::State& state) {
    TBench& b = theBench();
    auto play = *b.Play->Game()->TableCard(0);
    play.Keywords = "_FL__TR_";
    play.Counters = "3";
    const TTileSources sources{b.Db.PicDir, b.Db.DataDir, &b.Play->ArtCache().Pictures};
    QImage tile(100, 100, QImage::Format_RGB32);
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawTableTile(play, tile, QRect(0, 0, 100, 100), sources));
    state.counters["from_cache"] = play.ImageIndex >= 0 ? 1 : 0;
}
BENCHMARK(BM_DrawTableTileFromCache)->Unit(benchmark::kMicrosecond);

void BM_NewGame(benchmark::State& state) {
    TBench& b = theBench();
    for (auto _ : state)
        b.NewGame();
    state.counters["cached_pictures"] = b.Play->ArtCache().Pictures.Count();
}
BENCHMARK(BM_NewGame)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    RegisterCardFonts();
    theBench();
    const int code = bench::RunWithRatios(argc, argv, {});
    theBench().Play.reset();
    theBench().LoadDeck.reset();
    return code;
}
