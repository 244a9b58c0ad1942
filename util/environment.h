#pragma once
// The running process and its surroundings: its own path and name, the
// environment, the temporary folder and the program's scratch folder.
#include <string>

std::string module_path();
std::string env_value(const std::string& name);
std::string current_folder();
std::string long_path(const std::string& path);
std::string temp_folder();
std::string scratch_folder();  // always ends in a backslash
// Where the scratch folder goes when the usual one cannot be made: below the
// public documents folder. Not created here; ends in a backslash.
std::string fallback_scratch_folder();
std::string original_filename_of(const std::string& path);
std::string program_name();
