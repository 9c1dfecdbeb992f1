#include "bench_report.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "bench_tables.h"

namespace {

struct RatioTarget {
    const char* operation;
    double limit;
};

// At the largest table, each operation against its floor.
const RatioTarget kRatioTargets[] = {
    {"Save", 1.10}, {"Save, waiter", 1.10}, {"Load", 1.10}, {"Import", 1.2}, {"Export .afe", 1.2},
    {"Export .inf", 1.2},
};
// What the display adds to a pick and a click at the largest table, what a
// find adds to the pick it ends in, and the program's start to a window
// ready for input against a bare program's; none of them grows with the
// table as the table operations do, so there is no per-entry target.
const RatioTarget kDisplayTargets[] = {
    {"Pick app", 1.2}, {"Flag click", 1.2}, {"Find app", 1.2}, {"Start-up", 1.2}};
// Undo and Redo of a step at the largest table, against the command's own time.
const char* const kUndoOperations[] = {"Undo click", "Redo click",  "Undo del app", "Redo del app",
                                       "Undo sort",  "Redo sort",   "Undo import",  "Redo import"};
constexpr double kUndoLimit = 1.2;
// Cost per entry at the largest table against that at 200 x 3.
constexpr double kPerEntryLimit = 1.5;

std::string Format(const char* format, ...)
{
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

double Min(const std::vector<double>& v)
{
    return *std::min_element(v.begin(), v.end());
}

double Max(const std::vector<double>& v)
{
    return *std::max_element(v.begin(), v.end());
}

// The median of each run's time against its own floor's, measured just
// before it: steadier than a ratio of medians while the machine's load drifts.
double Ratio(const Row& r)
{
    std::vector<double> ratios;
    for (size_t i = 0; i < r.ms.size() && i < r.floorMs.size(); ++i)
        ratios.push_back(r.ms[i] / r.floorMs[i]);
    return Median(ratios);
}

double UsPerEntry(const Row& r)
{
    return 1000.0 * Median(r.ms) / r.entries;
}

double FloorUsPerEntry(const Row& r)
{
    return 1000.0 * Median(r.floorMs) / r.entries;
}

const Row* Find(const std::vector<Row>& rows, const std::string& operation, const char* size)
{
    for (const Row& r : rows) {
        if (r.operation == operation && r.size == size)
            return &r;
    }
    return nullptr;
}

// The full capacity, or for Import, whose reader cannot take that file, the
// largest file it reads.
const Row* Largest(const std::vector<Row>& rows, const std::string& operation)
{
    const Row* r = Find(rows, operation, kFullCapacityLabel);
    return r ? r : Find(rows, operation, kLargestFlagFileLabel);
}

std::string Verdict(double value, double limit, std::vector<std::string>& missed, const std::string& what)
{
    if (value <= limit)
        return "met";
    missed.push_back(what);
    return "NOT met";
}

std::string Targets(const std::vector<Row>& rows, bool markdown)
{
    const char* bullet = markdown ? "- " : "  ";
    std::vector<std::string> missed;
    std::string out = markdown ? "\n## Targets\n\n" : "\nTargets\n";
    out += markdown ? "Against the floor, at the largest table:\n\n" : "Against the floor, at the largest table:\n";
    for (const RatioTarget& t : kRatioTargets) {
        const Row* r = Largest(rows, t.operation);
        if (!r)
            return "";
        double ratio = Ratio(*r);
        out += Format("%s%-12s %6.3f x its floor at %s (target %.2f): %s\n", bullet, t.operation, ratio,
                      r->size.c_str(), t.limit,
                      Verdict(ratio, t.limit, missed, std::string(t.operation) + " against its floor").c_str());
    }
    for (const RatioTarget& t : kDisplayTargets) {
        const Row* r = Largest(rows, t.operation);
        if (!r)
            continue;
        double ratio = Ratio(*r);
        out += Format("%s%-12s %6.3f x its floor at %s (target %.2f): %s\n", bullet, t.operation, ratio,
                      r->size.c_str(), t.limit,
                      Verdict(ratio, t.limit, missed, std::string(t.operation) + " against its floor").c_str());
    }
    bool undoHeader = false;
    for (const char* operation : kUndoOperations) {
        const Row* r = Largest(rows, operation);
        if (!r)
            continue;
        if (!undoHeader)
            out += markdown ? "\nAgainst the command's own time, at the largest table:\n\n"
                            : "Against the command's own time, at the largest table:\n";
        undoHeader = true;
        double ratio = Ratio(*r);
        out += Format("%s%-12s %6.3f x its command at %s (target %.2f): %s\n", bullet, operation, ratio,
                      r->size.c_str(), kUndoLimit,
                      Verdict(ratio, kUndoLimit, missed, std::string(operation) + " against its command").c_str());
    }
    out += markdown ? "\nCost per entry at the largest table against 200 x 3:\n\n"
                    : "Cost per entry at the largest table against 200 x 3:\n";
    for (const RatioTarget& t : kRatioTargets) {
        const Row* big = Largest(rows, t.operation);
        const Row* small = Find(rows, t.operation, kHundredsLabel);
        if (!big || !small)
            return "";
        double growth = UsPerEntry(*big) / UsPerEntry(*small);
        // The floor's growth beside it tells the program's share from the
        // platform's (and a busy machine's, which weighs on long runs most).
        double floorGrowth = FloorUsPerEntry(*big) / FloorUsPerEntry(*small);
        out += Format("%s%-12s %6.3f x (%.1f against %.1f us per entry; its floor %.2f x; target %.1f): %s\n", bullet,
                      t.operation, growth, UsPerEntry(*big), UsPerEntry(*small), floorGrowth, kPerEntryLimit,
                      Verdict(growth, kPerEntryLimit, missed, std::string(t.operation) + " per entry").c_str());
    }
    out += markdown ? "\n" : "";
    if (missed.empty()) {
        out += "Every target met.\n";
    } else {
        out += "NOT met:";
        for (const std::string& m : missed)
            out += " " + m + ";";
        out += "\n";
    }
    return out;
}

}  // namespace

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::string FormatReport(const std::vector<Row>& rows, const std::string& note, const std::string& history,
                         bool markdown)
{
    std::string out;
    if (markdown)
        out += "# Speed of load, save, import, export, find and start-up\n\n";
    if (!note.empty())
        out += note + (markdown ? "\n\n" : "\n");
    if (!rows.empty())
        out += Format(markdown ? "Times in ms over %u runs after a warm-up. Floor: the same registry, file and list "
                                 "work done bare, measured just before each run; for Find app the program's own pick "
                                 "of the application the find ends in, for Start-up a bare program that lists the "
                                 "printers, reads the key and fills the same lists, for Undo and Redo the command of "
                                 "the step in the same run. Ratio: the median of each run's "
                                 "time against its floor's. Import runs up to the largest .afe file that reads back (a size line of "
                                 "five digits): the full capacity's cannot. Start-up runs with the example and the "
                                 "full capacity.\n\n"
                               : "Times in ms over %u runs after a warm-up; ratio = median of run / its floor\n",
                      static_cast<unsigned>(rows[0].ms.size()));
    const char* header = markdown ? "| Operation | Size | Entries | Median | Min | Max | Floor | Ratio | us/entry |\n"
                                    "|---|---|--:|--:|--:|--:|--:|--:|--:|\n"
                                  : "Operation    Size            Entries    Median       Min       Max     Floor"
                                    "  Ratio  us/entry\n";
    out += header;
    for (const Row& r : rows) {
        const char* format = markdown ? "| %s | %s | %d | %.2f | %.2f | %.2f | %.2f | %.2f | %.2f |\n"
                                      : "%-12s %-14s %8d %9.2f %9.2f %9.2f %9.2f %6.2f %9.2f\n";
        out += Format(format, r.operation.c_str(), r.size.c_str(), r.entries, Median(r.ms), Min(r.ms), Max(r.ms),
                      Median(r.floorMs), Ratio(r), UsPerEntry(r));
    }
    if (!history.empty())
        out += (markdown ? "\n" : "") + history + "\n";
    out += Targets(rows, markdown);
    return out;
}

std::string FormatCsv(const std::vector<Row>& rows)
{
    std::string out = "operation,size,apps,entries,runs,median_ms,min_ms,max_ms,floor_median_ms,floor_min_ms,"
                      "floor_max_ms,ratio,us_per_entry,floor_us_per_entry\n";
    for (const Row& r : rows)
        out += Format("%s,%s,%d,%d,%u,%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%.4f\n", r.operation.c_str(),
                      r.size.c_str(), r.apps, r.entries, static_cast<unsigned>(r.ms.size()), Median(r.ms), Min(r.ms),
                      Max(r.ms), Median(r.floorMs), Min(r.floorMs), Max(r.floorMs), Ratio(r), UsPerEntry(r),
                      FloorUsPerEntry(r));
    return out;
}
