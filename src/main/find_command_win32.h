// Find Application and Find Next: the next application whose name holds a
// text, picked as the user picks it in the application list.
#pragma once

#include <windows.h>

#include "base/main_controls_win32.h"
#include "table/app_search.h"
#include "table/flag_table.h"

// The text Find Application looked for last, which Find Next looks for again.
struct FindState {
    char text[kNameSize];
};

// Find Application (askText) first asks for the text, Find Next only while
// none has been looked for; Cancel ends it. The list that had the focus
// checks its text first, as when the user clicks into the application list,
// which then has the focus; the application found becomes the current one
// as a pick in that list makes it. Nothing found: a message names the text,
// and the current application stays. `index` is the one the display keeps.
void FindCommand(FlagTable& t, const MainControls& c, HINSTANCE instance, FindState& find, AppSearchIndex& index,
                 bool askText);
