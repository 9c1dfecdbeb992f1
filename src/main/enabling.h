// Which menu commands and controls of the main window are available: one
// function of a small snapshot of the editor, applied after every command.
#pragma once

#include <cstdint>

#include "table/flag_table.h"

struct EditorSnapshot {
    int printerFound;     // discovery listed a printer of the model
    uint16_t appCount;    // applications in the table
    int currentVersions;  // versions of the current application
    int pasteOffered;     // FlagTable's
};

// currentVersions may be given when it is known (the display keeps it);
// -1 counts them.
EditorSnapshot SnapshotOf(const FlagTable& t, int printerFound, int currentVersions = -1);

// Menu commands: About and Exit always; Save, Import, Export and New
// Application once a printer was found; the editing commands, Find
// Application and Find Next with an application; Delete Version and Sort
// Version with a second version; Paste once offered. Focus commands are
// always available.
bool CommandEnabled(const EditorSnapshot& s, unsigned command);
// The Target Printer list once a printer was found; the application and
// version lists and the 64 flag boxes with an application.
bool ControlEnabled(const EditorSnapshot& s, unsigned controlId);
