#pragma once
#include <string>

// A last-resort file to read the Windows version from when the fixed system
// programs are not where the special folders say: the path of an existing
// file, or the empty text.
std::string find_version_source();
