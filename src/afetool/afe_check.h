// A thorough look at an .afe file before it is rolled out: every problem
// with the line it is on and a plain reason, where the editor's reader stops
// at the first.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct FileProblem {
    size_t line;  // 1-based; 0 for the file as a whole
    std::string reason;
};

std::vector<FileProblem> CheckFlagFileText(const char* data, size_t length);
