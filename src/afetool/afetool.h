// afetool, the editor's command-line companion: checks, shows, compares and
// converts flag files; on Windows it also exports the stored key and applies
// a file to it. Results go to out, messages to err; the result is the exit
// status (0 success, 1 a problem found or refused, 2 a wrong call or an
// unreadable file).
#pragma once

#include <cstddef>
#include <cstdio>

struct DecodedFlagFile;

int RunAfeTool(int argc, char** argv, std::FILE* out, std::FILE* err);

// Whether path ends in ext (".reg"), letters compared without case.
bool HasExtension(const char* path, const char* ext);

// The commands only one platform has (export and apply on Windows): -1 when
// `command` is not one of them. afetool_win32.cpp and afetool_native.cpp.
int RunPlatformCommand(const char* command, int argc, char** argv, std::FILE* out, std::FILE* err);
// Their usage lines, empty where there are none.
extern const char kPlatformUsage[];

// An .afe file the editor can import, decoded into a block of its own (free
// with std::free); null, with the reasons told on err, when it is not one.
DecodedFlagFile* LoadFlagFileArg(const char* path, std::FILE* err);
// What differs between two tables, a line each on out, the sides named
// nameA and nameB ("only in A: APP.EXE"); names are compared as the key
// compares them. The number of differences; -1, told on err, without memory.
int ReportDifferences(const DecodedFlagFile& a, const DecodedFlagFile& b, const char* nameA, const char* nameB,
                      std::FILE* out, std::FILE* err);
// A message the editor shows in a box, as one line on err.
void PrintMessage(std::FILE* err, const char* text);
// Puts data in place of the file at path, refusing a read-only file; the
// platform's own way (afetool_win32.cpp, afetool_native.cpp).
bool WriteOutputFile(const char* path, const char* data, size_t length);
