#pragma once
// The script of a job whose folders' names the command interpreter's code
// page cannot hold (Japanese letters on a Western system, or S with caron
// where the console has code page 437). A batch file can hold only that
// page's characters, so its copy line names the two folders by variables,
// which the script sets from the names of files kept beside it: the
// interpreter takes file names from the system in Unicode, whatever its
// code page. Started by hand, the script finds them just the same.
//
// Beside the script: "names\", sixteen hexadecimal digits that depend only
// on the two folders, then one folder per variable ("from", "to", and
// "from2", "to3"... for further pieces of a path), each holding one file
// whose name is the piece. This file is the one place that writes and
// reads that layout.
#include <optional>
#include <string>

class x_CopyCommand;
struct x_CopyPaths;

// The script text, in the ANSI code page like every composed script, the
// header showing the source in characters the interpreter's page has.
// Nothing when a path holds a character that no file name holds.
std::optional<std::string> compose_named_script(x_CopyCommand& job, const x_CopyPaths& paths);

// Whether the script names its folders by names kept beside it.
bool names_folders_beside(const std::string& script_text);

// Writes the names that such a script, about to be written into the
// folder, reads for the two paths. The reason when they cannot be kept
// there or are not the ones its copy line names; then nothing is left.
std::optional<std::string> keep_names(const std::string& script_folder,
                                      const std::string& script_text, const x_CopyPaths& paths);

// What a word of a script's copy line names, the script read back from its
// folder: named says whether the word names variables; path is the folder
// they name, from the names beside the script, or nothing when one is
// missing.
struct x_NamedPath {
    bool named = false;
    std::optional<std::string> path;
};
x_NamedPath named_path(const std::string& script_folder, const std::string& script_text,
                       const std::string& word);
