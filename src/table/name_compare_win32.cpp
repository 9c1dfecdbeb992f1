#include <windows.h>

#include "table/flag_table.h"

void UpperText(char* text)
{
    CharUpperA(text);
}

// Rows of the application list are upper case on every platform: Wine's
// combo box does not convert inserted rows as CBS_UPPERCASE promises, so
// the rows are converted here, as the save converts the names it stores.
void AppRowName(char* out, const char* name)
{
    lstrcpynA(out, name, kNameSize);
    CharUpperA(out);
}
