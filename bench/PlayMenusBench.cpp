// The card menu and the pile viewer of the play table, offscreen at 1920 x 1080: a right
// click on a table card until the menu has painted its first frame, a 60-card library
// opened in the viewer until the grid has painted, and a card dragged from the viewer and
// dropped on the table until the table has painted it.
#include "bench/BenchMain.h"
#include "core/UCardDatabase.h"
#include "deck/UDeckEDLogic.h"
#include "play/UNewTest.h"
#include "play/UPileViewer.h"
#include "play/UTest.h"
#include "play/UfmTest.h"
#include "render/UFonts.h"
#include "tools/UCardPictures.h"
#include "widgets/UAnimatedMenu.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <filesystem>

using namespace zandor;

namespace {

struct TBench {
    TCardDatabase Db;
    std::unique_ptr<TfmLoadDeck> LoadDeck;
    std::unique_ptr<TfmPlay> Play;

    TBench() {
        const std::filesystem::path folder =
            std::filesystem::temp_directory_path() / "zandor-play-menus-bench";
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
        LoadDeck = std::make_unique<TfmLoadDeck>(Db);
        Play = std::make_unique<TfmPlay>(Db, LoadDeck.get());
        Play->setWindowState(Qt::WindowNoState);
        Play->resize(1920, 1080);
        Play->show();
        QApplication::processEvents();
        // 67 cards: seven in the hand, sixty in the library.
        PlayTestDecks().Player1Deck = {"    23 [EM] - Crag Runner", "    22 [SV] - Barkhide Boar",
                                       "    22 [EM] - Ashroot Hulk"};
        PlayTestDecks().Player2Deck = {"    20 [EM] - Kessik Crag"};
        QTimer::singleShot(0, [this] { LoadDeck->accept(); });
        Play->sbNewGameClick();
        Play->Game()->HandToTable(TfmPlay::Player1, 0, false, 300, 300);
        Play->FullRedraw();
    }
};

TBench& theBench() {
    static TBench b;
    return b;
}

void BM_CardMenuToFirstFrame(benchmark::State& state) {
    TBench& b = theBench();
    for (auto _ : state) {
        QTest::mousePress(b.Play->pbPlay, Qt::RightButton, {}, QPoint(350, 350));
        b.Play->IAPMPlayCard->Panel(0)->repaint();
        state.PauseTiming();
        b.Play->IAPMPlayCard->Close();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CardMenuToFirstFrame)->Unit(benchmark::kMillisecond);

void BM_OpenViewerOnSixtyCards(benchmark::State& state) {
    TBench& b = theBench();
    for (auto _ : state) {
        b.Play->PileDoubleClick(1, TPileKind::Library);
        b.Play->plRLG->repaint();
        state.PauseTiming();
        b.Play->HidePileViewer();
        state.ResumeTiming();
    }
    state.counters["cards"] = b.Play->Game()->LibraryLast(TfmPlay::Player1) + 1;
}
BENCHMARK(BM_OpenViewerOnSixtyCards)->Unit(benchmark::kMillisecond);

void BM_ViewerDropOnTable(benchmark::State& state) {
    TBench& b = theBench();
    TPlayerTest& game = *b.Play->Game();
    b.Play->PileDoubleClick(1, TPileKind::Library);
    QWidget* grid = b.Play->sgRLG->viewport();
    const QPoint cell = b.Play->sgRLG->CellRect(0, 1).center();
    int step = 0;
    int dropped = 0;
    for (auto _ : state) {
        const int before = game.TableLast();
        const QPoint at(900 + (step % 5) * 40, 500 + (step % 3) * 30);
        QTest::mousePress(grid, Qt::LeftButton, {}, cell);
        QTest::mouseMove(grid, cell + QPoint(12, 8));
        QTest::mouseMove(b.Play->pbPlay, at);
        QTest::mouseRelease(b.Play->pbPlay, Qt::LeftButton, {}, at);
        b.Play->pbPlay->repaint();
        state.PauseTiming();
        if (game.TableLast() == before + 1) {
            ++dropped;
            // The card goes back under the others so that the pile keeps its size.
            game.TableToLibrary(game.TableLast(), false, false);
        }
        ++step;
        state.ResumeTiming();
    }
    // Every iteration must have dropped its card.
    state.counters["dropped"] = dropped;
    state.counters["iterations"] = static_cast<double>(state.iterations());
}
BENCHMARK(BM_ViewerDropOnTable)->Unit(benchmark::kMillisecond);

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
