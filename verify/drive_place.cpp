#include "verify/drive_place.h"

#include "platform/files.h"
#include "platform/wide_files.h"

namespace {

bool is_separator(char16_t unit) { return unit == u'\\' || unit == u'/'; }

// Windows takes a slash for a backslash.
std::u16string place_key(std::u16string path) {
    for (char16_t& unit : path) {
        if (unit == u'/') unit = u'\\';
    }
    return platform::wide_files().case_key(path);
}

}  // namespace

std::u16string link_on_the_way(const std::u16string& root, const std::u16string& path) {
    if (!lies_below(root, path)) return {};
    std::size_t end = root.size();
    while (end < path.size()) {
        while (end < path.size() && is_separator(path[end])) ++end;
        while (end < path.size() && !is_separator(path[end])) ++end;
        std::u16string step = path.substr(0, end);
        platform::x_WideEntry entry;
        if (!platform::wide_files().entry_of(step, entry)) return {};
        if ((entry.attributes & platform::attribute_reparse_point) != 0) return step;
    }
    return {};
}

bool lies_below(const std::u16string& folder, const std::u16string& path) {
    if (folder.empty() || path.size() <= folder.size()) return false;
    if (!is_separator(folder.back()) && !is_separator(path[folder.size()])) return false;
    return place_key(path.substr(0, folder.size())) == place_key(folder);
}

bool same_place(const std::u16string& one, const std::u16string& other) {
    return place_key(one) == place_key(other);
}

bool stays_on_drive(const std::u16string& root, const std::u16string& path) {
    if (!lies_below(root, path) || !link_on_the_way(root, path).empty()) return false;
    platform::x_FileIdentity drive;
    platform::x_FileIdentity file;
    return platform::wide_files().identity_of(root, drive) &&
           platform::wide_files().identity_of(path, file) && file.volume == drive.volume;
}

bool is_plainly_on_drive(const std::u16string& root, const std::u16string& folder,
                         const std::u16string& path) {
    return lies_below(root, folder) && lies_below(folder, path) && stays_on_drive(root, path);
}
