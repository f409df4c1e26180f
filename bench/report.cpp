#include "report.h"

#include <QDateTime>
#include <QFile>
#include <QSysInfo>
#include <cmath>
#include <cstdio>
#include <thread>

namespace ksv::bench {

namespace {

std::string format(const char* fmt, auto... args) {
    char buf[512];
    std::snprintf(buf, sizeof buf, fmt, args...);
    return buf;
}

std::string cpuModel() {
    QFile f(QStringLiteral("/proc/cpuinfo"));
    if (!f.open(QIODevice::ReadOnly))
        return "unknown CPU";
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith("model name"))
            return l.mid(l.indexOf(':') + 1).trimmed().toStdString();
    return "unknown CPU";
}

template <class Sample, class F> std::vector<double> values(const std::vector<Sample>& v, F f) {
    std::vector<double> out;
    for (const auto& s : v)
        out.push_back(f(s));
    return out;
}

template <class Sample> bool allOk(const std::vector<Sample>& v) {
    for (const auto& s : v)
        if (!s.ok)
            return false;
    return !v.empty();
}

const char* verdict(bool failed, bool missed) {
    return failed ? "FAILED" : missed ? "MISSED" : "ok";
}

} // namespace

Report::Report(const LineModel& line, int runs, bool verbose)
    : line_(line), runs_(runs), verbose_(verbose) {}

void Report::add(std::string text, bool failed, bool missed, std::vector<std::string> details) {
    failed_ = failed_ || failed;
    missed_ = missed_ || missed;
    rows_.push_back(Row{text + "  " + verdict(failed, missed), std::move(details)});
}

void Report::link(const std::string& name, const std::vector<LinkSample>& runs, double maxRatio) {
    const auto limits =
        values(runs, [&](const LinkSample& s) { return lineLimitMs(s.traffic, line_); });
    const auto ratios = values(runs, [&](const LinkSample& s) {
        const double limit = lineLimitMs(s.traffic, line_);
        return limit > 0 ? s.ms / limit : 0.0;
    });
    const double ms = median(values(runs, [](const LinkSample& s) { return s.ms; }));
    const double ratio = median(ratios);
    const LineTraffic t = runs.empty() ? LineTraffic{} : runs.front().traffic;
    std::vector<std::string> details;
    for (std::size_t i = 0; i < runs.size(); ++i)
        details.push_back(format("run %zu: %.0f ms, limit %.0f ms, ratio %.3f, bytes %zu/%zu, "
                                 "records %d%s",
                                 i + 1, runs[i].ms, limits[i], ratios[i], runs[i].traffic.toDevice,
                                 runs[i].traffic.fromDevice, runs[i].traffic.acknowledgedRecords,
                                 runs[i].ok ? "" : ", FAILED"));
    add(format("%-34s %7.0f ms %7.0f ms %6.3f  <= %4.2f  %5zu/%-5zu %4d", name.c_str(), ms,
               median(limits), ratio, maxRatio, t.toDevice, t.fromDevice, t.acknowledgedRecords),
        !allOk(runs), ratio > maxRatio, std::move(details));
}

void Report::startup(const std::string& name, const std::vector<StartupSample>& runs, double maxMs,
                     double maxRssMb) {
    const double ms = median(values(runs, [](const StartupSample& s) { return s.ms; }));
    const double rss = median(values(runs, [](const StartupSample& s) { return s.peakRssMb; }));
    std::string target;
    if (maxMs > 0)
        target += format("< %.0f ms", maxMs);
    if (maxRssMb > 0)
        target += format("%speak < %.0f MB", target.empty() ? "" : ", ", maxRssMb);
    bool sequence = true;
    std::vector<std::string> details;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        sequence = sequence && runs[i].sequenceDone;
        details.push_back(format("run %zu: %.1f ms, peak RSS %.1f MB%s%s%s", i + 1, runs[i].ms,
                                 runs[i].peakRssMb, runs[i].ok ? "" : ", FAILED",
                                 runs[i].problem.empty() ? "" : ": ", runs[i].problem.c_str()));
    }
    const bool missed = (maxMs > 0 && ms >= maxMs) || (maxRssMb > 0 && rss >= maxRssMb);
    add(format("%-34s %7.1f ms  peak RSS %5.1f MB%s  %s", name.c_str(), ms, rss,
               sequence ? "" : " (type dialog open)", target.c_str()),
        !allOk(runs), missed, std::move(details));
}

void Report::card(const std::string& name, const std::vector<CardSample>& runs, double maxMs) {
    const double ms = median(values(runs, [](const CardSample& s) { return s.ms; }));
    std::vector<std::string> details;
    for (std::size_t i = 0; i < runs.size(); ++i)
        details.push_back(format("run %zu: %.1f ms, PDF %lld bytes%s", i + 1, runs[i].ms,
                                 static_cast<long long>(runs[i].bytes),
                                 runs[i].ok ? "" : ", FAILED"));
    add(format("%-34s %7.1f ms  PDF %lld KB  < %.0f ms", name.c_str(), ms,
               static_cast<long long>(runs.empty() ? 0 : runs.front().bytes / 1024), maxMs),
        !allOk(runs), ms >= maxMs, std::move(details));
}

void Report::timing(const std::string& name, const std::vector<double>& ms, double maxMs) {
    bool ok = !ms.empty();
    std::vector<std::string> details;
    for (std::size_t i = 0; i < ms.size(); ++i) {
        ok = ok && !std::isnan(ms[i]);
        details.push_back(
            format("run %zu: %.2f ms%s", i + 1, ms[i], std::isnan(ms[i]) ? ", FAILED" : ""));
    }
    const double m = median(ms);
    add(format("%-34s %7.2f ms  < %.0f ms", name.c_str(), m, maxMs), !ok, m >= maxMs,
        std::move(details));
}

bool Report::print(std::FILE* out) const {
    std::fprintf(out, "ksv717n-bench, %s, %s, %u cores (%s), %s\n",
                 QDateTime::currentDateTime().toString(Qt::ISODate).toStdString().c_str(),
                 QSysInfo::machineHostName().toStdString().c_str(),
                 std::thread::hardware_concurrency(), cpuModel().c_str(),
                 QSysInfo::prettyProductName().toStdString().c_str());
    std::fprintf(out,
                 "medians of %d runs; simulator paced at %d baud both ways (%.3f ms a byte), "
                 "%.0f ms per written record\n\n",
                 runs_, line_.baud, line_.byteMs(), line_.recordDelayMs);
    std::fprintf(out, "%-34s %10s %10s %6s  %7s  %-11s %4s\n", "measurement", "median", "limit",
                 "ratio", "target", "bytes o/i", "recs");
    for (const Row& r : rows_) {
        std::fprintf(out, "%s\n", r.text.c_str());
        if (verbose_)
            for (const auto& d : r.details)
                std::fprintf(out, "    %s\n", d.c_str());
    }
    std::fprintf(out,
                 "\nlimit = (bytes to + from the transceiver) x %.3f ms + acknowledged records x "
                 "%.0f ms\n",
                 line_.byteMs(), line_.recordDelayMs);
    std::fflush(out);
    return !failed_ && !missed_;
}

} // namespace ksv::bench
