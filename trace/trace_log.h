#pragma once
// The hourly trace log: one line per entry, one file per hour of the day,
// below the temporary folder. Several processes may write the same file;
// each entry is one open-append-close of a file that no other writer can
// open meanwhile, while readers such as a log viewer may keep it open.
#include <string>
#include <vector>

#include "util/strings.h"

// Appends one entry; false when the log file stayed locked or unwritable.
bool write_trace(const std::string& message);
// Appends one entry per message, all in one opening of the file: a run
// that names a thousand files pays for one.
bool write_trace_lines(const std::vector<std::string>& messages);
// Appends prepared entry bytes to the current hour's file, with the header
// line in front when the file is new or empty.
bool append_trace(const x_ByteList& entry);

// The logon name, else USER, else USERNAME; may be empty.
std::string user_name();
// Each carriage return becomes the first character of replacement, each
// line feed the rest of it.
std::string escape_line_breaks(const std::string& text, const std::string& replacement);
