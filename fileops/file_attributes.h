#pragma once
// A snapshot of one path's Windows attribute bits, with setters that write
// through to the file without refreshing the snapshot.
#include <cstdint>
#include <string>

class x_FileAttributes {
public:
    explicit x_FileAttributes(const std::string& path);

    virtual bool is_invalid();
    virtual std::uint32_t get_attributes();
    virtual std::string get_path();
    virtual std::uint32_t has_any(std::uint32_t mask);
    virtual bool clear_bits(std::uint32_t mask);
    virtual bool set_bits(std::uint32_t mask);
    virtual bool make_plain();
    virtual bool clear_if_set(std::uint32_t mask);

private:
    std::string path;
    std::uint32_t attributes;
};
