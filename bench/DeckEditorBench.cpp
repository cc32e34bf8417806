// The deck editor window itself, offscreen, on a card base of 100,000 lines: the filter from
// the dialog's OK to the filled list, a keystroke in the find box, a select-all search and a
// base-list click until the face is drawn. Parsing every card line once is the baseline.
#include "bench/BenchMain.h"
#include "core/UApplication.h"
#include "core/UCardDatabase.h"
#include "core/UMain.h"
#include "deck/UBaseListView.h"
#include "deck/UCardView.h"
#include "deck/UDeckED.h"
#include "deck/UFilters.h"
#include "deck/UFindCard.h"
#include "render/UFonts.h"
#include "render/UJpeg.h"
#include "tools/UBigBase.h"
#include "tools/UCardPictures.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

using namespace zandor;

namespace {

std::size_t baseLines() {
    const char* n = std::getenv("ZANDOR_BENCH_LINES");
    return n ? static_cast<std::size_t>(std::strtoul(n, nullptr, 10)) : 100000;
}

// One database and one shell for the run, with the sample frames so that faces are whole.
struct TBench {
    TCardDatabase Db;
    std::unique_ptr<TZandorShell> Shell;
    TfmDeckED* Editor = nullptr;

    TBench() {
        const std::filesystem::path folder =
            std::filesystem::temp_directory_path() / "zandor-deck-editor-bench";
        std::filesystem::create_directories(folder);
        const TBigBaseInfo info = MakeBigBase(folder.string(), baseLines());
        std::filesystem::remove(folder / "tempbase.dat");
        for (const char* frame :
             {"w.jpg", "u.jpg", "b.jpg", "r.jpg", "g.jpg", "lnd.jpg", "gld.jpg", "art.jpg"})
            std::filesystem::copy_file(std::filesystem::path(ZANDOR_SOURCE_DIR) / "data" / frame,
                                       folder / frame,
                                       std::filesystem::copy_options::overwrite_existing);
        std::printf("card base: %zu lines, %zu editions in %s\n", info.Lines, info.Editions,
                    folder.string().c_str());
        LoadCardDatabase(Db, folder.string(), folder.string());
        Db.PicDir = (folder / "pics").string();
        Shell = std::make_unique<TZandorShell>(Db);
        Shell->CreateWindows();
        Editor = static_cast<TfmDeckED*>(Shell->fmDeckED.data());
        Editor->show();
        QApplication::processEvents();
    }
};

TBench& theBench() {
    static TBench b;
    return b;
}

void BM_ParseEveryLine(benchmark::State& state) {
    const TCardDatabase& db = theBench().Db;
    for (auto _ : state)
        benchmark::DoNotOptimize(bench::ParseEveryLine(db.CardLines));
}
BENCHMARK(BM_ParseEveryLine)->Unit(benchmark::kMillisecond);

// From OK: the settings saved and read back, the filter run, the list filled and painted.
void BM_FilterBaseWindow(benchmark::State& state) {
    TfmDeckED& ed = *theBench().Editor;
    for (auto _ : state) {
        ed.FilterBase(true);
        ed.lbBase->viewport()->repaint();
    }
    state.counters["lines"] = static_cast<double>(ed.BaseList().size());
}
BENCHMARK(BM_FilterBaseWindow)->Unit(benchmark::kMillisecond);

// One typed letter and one backspace, each a keystroke with its jump and repaint.
void BM_FindKeystroke(benchmark::State& state) {
    TfmDeckED& ed = *theBench().Editor;
    ed.edFind->setText(QStringLiteral("Sa"));
    for (auto _ : state) {
        QTest::keyClick(ed.edFind, Qt::Key_L);
        ed.lbBase->viewport()->repaint();
        QTest::keyClick(ed.edFind, Qt::Key_Backspace);
        ed.lbBase->viewport()->repaint();
    }
    ed.tFindCard->stop();
    state.counters["per_keystroke"] =
        benchmark::Counter(2.0 * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_FindKeystroke)->Unit(benchmark::kMicrosecond);

// The search dialog confirmed with "Select matching records": the list becomes the matches.
void BM_SelectAllSearch(benchmark::State& state) {
    TfmDeckED& ed = *theBench().Editor;
    TfmFindCard& find = *theBench().Shell->fmFindCard;
    find.cbFind1->setEditText(QStringLiteral("flying"));
    find.cbSelectMatch->setChecked(true);
    std::size_t found = 0;
    for (auto _ : state) {
        QTimer::singleShot(0, &find, [&find] { find.bbFind->click(); });
        ed.sbFind->click();
        ed.lbBase->viewport()->repaint();
        found = ed.BaseList().size();
        state.PauseTiming();
        ed.sbFind->click(); // released: the list before the search comes back
        state.ResumeTiming();
    }
    state.counters["matches"] = static_cast<double>(found);
}
BENCHMARK(BM_SelectAllSearch)->Unit(benchmark::kMillisecond);

// A click on a visible base line until the new face is drawn and shown.
void BM_BaseClickToFace(benchmark::State& state) {
    TfmDeckED& ed = *theBench().Editor;
    // Art for the lines clicked, so that each face decodes and resamples a real picture.
    const TCardDatabase& db = theBench().Db;
    for (std::size_t i = 0; i < 10 && i < ed.BaseList().size(); ++i) {
        const TBaseLineParts parts = SplitBaseLine(ed.BaseList()[i]);
        const TZandorCard card = FindCard(db, parts.Name, parts.Edition);
        const std::string path = ArtFileName(card, db.PicDir);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        SaveJpegFile(path, MakeCardArt(card), 90);
    }
    ed.lbBase->scrollToTop();
    QApplication::processEvents();
    int row = 0;
    for (auto _ : state) {
        const QModelIndex index = ed.BaseModel().index(row);
        QTest::mouseClick(ed.lbBase->viewport(), Qt::LeftButton, {},
                          ed.lbBase->visualRect(index).center());
        ed.CardView->repaint();
        row = (row + 1) % 10;
    }
    ed.CardView->tViewCard->stop();
    state.counters["art_drawn"] = ed.CardView->LastFace().ArtDrawn ? 1 : 0;
}
BENCHMARK(BM_BaseClickToFace)->Unit(benchmark::kMillisecond);

// Last, as its shells come and go: a start of the program over the base up to the
// launcher painted. The database is loaded, every window created (the editor fills its
// base list from all card lines, as without a "tempbase.dat"), the launcher shown and
// painted.
void BM_StartToLauncher(benchmark::State& state) {
    const std::string folder = theBench().Db.DataDir;
    for (auto _ : state) {
        TCardDatabase db;
        LoadCardDatabase(db, folder, folder);
        TZandorShell shell(db);
        shell.CreateWindows();
        shell.fmMain->show();
        shell.fmMain->repaint();
        QApplication::processEvents();
        benchmark::DoNotOptimize(shell.fmMain->isVisible());
        state.PauseTiming();
        // The editor would write "tempbase.dat" when it goes; the next start must not find it.
        shell.DestroyWindows();
        std::filesystem::remove(folder + "tempbase.dat");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartToLauncher)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    RegisterCardFonts();
    theBench();
    const int code =
        bench::RunWithRatios(argc, argv, {{{"BM_FilterBaseWindow", "BM_ParseEveryLine"}, 5.0}});
    theBench().Shell.reset();
    return code;
}
