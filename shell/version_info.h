#pragma once
// The string table of an executable's version resource. Values come from the
// table that the file's own translation table lists first; no other table is
// tried.
#include <cstdint>
#include <string>

#include "util/strings.h"

class x_VersionInfo {
public:
    x_VersionInfo() = default;
    // Stores the path and loads it at once when it names an existing file.
    explicit x_VersionInfo(const std::string& path);

    virtual bool set_path_string(const std::string& text);
    virtual bool set_path(const char* text);
    virtual std::string query_value(const char* key);
    virtual bool load();

    virtual std::string get_comments();
    virtual std::string get_company_name();
    virtual std::string get_file_description();
    virtual std::string get_file_version();
    virtual std::string get_internal_name();
    virtual std::string get_legal_copyright();
    virtual std::string get_legal_trademarks();
    virtual std::string get_original_filename();
    virtual std::string get_private_build();
    virtual std::string get_product_name();
    virtual std::string get_product_version();
    virtual std::string get_special_build();

    std::string path;
    std::uint32_t handle = 0;
    std::uint32_t size = 0;
    x_ByteList block;
    // "\StringFileInfo\llllcccc\" once a load succeeded, else empty.
    std::string prefix;

private:
    void forget_loaded();
    std::string text_at(const void* address, std::uint32_t length) const;
};
