#pragma once
// The script of a job whose folders' names the command interpreter's code
// page cannot hold (Japanese letters on a Western system, or S with caron
// where the console has code page 437). A batch file can hold only that
// page's characters, so its copy line names the two folders by variables,
// which the script sets from the names of two files kept beside it: the
// interpreter takes file names from the system in Unicode, whatever its
// code page. Started by hand, the script finds them just the same.
#include <optional>
#include <string>

class x_CopyCommand;
struct x_CopyPaths;

// A path as a file name: each backslash (or slash) written "#s", each colon
// "#c", each number sign "#h". Nothing when the path holds a character that
// no file name holds.
std::optional<std::string> name_of_path(const std::string& path);
// The path such a name stands for.
std::string path_of_name(const std::string& name);

// The folder, below the scratch folder, that holds the two names: "names\"
// and sixteen hexadecimal digits that depend only on the two folders.
std::string names_folder(const x_CopyPaths& paths);

// The script text, in the ANSI code page like every composed script. The
// header shows the source in characters the interpreter's page has.
std::string compose_named_script(x_CopyCommand& job, const std::string& names_folder);

// Of a script read back: the folder that the named form of it copies from
// ("from") or to ("to"), from the name beside the script; nothing for a
// script of the other form.
std::optional<std::string> named_folder(const std::string& script_path,
                                        const std::string& script_text, const char* which);
