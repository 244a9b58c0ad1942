#pragma once
// One folder's entries, and its files filtered by a pattern in which only
// '*' is a wildcard.
#include <string>

#include "util/strings.h"

x_StringList list_folder(const std::string& path, bool skip_dots);
x_StringList list_matching(const std::string& folder, const std::string& pattern);
x_StringList filter_by_pattern(const x_StringList& listing, const std::string& pattern);
