#pragma once
#include <string>

// Queues for deletion at process exit the files of the template's folder
// whose names match "<base>*.<extension>" of the template and that were
// last modified at least the given number of days ago; read-only files
// stay, and so does every file that anyone writes to after this call, this
// process included. A template whose folder is not a folder queues nothing.
// True when nothing was queued.
bool purge_old_files(const std::string& path_template, int days);
