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
    return s;
}

bool CommandEnabled(const EditorSnapshot& s, unsigned command)
{
    bool editing = s.printerFound && s.appCount > 0;
    switch (command) {
    case IDM_SAVE:
    case IDM_IMPORT:
    case IDM_EXPORT:
    case IDM_NEWAPP:
        return s.printerFound != 0;
    case IDM_COPY:
    case IDM_CLEARALL:
    case IDM_CHECKALL:
    case IDM_NEWVERSION:
    case IDM_DELETEAPP:
    case IDM_FIND:
    case IDM_FINDNEXT:
        return editing;
    case IDM_DELETEVERSION:
    case IDM_SORTVERSION:
        return editing && s.currentVersions > 1;
    case IDM_PASTE:
        return editing && s.pasteOffered;
    default:
        return true;
    }
}

bool ControlEnabled(const EditorSnapshot& s, unsigned controlId)
{
    if (controlId == IDC_PRINTER)
        return s.printerFound != 0;
    return s.printerFound && s.appCount > 0;
}
