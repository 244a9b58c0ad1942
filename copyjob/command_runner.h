#pragma once
// Finds a program's full path by asking the Windows "where" command. The
// program starts commands only through the shell, which hands back no
// output, so the command runs from a one-line script with its standard
// output and standard error redirected into files, and the files are
// polled until one of them has content.
#include <string>

// A full path for the program name, the trimmed name itself when it is a
// path that exists, or the empty text when nothing was found in time.
std::string locate_command(const std::string& name);
// Writes the command line into its one-line script and starts the script
// hidden, without waiting for it.
bool run_hidden_command(const std::string& command_line);
// Today's folder for the captured output, ending in a backslash.
std::string runner_folder();
// The text in double quotes when the command interpreter would otherwise
// split it or read a character of it as its own.
std::string quote_if_needed(const std::string& text);

// The one-line script of a command: its cleaned text, cut to 50 bytes, in
// today's folder of "cmd_bat".
std::string command_script_path(const std::string& command);
// Every occurrence of the pattern replaced, those that match only when
// letter case is ignored included.
std::string replace_all(const std::string& text, const std::string& pattern,
                        const std::string& replacement);
// The work folder of the name with today's date below it, created; no
// trailing separator.
std::string dated_work_folder(const std::string& name);
