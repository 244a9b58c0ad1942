#include "fileops/file_attributes.h"

#include "platform/files.h"
#include "util/paths.h"

namespace {

constexpr std::uint32_t read_only_hidden_system =
    platform::attribute_read_only | platform::attribute_hidden | platform::attribute_system;

}  // namespace

x_FileAttributes::x_FileAttributes(const std::string& path)
    : attributes(platform::invalid_attributes) {
    const std::string normalised = strip_trailing_separator(normalize_separators(path, '\\'));
    const std::uint32_t bits = platform::files().get_attributes(normalised);
    if (bits == platform::invalid_attributes) return;
    this->path = normalised;
    attributes = bits;
}

bool x_FileAttributes::is_invalid() { return attributes == platform::invalid_attributes; }

std::uint32_t x_FileAttributes::get_attributes() { return attributes; }

std::string x_FileAttributes::get_path() { return path; }

// For an unreadable path every bit reads as set: callers that test the
// read-only bit leave such a path alone.
std::uint32_t x_FileAttributes::has_any(std::uint32_t mask) { return attributes & mask; }

bool x_FileAttributes::clear_bits(std::uint32_t mask) {
    return platform::files().set_attributes(path, attributes & ~mask);
}

bool x_FileAttributes::set_bits(std::uint32_t mask) {
    return platform::files().set_attributes(path, attributes | mask);
}

bool x_FileAttributes::make_plain() { return clear_if_set(read_only_hidden_system); }

bool x_FileAttributes::clear_if_set(std::uint32_t mask) {
    return has_any(mask) != 0 ? clear_bits(mask) : true;
}
