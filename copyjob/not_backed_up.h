#pragma once
// A folder that the program cannot hand to the copy tool must not pass for
// backed up: the console's folder line alone would say it was.
#include <string>

// One line on standard error, naming the folder (or what stands for it) in a
// form the console shows, and one trace entry with the whole story.
void report_not_backed_up(const std::string& folder, const std::string& reason);
