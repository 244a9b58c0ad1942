#pragma once
// The batch script of a job: a comment header with the tool and the source,
// the change to the temporary folder, the waits, and between them the lines
// that copy.
#include <string>

#include "util/strings.h"

class x_CopyCommand;

// The whole script text around the copy lines, the source shown in the
// header as given. Chooses the job's tool when it has none.
std::string script_around(x_CopyCommand& job, const std::string& shown_source,
                          const x_StringList& copy_lines);
