// What a load or a save of the flag table ran into: one record per failure,
// handed to the caller's report function as it happens, so that the editor
// shows each in its own message box, in order, and afetool prints it.
#pragma once

#include <cstddef>

#include "store/registry_layout.h"

enum class StoreFaultKind {
    SizeUnreadable,     // APPINFO-SIZE could not be read
    NoMemory,           // no block for APPINFO, or for the save's work buffer
    ListUnreadable,     // APPINFO could not be read
    NoNameMemory,       // no block for the version value names
    VersionUnreadable,  // one version value could not be read (name: the value)
    Unstorable,         // the table does not fit the stored layout (name: the application)
    KeyNotEmptiable,    // the key cannot be deleted in the driver's view
    KeyNotCreated,      // the key could not be created
    VersionNotWritten,  // one version value could not be written (name: the value)
    ListNotWritten,     // APPINFO could not be written
    SizeNotWritten,     // APPINFO-SIZE could not be written
};

struct StoreFault {
    StoreFaultKind kind;
    long code;             // the failed registry call's status code, 0 where none failed
    const char* name;      // the value or application concerned, or null; valid during the report
    StoreProblem problem;  // what makes the table unstorable (Unstorable only)
    const char* other;     // the second of two names equal but for letter case, or null
};

// The caller's report function and what it gets back as its first argument.
struct StoreReporter {
    void (*report)(void* context, const StoreFault& fault);
    void* context;
};

// The message for a fault, "Get Size fail\nCode=5" say, into out (always
// terminated). The editor and afetool word every fault alike.
void FormatStoreFault(char* out, size_t outSize, const StoreFault& fault);

// The save's refusal where the key cannot be emptied first.
extern const char kCannotDeleteFlagKeyText[];
