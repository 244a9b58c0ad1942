#pragma once
// The one reading of a job's options for its copy tool: the words of its
// copy line after the two paths. The line is built from them, and the
// check of the copy learns from them what the tool was told.
#include <string>

#include "util/strings.h"

class x_CopyCommand;

struct x_ToolSwitches {
    bool robocopy_line = false;
    std::string tool_word;
    // Each as the line carries it; a word may hold several switches
    // ("/xf  mfc*.tmp  Thumbs.db ", the job's extra switches).
    x_StringList words;
};

x_ToolSwitches tool_switches(x_CopyCommand& job);
