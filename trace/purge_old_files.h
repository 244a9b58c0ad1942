#pragma once
#include <string>

// Queues for deletion at process exit the files of the template's folder
// whose names match "<base>*.<extension>" of the template and that were
// last modified at least the given number of days ago; read-only files
// stay. True when nothing was queued.
bool purge_old_files(const std::string& path_template, int days);
