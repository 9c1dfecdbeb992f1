// The benchmark's tables, generated with what the key and the exported files
// must hold for them. Encoded here, independently of the program's encoders,
// so the benchmark also checks what it times.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "table/flag_table.h"

enum class BenchSize {
    Example,          // one application with two versions
    Hundreds,         // 200 applications with 3 versions
    FullCapacity,     // 5,000 x 2, APPINFO of 199,999 characters
    LargestFlagFile,  // 5,000 x 2 whose .afe file still reads back
};

// The sizes' labels, which the report looks the targets up by.
extern const char kExampleLabel[];
extern const char kHundredsLabel[];
extern const char kFullCapacityLabel[];
extern const char kLargestFlagFileLabel[];

struct BenchTable {
    std::string label;
    std::vector<std::string> names;    // upper case, in list order
    std::vector<AppFlagEntry> stored;  // grouped by application, as the key holds them
    std::vector<std::string> valueNames;  // "APP-" name "-" NN of each stored entry
    std::vector<unsigned char> records;   // 20 bytes per stored entry
    std::string appInfo;
    uint32_t appInfoSize;
    std::string afe;  // what ExportFlagFile writes
    std::string inf;  // what ExportInfFile writes
    bool afeReadsBack;  // the size line has five digits, so Import takes the file
};

BenchTable MakeBenchTable(BenchSize size);

// The table as the editor holds it before a save: every application's first
// version, then every second one and so on, as versions added later leave
// them. The save has to group them back by application.
void FillEditedTable(const BenchTable& b, FlagTable& t);

// What differs between b and a table that a load or an import filled; empty
// when they agree.
std::string CompareLoaded(const BenchTable& b, const FlagTable& t);
