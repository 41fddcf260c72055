#pragma once

// The console table, plus a summary of the parsing and settings-load
// benchmarks once all have run: MB/s per parser and file size, Vaxo's speed
// over each peer's, and the pages a parse touches afresh.

#include <benchmark/benchmark.h>
#include <map>
#include <string>
#include <vector>

class ParseSpeedReporter : public benchmark::ConsoleReporter {
  public:
    // Plain text: the table goes to logs and files as often as to a terminal.
    ParseSpeedReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

  private:
    void printSpeeds() const;
    void printFaults() const;

    struct Figures {
        double bytesPerSecond;
        double firstParseFaults;
        double faultsPerParse;
    };

    // By file size (the benchmark's argument), then by parser.
    std::map<long, std::map<std::string, Figures>> figures;
    std::vector<std::string> parsers;
};
