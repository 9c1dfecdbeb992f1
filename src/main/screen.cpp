#include "main/screen.h"

#include "table/flag_table_edit.h"

Screen ScreenOf(const FlagTable& t)
{
    return ScreenWithVersionRow(t, RowOfCurrentEntry(t));
}

Screen ScreenWithVersionRow(const FlagTable& t, int32_t versionRow)
{
    Screen s = {};
    s.appRow = t.currentApp < t.appCount ? t.currentApp : -1;
    s.versionApp = t.currentApp;
    s.versionRow = versionRow;
    s.checks[0] = t.shownFlags[0];
    s.checks[1] = t.shownFlags[1];
    return s;
}
