#pragma once
#include <string>

// Queues for deletion at process exit the files of the template's folder
// whose names match "<base>*.<extension>" of the template and that were
// last modified at least the given number of days ago; read-only files
// stay. True when nothing was queued.
bool purge_old_files(const std::string& path_template, int days);

// The same, except that the file of that name is never queued: a file that
// is about to be written again must not vanish, with its new entries, when
// the process ends.
bool purge_old_files_except(const std::string& path_template, int days,
                            const std::string& kept_name);
