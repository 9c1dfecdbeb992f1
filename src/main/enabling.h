// Which menu commands and controls of the main window are available: one
// function of a small snapshot of the editor and of what a command's row
// says it needs, applied after every command.
#pragma once

#include <cstddef>
#include <cstdint>

#include "table/flag_table.h"

// What a command needs to be available; each command's row carries one.
enum class CommandNeed {
    Nothing,        // About, Exit, the focus commands, the controls' notifications
    Printer,        // Save, Import, Export, New Application
    Application,    // Copy, Clear All, Check All, New Version, Delete Application, Find
                    // Application and Find Next
    SecondVersion,  // Delete Version, Sort Version
    PasteOffer,     // Paste
    UndoStep,       // Undo
    RedoStep,       // Redo
};

struct EditorSnapshot {
    int printerFound;     // discovery listed a printer of the model
    uint16_t appCount;    // applications in the table
    int currentVersions;  // versions of the current application
    int pasteOffered;     // FlagTable's
    // The steps Undo and Redo would take (kNoStep: none), and the box of a
    // flag click, which their items name.
    StepKind undoStep;
    int undoFlag;
    StepKind redoStep;
    int redoFlag;
};

// currentVersions may be given when it is known (the display keeps it);
// -1 counts them.
EditorSnapshot SnapshotOf(const FlagTable& t, int printerFound, int currentVersions = -1);
// Whether every control and every menu item but Undo and Redo is alike in
// both; SameStep says it for those two.
bool SameEnabling(const EditorSnapshot& a, const EditorSnapshot& b);

// Nothing: always. Printer: once a printer was found. Application: with an
// application too. SecondVersion: with a second version of the current
// application. PasteOffer: with an application and Paste offered. UndoStep,
// RedoStep: with a printer and a step to take back or make again.
bool CommandEnabled(const EditorSnapshot& s, CommandNeed need);
// Whether a command of that need may run now: the rule above, the versions
// counted only when the need asks for them.
bool NeedMet(const FlagTable& t, int printerFound, CommandNeed need);
// The Target Printer list once a printer was found; the application and
// version lists and the 64 flag boxes with an application.
bool ControlEnabled(const EditorSnapshot& s, unsigned controlId);

// Whether the Undo (need UndoStep) or Redo item names the same step in both.
bool SameStep(const EditorSnapshot& a, const EditorSnapshot& b, CommandNeed need);
// The text of the Undo or Redo item: "&Undo Delete Application\tCtrl+Z", or
// "&Undo\tCtrl+Z" with nothing to take back. need says which of the two.
void StepItemText(char* out, size_t size, const EditorSnapshot& s, CommandNeed need, const char* verb,
                  const char* keys);
