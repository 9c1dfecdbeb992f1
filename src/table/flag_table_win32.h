// The application names as the list shows them and the save stores them.
#pragma once

#include "table/flag_table.h"

// Rows of the application list are upper case on every platform: Wine's
// combo box does not convert inserted rows as CBS_UPPERCASE promises.
// AppRowName gives that text (kNameSize bytes), which Save stores.
void AppRowName(char* out, const char* name);
