// The batch script around a job's copy command line.
#include "compose/batch_script.h"

#include "compose/batch_text.h"
#include "copyjob/copy_command.h"
#include "copyjob/version_probe.h"
#include "util/strings.h"
#include "util/text_helpers.h"

namespace {

constexpr double first_timeout_version = 6.1;
constexpr std::size_t header_head_width = 30;
constexpr std::size_t header_tail_width = 50;

// Older command interpreters have no "timeout"; they wait with "pause".
bool has_timeout() { return windows_version() >= first_timeout_version; }

std::string list_only_description(x_CopyCommand& job) {
    if (!job.xc_list_only && !job.rc_list_only) return "";
    if (job.is_xcopy()) return "Displays a list of files that are to be copied. ";
    if (job.is_robocopy()) {
        return "Specifies that files are to be listed only (and not copied, deleted, or time "
               "stamped).";
    }
    return "";
}

// Three comment lines, built as one piece: tool and source, the list-only
// note, and an empty comment.
std::string header(x_CopyCommand& job, const std::string& source) {
    const std::string shown_source =
        abbreviate_path(strip_quotes(source), header_head_width, header_tail_width);
    return "rem\t" + job.get_tool() + "\t" + escape_batch_percent(shown_source) + "\r\nrem\t\t\t" +
           list_only_description(job) + "\r\nrem";
}

// The copy tool's status is what the program that runs the script gets
// back, rather than that of the wait after it. Neither line is echoed:
// the console shows the copy line and the wait as before. Expanded when
// its line is read, %errorlevel% is the status of the line before.
const char* const keep_status_line = "@set shellbackup_status=%errorlevel%";
const char* const end_with_status_line = "@exit /b %shellbackup_status%";

std::string closing_line(bool pause_at_end) {
    if (pause_at_end) return has_timeout() ? "timeout /t 100" : "pause";
    return has_timeout() ? "timeout /t 10" : "rem pause";
}

}  // namespace

std::string script_around(x_CopyCommand& job, const std::string& shown_source,
                          const x_StringList& copy_lines) {
    job.choose_tool();
    const bool pause = job.get_pause_at_end();
    x_StringList lines{header(job, shown_source), "cd /d %Temp%"};
    if (pause) lines.push_back(has_timeout() ? "timeout /t 10" : "pause");
    lines.insert(lines.end(), copy_lines.begin(), copy_lines.end());
    lines.push_back(keep_status_line);
    lines.push_back(closing_line(pause));
    lines.push_back(end_with_status_line);
    return join_lines(lines);
}

bool x_CopyCommand::compose_script() {
    choose_tool();
    script_text = script_around(*this, get_source(), {build_command_line()});
    return true;
}
