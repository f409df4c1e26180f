#pragma once

// The bench's printed table: medians over the runs, the line limit and the
// ratio for the exchanges, each against its target.

#include "line_budget.h"
#include "samples.h"

#include <cstdio>
#include <string>
#include <vector>

namespace ksv::bench {

class Report {
public:
    Report(const LineModel& line, int runs, bool verbose);

    // maxRatio: the target for measured / limit.
    void link(const std::string& name, const std::vector<LinkSample>& runs, double maxRatio);
    // maxMs, maxRssMb: targets, 0 for none.
    void startup(const std::string& name, const std::vector<StartupSample>& runs, double maxMs,
                 double maxRssMb);
    void card(const std::string& name, const std::vector<CardSample>& runs, double maxMs);
    // One duration (or difference of durations) per run, NaN for a run that failed.
    void timing(const std::string& name, const std::vector<double>& ms, double maxMs);

    // Prints the table; false when a measurement failed or missed its target.
    bool print(std::FILE* out = stdout) const;

private:
    struct Row {
        std::string text;
        std::vector<std::string> details;
    };
    void add(std::string text, bool failed, bool missed, std::vector<std::string> details);

    LineModel line_;
    int runs_;
    bool verbose_;
    std::vector<Row> rows_;
    bool failed_ = false;
    bool missed_ = false;
};

} // namespace ksv::bench
