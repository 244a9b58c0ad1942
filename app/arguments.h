#pragma once
#include "util/strings.h"

// A copy of the process-wide argument list; filled from the runtime's own
// argument vector whenever it is found empty.
x_StringList get_arv();
// Replaces the list with main's arguments, the program first.
void set_arguments(int argc, char** argv);
