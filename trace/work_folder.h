#pragma once
#include <string>

// The created folder "v_Urivu.tmp\<name>" below the temporary folder,
// without a trailing separator.
std::string work_folder(const std::string& name);
