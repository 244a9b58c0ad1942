#pragma once
// How the two folders of a copy job are prepared for its command line.
#include <string>

// A path on a mapped network drive, its drive letter replaced by the network
// name behind it (M:\dir -> \\server\share\dir); every other path unchanged.
std::string to_unc_path(const std::string& path);

// The folder the source is copied into. A destination whose last folder is
// "_Backup_" (any letter case, with or without a trailing separator) receives
// the whole source path below it, so that many sources can share it:
// C:\Data with E:\_Backup_ gives E:\_Backup_\C\Data. Any other destination
// is returned as it is, without its enclosing quotes. A name that a percent
// sign cut so that it ends in a blank or a dot keeps a percent sign at its
// end (C:\X % Y gives E:\_Backup_\C\X %\ Y): Windows would drop that end.
// So does a name "." or ".." (C:\x\.. gives E:\_Backup_\C\x\..%): the copy
// never lands outside its own place below the backup folder.
std::string backup_destination(const std::string& source, const std::string& destination);

// The shared backup folder on a drive (a letter and a colon): E:\_Backup_.
std::string backup_folder_on(const std::string& drive_root);

class x_CopyCommand;

// The two folders as the job's copy command line names them, before they
// are quoted: defaults for empty paths, network names, the "_Backup_" rule.
struct x_CopyPaths {
    std::string from;
    std::string to;
};
x_CopyPaths copy_paths(x_CopyCommand& job);

// The path as the quoted word of a copy line carries it, before the quotes
// and the doubling of percent signs: no trailing separator that would
// escape the closing quote.
std::string path_in_word(const std::string& path);

// The job's copy line with the two path words given.
std::string command_line_with(x_CopyCommand& job, const std::string& from_word,
                              const std::string& to_word);

// Whether the quoted word of a copy line can carry the path. A double quote
// would end the word, and a control character (a line break) the script's
// line, letting the rest of the path run as commands; no Windows name holds
// either, so such a path names no folder anyway.
bool fits_a_path_word(const std::string& path);
