#pragma once
#include <string>

#include "platform/slot.h"

namespace platform {

// Drive types as GetDriveTypeA reports them.
enum : unsigned {
    drive_unknown = 0,
    drive_no_root = 1,
    drive_removable = 2,
    drive_fixed = 3,
    drive_remote = 4,
    drive_cdrom = 5,
    drive_ramdisk = 6,
};

class x_DriveService {
public:
    virtual ~x_DriveService() = default;
    // The type of the drive of a root such as "E:/" or "E:\\".
    virtual unsigned drive_type(const std::string& root);
    // Whether the drive of a root such as "E:\\" holds a medium whose volume
    // can be read. A card reader's empty slot is a removable drive too: its
    // volume answers "not ready". Asked quietly only once critical-error
    // boxes are off (x_ProcessService::quiet_error_boxes).
    virtual bool holds_medium(const std::string& root);
    // The network name behind a local device name such as "E:"; answers 0
    // and fills remote_name, or the provider's error code (2250: not
    // connected) and leaves remote_name empty.
    virtual unsigned long network_connection(const std::string& local_name,
                                             std::string& remote_name);
    // The name of the file system of the volume at a root such as "E:\\"
    // (GetVolumeInformationW): "FAT32", "exFAT", "NTFS"; empty when the
    // volume does not answer.
    virtual std::string file_system_name(const std::string& root);
};

inline x_DriveService& drives() { return x_Slot<x_DriveService>::current(); }

}  // namespace platform
