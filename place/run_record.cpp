#include "place/run_record.h"

#include "platform/computer.h"
#include "platform/process.h"
#include "util/paths.h"
#include "util/strings.h"
#include "util/text_file.h"
#include "util/time_stamps.h"

namespace {

std::string count_text(std::size_t count) { return uint64_to_text(count, 10); }

std::string record_text(const x_RunSummary& summary) {
    const x_StringList lines = {
        "Last backup of this computer to this drive",
        "Computer: " + platform::computer().computer_name(),
        "User: " + platform::process().user_name(),
        "Date and time: " + time_text("%Y/%m/%d %H:%M:%S"),
        summary.verdict,
        "Folders: " + count_text(summary.folders) + ", " + count_text(summary.short_folders) +
            " of them short",
        "Files checked: " + count_text(summary.files),
        std::string("Program version: ") + SHELLBACKUP_VERSION,
    };
    return join(lines, "\r\n") + "\r\n";
}

}  // namespace

std::string run_record_path(const std::string& root) {
    return add_trailing_separator(root) + run_record_name;
}

bool write_run_record(const std::string& root, const x_RunSummary& summary) {
    // A root that is not there (a drive pulled, or refusing folders) is
    // not waited for as a file held by another program would be.
    return folder_exists(root) && replace_text_file(run_record_path(root), record_text(summary));
}
