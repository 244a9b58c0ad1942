#include "verify/copy_rule.h"

#include "copyjob/copy_command.h"
#include "platform/files.h"
#include "util/text_helpers.h"
#include "util/wide_text.h"

namespace {

bool has(const platform::x_WideEntry& entry, std::uint32_t bits) {
    return (entry.attributes & bits) != 0;
}

std::vector<std::u16string> patterns_of(const std::string& list) {
    std::vector<std::u16string> patterns;
    for (const std::string& word : split_words(list)) {
        patterns.push_back(ansi_to_utf16(strip_quotes(word)));
    }
    return patterns;
}

bool matches_any(const std::u16string& name, const std::vector<std::u16string>& patterns) {
    for (const std::u16string& pattern : patterns) {
        if (matches_pattern(name, pattern)) return true;
    }
    return false;
}

}  // namespace

x_CopyRule::x_CopyRule(x_CopyCommand& job) : xcopy_(job.is_xcopy()) {
    if (job.rc_use_max_size) max_size_ = job.get_max_size();
    if (xcopy_) {
        subfolders_ = job.xc_subfolders;
        newer_only_ = job.xc_newer_only;
        return;
    }
    subfolders_ = job.rc_subfolders || job.rc_mirror;
    exclude_older_ = job.rc_exclude_older;
    fat_times_ = job.rc_fat_times;
    skip_junctions_ = job.rc_exclude_junction_dirs;
    purge_ = job.rc_purge || job.rc_mirror;
    if (job.rc_use_exclude_files) excluded_files_ = patterns_of(job.get_exclude_files());
    if (job.rc_use_exclude_dirs) excluded_folders_ = patterns_of(job.get_exclude_dirs());
    if (job.rc_use_min_size) min_size_ = job.get_min_size();
}

// xcopy without /h leaves hidden and system files out and does not search
// such folders; Wine's xcopy copies them all the same, which a check that
// asks for less never holds against it. Junctions are never followed: one
// that leads back up would make the walk endless.
bool x_CopyRule::enters(const platform::x_WideEntry& folder) const {
    if (!subfolders_) return false;
    if (has(folder, platform::attribute_reparse_point)) return false;
    if (xcopy_) return !has(folder, platform::attribute_hidden | platform::attribute_system);
    return !matches_any(folder.name, excluded_folders_);
}

bool x_CopyRule::selects(const platform::x_WideEntry& file) const {
    if (too_large(file)) return false;
    if (xcopy_) return !has(file, platform::attribute_hidden | platform::attribute_system);
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
    return copy.size == source.size && copy.written >= source.written - two_seconds;
}

// Backtracks to the last star only: each star can stand for any run, so a
// later mismatch never needs an earlier star to take more.
bool matches_pattern(const std::u16string& name, const std::u16string& pattern) {
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t star = std::u16string::npos;
    std::size_t resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            star = p++;
            resume = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == u'?' || ascii_lower(pattern[p]) == ascii_lower(name[n]))) {
            ++n;
            ++p;
        } else if (star != std::u16string::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') ++p;
    return p == pattern.size();
}
