// The text of one row of the Target Printer list, "name;port;driver", and the
// test that a printer is of the supported model.
#pragma once

#include <cstddef>

// The row buffer of the list: at most 255 characters and the terminator.
constexpr size_t kPrinterRowSize = 256;

extern const char kTargetModel[];  // "VRX-2260"

// Joins the three fields with ";" into out (outSize bytes, always
// terminated). A null field counts as empty. A row that does not fit is cut
// at outSize - 1 characters; returns 1 when it fitted whole, 0 when cut.
int BuildPrinterRow(char* out, size_t outSize, const char* name, const char* port, const char* driver);

// 1 when "VRX-2260" occurs, letters compared exactly, in any of the three
// fields. The fields are tested whole, so a model name beyond the cut of a
// long row still counts; the model contains no ";", so this is the same as
// searching the joined row.
int IsTargetPrinter(const char* name, const char* port, const char* driver);
