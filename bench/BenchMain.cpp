#include "bench/BenchMain.h"

#include "core/UCard.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <unistd.h>

namespace zandor::bench {

namespace {

class TCollectingReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> Seconds; // per iteration

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.iterations == 0 || run.run_type != Run::RT_Iteration)
                continue;
            Seconds[run.benchmark_name()] =
                run.real_accumulated_time / static_cast<double>(run.iterations);
        }
    }
};

} // namespace

long long ResidentBytes() {
    long long pages = 0, resident = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%lld %lld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * ::sysconf(_SC_PAGESIZE);
}

std::size_t ParseEveryLine(const TCardLines& cardLines) {
    std::size_t names = 0;
    for (std::string_view line : cardLines)
        names += ParseCardLine(line).Name.size();
    return names;
}

int RunWithRatios(int argc, char** argv, const std::vector<TRatio>& ratios) {
    benchmark::Initialize(&argc, argv);
    TCollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    int failures = 0;
    if (!ratios.empty())
        std::printf("\n%-44s %-30s %8s %8s\n", "benchmark", "baseline", "ratio", "target");
    for (const auto& [names, limit] : ratios) {
        const auto a = reporter.Seconds.find(names.first);
        const auto b = reporter.Seconds.find(names.second);
        if (a == reporter.Seconds.end() || b == reporter.Seconds.end() || b->second <= 0)
            continue;
        const double ratio = a->second / b->second;
        std::printf("%-44s %-30s %8.2f %8.2f %s\n", names.first.c_str(), names.second.c_str(),
                    ratio, limit, ratio <= limit ? "ok" : "OVER");
        failures += ratio > limit;
    }
    benchmark::Shutdown();
    return 0;
}

} // namespace zandor::bench
