// Find Application and Find Next: the next application whose name holds a
// text, picked as the user picks it in the application list.
#pragma once

#include "table/flag_table.h"

struct EditorWindow;

// The text Find Application looked for last, which Find Next looks for again.
struct FindState {
    char text[kNameSize];
};

// Find Application (askText) first asks for the text, Find Next only while
// none has been looked for; Cancel ends it. The list that had the focus
// checks its text first, as when the user clicks into the application list,
// which then has the focus; the application found becomes the current one
// as a pick in that list makes it. Nothing found: a message names the text,
// and the current application stays. The search index is the one the
// display keeps with the application list.
void FindCommand(EditorWindow& w, bool askText);
