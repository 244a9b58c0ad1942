#pragma once
// What the check of one folder's copy found, said: the folder on standard
// error (and in the trace log), each file that falls short in the trace log.
#include <string>
#include <vector>

#include "verify/check_findings.h"
#include "verify/version_retention.h"

// False, with the folder named and why, when its copy must not start.
bool report_start(const std::string& folder, const std::string& drive,
                  const x_StartFindings& findings);
// False, with the folder named and its first shortfall, when the copy falls
// short; files that changed or came during the backup are said either way.
bool report_copy(const std::string& folder, const std::string& drive,
                 const x_CopyFindings& findings);

// Says what went to make room: on standard error how many files and bytes
// of which runs, in the trace log each file.
void report_removed_versions(const std::string& drive, const x_RemovedVersions& removed);
// The trace log names where each copy moved aside now lies.
void report_kept_versions(const std::vector<std::u16string>& paths);
