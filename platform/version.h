#pragma once
#include <cstdint>
#include <string>

#include "platform/slot.h"

namespace platform {

// The Windows version library, call for call.
class x_VersionService {
public:
    virtual ~x_VersionService() = default;
    // GetFileVersionInfoSizeA: the block size (0 when none), handle filled in.
    virtual std::uint32_t info_size(const std::string& path, std::uint32_t& handle);
    // GetFileVersionInfoA into block, which holds at least size bytes.
    virtual bool info(const std::string& path, std::uint32_t handle, std::uint32_t size,
                      void* block);
    // VerQueryValueA over a block that info filled.
    virtual bool query_value(const void* block, const std::string& sub_block, const void*& buffer,
                             std::uint32_t& length);
};

inline x_VersionService& version() { return x_Slot<x_VersionService>::current(); }

}  // namespace platform
