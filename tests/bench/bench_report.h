// The benchmark's figures: the table of timings, the targets and the CSV
// (no field holds a comma, so none is quoted).
#pragma once

#include <string>
#include <vector>

// One operation on one table size: the program's times and its floor's, in ms.
struct Row {
    std::string operation;
    std::string size;
    int apps = 0;
    int entries = 0;
    std::vector<double> ms;
    std::vector<double> floorMs;
};

double Median(std::vector<double> v);

// The table, the history line and, when the run had the sizes they need,
// the targets with their figures. Markdown for bench.md, plain columns for
// the terminal. The floor of an Undo or Redo row is its command's own time.
std::string FormatReport(const std::vector<Row>& rows, const std::string& note, const std::string& history,
                         bool markdown);
std::string FormatCsv(const std::vector<Row>& rows);
