// The file name of a job's batch script: tool, source, destination and
// switches, readable at a glance in a folder listing.
#include "compose/script_name.h"

#include "copyjob/copy_command.h"
#include "util/strings.h"
#include "util/text_helpers.h"

namespace {

char safe_byte(char byte) {
    switch (byte) {
        case '\t':
        case '\n':
        case '\r':
        case '"':
        case ',':
        case ';':
        case '|':
            return '.';
        case ' ':
        case '/':
        case ':':
        case '?':
        case '\\':
            return '_';
        case '#':
        case '%':
            return '-';
        case '*':
            return 'x';
        case '<':
            return '(';
        case '>':
            return ')';
        default:
            return byte;
    }
}

// Shortened before it is made safe: the shortening looks for separators.
std::string name_part(const std::string& path, std::size_t head_width, std::size_t tail_width) {
    return safe_file_name(abbreviate_path(strip_quotes(path), head_width, tail_width));
}

std::string prefix(x_CopyCommand& job) {
    if (job.is_xcopy()) return "xc_";
    if (job.is_robocopy()) return "rc_";
    return "___";
}

std::string switch_letters(x_CopyCommand& job) {
    std::string letters;
    if (job.is_xcopy()) {
        if (job.xc_subfolders) letters += "s";
        if (job.xc_newer_only) letters += "d";
        if (job.xc_folder_target) letters += "i";
        if (job.xc_no_prompt) letters += "y";
        if (job.xc_list_only) letters += "l";
    } else if (job.is_robocopy()) {
        if (job.rc_subfolders) letters += "s";
        if (job.rc_mirror) letters += "mir";
        if (job.rc_fat_times) letters += "fft";
        if (job.rc_list_only) letters += "l";
    }
    return letters;
}

}  // namespace

std::string safe_file_name(const std::string& text) {
    std::string safe = text;
    for (std::size_t i = 0; i < safe.size(); i += char_width(safe, i)) {
        if (char_width(safe, i) == 1) safe[i] = safe_byte(safe[i]);
    }
    return safe;
}

std::string x_CopyCommand::script_file_name() {
    return prefix(*this) + name_part(get_source(), 30, 50) + "_" +
           name_part(get_destination(), 20, 30) + "_" + switch_letters(*this) + ".bat";
}
