// A thorough look at an .afe file before it is rolled out: every problem
// with the line it is on and a plain reason, where the editor's reader stops
// at the first. Plain C++ without the library's containers, so that the
// 32-bit afetool.exe needs nothing that Windows 98 lacks.
#pragma once

#include <cstddef>

// Called once for each problem in turn; line is 1-based, 0 for the file as
// a whole.
typedef void (*ProblemFn)(void* context, size_t line, const char* reason);

// The number of problems found.
size_t CheckFlagFileText(const char* data, size_t length, ProblemFn report, void* context);
