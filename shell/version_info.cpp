#include "shell/version_info.h"

#include <cstring>
#include <functional>
#include <string_view>

#include "platform/console.h"
#include "platform/version.h"
#include "util/paths.h"

namespace {

void report(std::string_view line) {
    platform::console().write_err(line);
    platform::console().write_err("\n");
    platform::console().flush_err();
}

}  // namespace

x_VersionInfo::x_VersionInfo(const std::string& path) : path(path) {
    if (!path.empty() && path_exists(path)) load();
}

bool x_VersionInfo::set_path_string(const std::string& text) { return set_path(text.c_str()); }

bool x_VersionInfo::set_path(const char* text) {
    forget_loaded();
    path = text ? text : "";
    if (path.empty()) return false;
    if (!path_exists(path)) return false;
    return load();
}

std::string x_VersionInfo::query_value(const char* key) {
    if (prefix.empty() && !load()) return std::string();
    const void* address = nullptr;
    std::uint32_t length = 0;
    if (!platform::version().query_value(block.data(), prefix + key, address, length)) {
        report(std::string("::VerQueryValue ...   ") + key);
        return std::string();
    }
    if (length == 0) {
        report(std::string("::VerQueryValue len=0 ") + key);
        return std::string();
    }
    return text_at(address, length);
}

// What was read for an earlier path must not answer for the new one, nor
// survive a failed load of the same one.
void x_VersionInfo::forget_loaded() {
    handle = 0;
    size = 0;
    block.clear();
    prefix.clear();
}

bool x_VersionInfo::load() {
    forget_loaded();
    size = platform::version().info_size(path, handle);
    if (size == 0) {
        report("::GetFileVersionInfoSize ... 0");
        return false;
    }
    // The narrow query converts the file's wide strings into the second half.
    block.assign(2 * static_cast<std::size_t>(size), 0);
    if (!platform::version().info(path, handle, size, block.data())) {
        report("::GetFileVersionInfo ... false");
        return false;
    }
    const void* address = nullptr;
    std::uint32_t length = 0;
    if (!platform::version().query_value(block.data(), "\\VarFileInfo\\Translation", address,
                                         length)) {
        report("::VerQueryValue ... false");
        return false;
    }
    if (length == 0 || address == nullptr) {
        report("::VerQueryValue   len = 0");
        return false;
    }
    std::uint16_t pair[2] = {};
    std::memcpy(pair, address, length < sizeof pair ? length : sizeof pair);
    prefix = "\\StringFileInfo\\" + uint_to_padded_text(pair[0], 16, 4) +
             uint_to_padded_text(pair[1], 16, 4) + "\\";
    return true;
}

// A value is read up to its terminating zero, but never past the end of the
// block it lies in: a damaged resource must not make us read foreign memory.
std::string x_VersionInfo::text_at(const void* address, std::uint32_t length) const {
    const char* text = static_cast<const char*>(address);
    if (text == nullptr) return std::string();
    const char* begin = block.data();
    const char* end = begin + block.size();
    std::size_t limit = length;
    if (begin != nullptr && std::less_equal<const char*>()(begin, text) &&
        std::less<const char*>()(text, end)) {
        limit = static_cast<std::size_t>(end - text);
    }
    return std::string(text, ::strnlen(text, limit));
}

std::string x_VersionInfo::get_comments() { return query_value("Comments"); }
std::string x_VersionInfo::get_company_name() { return query_value("CompanyName"); }
std::string x_VersionInfo::get_file_description() { return query_value("FileDescription"); }
std::string x_VersionInfo::get_file_version() { return query_value("FileVersion"); }
std::string x_VersionInfo::get_internal_name() { return query_value("InternalName"); }
std::string x_VersionInfo::get_legal_copyright() { return query_value("LegalCopyright"); }
std::string x_VersionInfo::get_legal_trademarks() { return query_value("LegalTrademarks"); }
std::string x_VersionInfo::get_original_filename() { return query_value("OriginalFilename"); }
std::string x_VersionInfo::get_private_build() { return query_value("PrivateBuild"); }
std::string x_VersionInfo::get_product_name() { return query_value("ProductName"); }
std::string x_VersionInfo::get_product_version() { return query_value("ProductVersion"); }
std::string x_VersionInfo::get_special_build() { return query_value("SpecialBuild"); }
