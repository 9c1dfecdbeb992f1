#include "main/screen.h"

#include "table/flag_table_edit.h"

Screen ScreenOf(const FlagTable& t)
{
    Screen s = {};
    s.appRow = t.currentApp < t.appCount ? t.currentApp : -1;
    s.versionApp = t.currentApp;
    s.versionRow = RowOfCurrentEntry(t);
    s.checks[0] = t.shownFlags[0];
    s.checks[1] = t.shownFlags[1];
    return s;
}
