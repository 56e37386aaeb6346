#pragma once
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// Every row is read as a ratio to its peer, measured in the same run: "X_Ours" to "X_QPainter" by name, other
// rows to the peer registered for them.
void RegisterPeer(const std::string& row, const std::string& peer);
std::string PeerOf(const std::string& row);

// Collects the time of every repetition of every row while the console reporter prints as usual.
class TPeerCollector : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& reports) override;
    // Nanoseconds per iteration of each repetition, by row name, in order of first appearance.
    const std::vector<std::pair<std::string, std::vector<double>>>& Times() const { return FTimes; }

private:
    std::vector<std::pair<std::string, std::vector<double>>> FTimes;
};

// Prints minimum and median of every row and their ratios to the peer's, and writes the same as JSON.
void WritePeerTable(const TPeerCollector& collector, const std::string& jsonPath);
