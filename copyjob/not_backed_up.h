#pragma once
// A folder that the program cannot hand to the copy tool, or whose copy it
// cannot confirm, must not pass for backed up: the console's folder line
// alone would say it was.
#include <string>

// One line on standard error, naming the folder (or what stands for it), and
// one trace entry with the same line.
void report_not_backed_up(const std::string& folder, const std::string& reason);
// The same for a folder whose copy was made but falls short.
void report_not_backed_up_completely(const std::string& folder, const std::string& reason);

// A line on standard error and in the trace log that reports no shortfall.
void report_notice(const std::string& line);
