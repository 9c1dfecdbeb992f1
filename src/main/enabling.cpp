#include "main/enabling.h"

#include "resource.h"

EditorSnapshot SnapshotOf(const FlagTable& t, int printerFound, int currentVersions)
{
    EditorSnapshot s = {};
    s.printerFound = printerFound ? 1 : 0;
    s.appCount = t.appCount;
    if (t.currentApp >= t.appCount)
        s.currentVersions = 0;
    else
        s.currentVersions = currentVersions >= 0 ? currentVersions : CountVersions(t, t.currentApp);
    s.pasteOffered = t.pasteOffered ? 1 : 0;
    const EditStep* undo = StepToUndo(t.history);
    const EditStep* redo = StepToRedo(t.history);
    s.undoStep = undo ? undo->kind : kNoStep;
    s.undoFlag = undo ? undo->flagIndex : -1;
    s.redoStep = redo ? redo->kind : kNoStep;
    s.redoFlag = redo ? redo->flagIndex : -1;
    return s;
}

bool SameEnabling(const EditorSnapshot& a, const EditorSnapshot& b)
{
    return a.printerFound == b.printerFound && a.appCount == b.appCount && a.currentVersions == b.currentVersions &&
           a.pasteOffered == b.pasteOffered;
}

bool CommandEnabled(const EditorSnapshot& s, CommandNeed need)
{
    bool editing = s.printerFound && s.appCount > 0;
    switch (need) {
    case CommandNeed::Nothing:
        return true;
    case CommandNeed::Printer:
        return s.printerFound != 0;
    case CommandNeed::Application:
        return editing;
    case CommandNeed::SecondVersion:
        return editing && s.currentVersions > 1;
    case CommandNeed::PasteOffer:
        return editing && s.pasteOffered;
    case CommandNeed::UndoStep:
        return s.printerFound && s.undoStep != kNoStep;
    case CommandNeed::RedoStep:
        return s.printerFound && s.redoStep != kNoStep;
    }
    return false;
}

bool NeedMet(const FlagTable& t, int printerFound, CommandNeed need)
{
    return CommandEnabled(SnapshotOf(t, printerFound, need == CommandNeed::SecondVersion ? -1 : 0), need);
}

bool ControlEnabled(const EditorSnapshot& s, unsigned controlId)
{
    if (controlId == IDC_PRINTER)
        return s.printerFound != 0;
    return s.printerFound && s.appCount > 0;
}

bool SameStep(const EditorSnapshot& a, const EditorSnapshot& b, CommandNeed need)
{
    if (need == CommandNeed::UndoStep)
        return a.undoStep == b.undoStep && a.undoFlag == b.undoFlag;
    return a.redoStep == b.redoStep && a.redoFlag == b.redoFlag;
}

void StepItemText(char* out, size_t size, const EditorSnapshot& s, CommandNeed need, const char* verb,
                  const char* keys)
{
    bool undo = need == CommandNeed::UndoStep;
    char name[64];
    StepName(name, sizeof name, undo ? s.undoStep : s.redoStep, undo ? s.undoFlag : s.redoFlag);
    // Built by hand: this runs on many a click, and a formatted print costs
    // more than the click's own work.
    const char* const parts[] = {verb, name[0] ? " " : "", name, "\t", keys};
    size_t n = 0;
    for (const char* part : parts) {
        for (; *part && n + 1 < size; ++part)
            out[n++] = *part;
    }
    out[n] = '\0';
}
