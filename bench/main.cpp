// The benchmarks, each row beside its peer. Usage: quibo_bench [--json FILE] [Google Benchmark flags]
// Without flags of its own it runs nine interleaved repetitions of every row.
#include "bench/PeerTable.h"

#include <QApplication>

#include <cstring>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    // The present benchmarks need widgets, never a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    std::string json = "bench-results.json";
    std::vector<char*> args{argv[0]};
    bool repetitionsGiven = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--json") == 0 && i + 1 < argc) {
            json = argv[++i];
            continue;
        }
        repetitionsGiven = repetitionsGiven || std::strncmp(argv[i], "--benchmark_repetitions", 23) == 0;
        args.push_back(argv[i]);
    }
    static char repetitions[] = "--benchmark_repetitions=9";
    static char interleave[] = "--benchmark_enable_random_interleaving=true";
    static char minTime[] = "--benchmark_min_time=0.05";
    if (!repetitionsGiven) {
        args.push_back(repetitions);
        args.push_back(interleave);
        args.push_back(minTime);
    }
    int count = static_cast<int>(args.size());
    QApplication app(count, args.data());
    benchmark::Initialize(&count, args.data());
    TPeerCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    WritePeerTable(collector, json);
    benchmark::Shutdown();
    return 0;
}
