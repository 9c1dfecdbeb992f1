// afetool run in the test's own process: its exit status and what it wrote
// to standard output and standard error.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "afetool/afetool.h"

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

// The whole temporary stream, which is closed.
inline std::string DrainStream(std::FILE* f)
{
    std::string text;
    std::rewind(f);
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        text.append(buf, n);
    std::fclose(f);
    return text;
}

// afetool ARGS...
inline ToolRun RunAfeToolWith(std::vector<std::string> args)
{
    args.insert(args.begin(), "afetool");
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(&a[0]);
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    int status = RunAfeTool(static_cast<int>(argv.size()), argv.data(), out, err);
    return {status, DrainStream(out), DrainStream(err)};
}
