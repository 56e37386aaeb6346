#include "bench/PeerTable.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

namespace {

std::map<std::string, std::string>& Peers()
{
    static std::map<std::string, std::string> peers;
    return peers;
}

struct TFigures {
    double Min = 0;
    double Median = 0;
};

TFigures FiguresOf(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    const size_t n = times.size();
    const double median = n % 2 == 1 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
    return {times.front(), median};
}

const std::vector<double>* Find(const TPeerCollector& collector, const std::string& name)
{
    for (const auto& [row, times] : collector.Times())
        if (row == name)
            return &times;
    return nullptr;
}

} // namespace

void RegisterPeer(const std::string& row, const std::string& peer)
{
    Peers()[row] = peer;
}

std::string PeerOf(const std::string& row)
{
    const auto registered = Peers().find(row);
    if (registered != Peers().end())
        return registered->second;
    const std::string ours = "_Ours";
    if (row.size() > ours.size() && row.compare(row.size() - ours.size(), ours.size(), ours) == 0)
        return row.substr(0, row.size() - ours.size()) + "_QPainter";
    return {};
}

void TPeerCollector::ReportRuns(const std::vector<Run>& reports)
{
    ConsoleReporter::ReportRuns(reports);
    for (const Run& run : reports) {
        if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations == 0)
            continue;
        const std::string name = run.run_name.function_name;
        const double ns = run.GetAdjustedRealTime() * benchmark::GetTimeUnitMultiplier(benchmark::kNanosecond) /
                          benchmark::GetTimeUnitMultiplier(run.time_unit);
        auto at = std::find_if(FTimes.begin(), FTimes.end(), [&](const auto& entry) { return entry.first == name; });
        if (at == FTimes.end()) {
            FTimes.emplace_back(name, std::vector<double>{});
            at = FTimes.end() - 1;
        }
        at->second.push_back(ns);
    }
}

void WritePeerTable(const TPeerCollector& collector, const std::string& jsonPath)
{
    std::printf("\n%-28s %12s %12s  %-24s %9s %9s\n", "row", "min ns", "median ns", "peer", "min x", "median x");
    std::ofstream json(jsonPath);
    json << "{\n  \"rows\": [\n";
    bool first = true;
    for (const auto& [row, times] : collector.Times()) {
        const TFigures own = FiguresOf(times);
        const std::string peer = PeerOf(row);
        const std::vector<double>* peerTimes = peer.empty() ? nullptr : Find(collector, peer);
        json << (first ? "" : ",\n") << "    {\"row\": \"" << row << "\", \"repetitions\": " << times.size()
             << ", \"min_ns\": " << own.Min << ", \"median_ns\": " << own.Median;
        first = false;
        if (peerTimes == nullptr) {
            std::printf("%-28s %12.1f %12.1f\n", row.c_str(), own.Min, own.Median);
            json << "}";
            continue;
        }
        const TFigures other = FiguresOf(*peerTimes);
        const double minRatio = own.Min / other.Min;
        const double medianRatio = own.Median / other.Median;
        std::printf("%-28s %12.1f %12.1f  %-24s %9.3f %9.3f\n", row.c_str(), own.Min, own.Median, peer.c_str(),
                    minRatio, medianRatio);
        json << ", \"peer\": \"" << peer << "\", \"peer_min_ns\": " << other.Min
             << ", \"peer_median_ns\": " << other.Median << ", \"ratio_min\": " << minRatio
             << ", \"ratio_median\": " << medianRatio << "}";
    }
    json << "\n  ]\n}\n";
    std::printf("\nwritten: %s\n", jsonPath.c_str());
}
