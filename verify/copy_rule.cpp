#include "verify/copy_rule.h"

#include <cstdlib>

#include "compose/tool_switches.h"
#include "copyjob/copy_command.h"
#include "fileops/wildcard.h"
#include "platform/files.h"
#include "util/text_helpers.h"
#include "util/wide_text.h"

namespace {

bool has(const platform::x_WideEntry& entry, std::uint32_t bits) {
    return (entry.attributes & bits) != 0;
}

bool matches_any(const std::u16string& name, const std::vector<std::u16string>& patterns) {
    if (patterns.empty()) return false;
    const std::u16string key = platform::wide_files().case_key(name);
    for (const std::u16string& pattern : patterns) {
        if (matches_wildcard(key, pattern, copy_tool_wildcards)) return true;
    }
    return false;
}

bool hidden(const platform::x_WideEntry& entry) {
    return has(entry, platform::attribute_hidden | platform::attribute_system);
}

std::optional<std::uint64_t> number_after(const std::string& word, const std::string& head) {
    if (word.compare(0, head.size(), head) != 0) return std::nullopt;
    return std::strtoull(word.c_str() + head.size(), nullptr, 10);
}

}  // namespace

// The words are read as the tools read their lines: switches in any case,
// and after /xf or /xd the names up to the next switch.
x_CopyRule::x_CopyRule(x_CopyCommand& job) {
    // The drive's size limit binds either tool: robocopy is told with /max,
    // xcopy cannot be told and would fail on such a file.
    if (job.rc_use_max_size) max_size_ = job.get_max_size();
    const x_ToolSwitches switches = tool_switches(job);
    xcopy_ = !switches.robocopy_line;
    std::vector<std::u16string>* names = nullptr;
    for (const std::string& word : switches.words) {
        for (const std::string& piece : split_words(word)) {
            if (piece.empty()) continue;
            if (piece[0] != '/') {
                if (names != nullptr) {
                    names->push_back(
                        platform::wide_files().case_key(ansi_to_utf16(strip_quotes(piece))));
                }
                continue;
            }
            names = take_switch(to_lower(piece));
        }
    }
}

std::vector<std::u16string>* x_CopyRule::take_switch(const std::string& word) {
    if (word == "/s" || word == "/e") subfolders_ = true;
    if (xcopy_) {
        newer_only_ = newer_only_ || word == "/d" || word.compare(0, 3, "/d:") == 0;
        copies_hidden_ = copies_hidden_ || word == "/h";
        skip_links_ = skip_links_ || word == "/b";
        return nullptr;
    }
    if (word == "/mir") subfolders_ = purge_ = true;
    purge_ = purge_ || word == "/purge";
    fat_times_ = fat_times_ || word == "/fft";
    exclude_older_ = exclude_older_ || word == "/xo";
    skip_links_ = skip_links_ || word == "/xjd" || word == "/xj";
    if (const auto size = number_after(word, "/min:")) min_size_ = size;
    if (const auto size = number_after(word, "/max:")) max_size_ = size;
    if (word == "/xf") return &excluded_files_;
    if (word == "/xd") return &excluded_folders_;
    return nullptr;
}

// xcopy without /h leaves hidden and system files out and does not search
// such folders; Wine's xcopy copies them all the same, which a check that
// asks for less never holds against it. xcopy follows folder links (only
// /b, which the program does not give, copies the link instead); robocopy's
// /xjd leaves out every folder that is a link.
bool x_CopyRule::enters(const platform::x_WideEntry& folder) const {
    if (!subfolders_) return false;
    if (skip_links_ && has(folder, platform::attribute_reparse_point)) return false;
    if (xcopy_) return copies_hidden_ || !hidden(folder);
    return !matches_any(folder.name, excluded_folders_);
}

bool x_CopyRule::selects(const platform::x_WideEntry& file) const {
    if (too_large(file)) return false;
    if (xcopy_) return copies_hidden_ || !hidden(file);
    if (min_size_ && file.size < *min_size_) return false;
    return !matches_any(file.name, excluded_files_);
}

bool x_CopyRule::would_copy(const platform::x_WideEntry& source,
                            const platform::x_WideEntry* copy) const {
    if (copy == nullptr) return true;
    if (xcopy_) return !newer_only_ || copy->written < source.written;
    const std::int64_t slack = fat_times_ ? two_seconds : 0;
    const std::int64_t apart = source.written - copy->written;
    const bool same = source.size == copy->size && apart <= slack && -apart <= slack;
    const bool older = apart < -slack;
    return !same && !(exclude_older_ && older);
}

bool is_complete_copy(const platform::x_WideEntry& source, const platform::x_WideEntry& copy) {
    return copy.size == source.size && copy.written > source.written - two_seconds;
}

bool is_cut_short(const platform::x_WideEntry& source, const platform::x_WideEntry& copy) {
    const std::int64_t apart = copy.written - source.written;
    return copy.size != source.size && apart < two_seconds && -apart < two_seconds;
}

bool is_newer_version(const platform::x_WideEntry& source, const platform::x_WideEntry& copy) {
    return copy.size != source.size && copy.written >= source.written + two_seconds;
}
