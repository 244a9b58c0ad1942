#pragma once
#include <string>

#include "platform/slot.h"

namespace platform {

// Which computer the program runs on.
class x_ComputerService {
public:
    virtual ~x_ComputerService() = default;
    // The GUID Windows writes when it is installed (MachineGuid under
    // HKLM\Software\Microsoft\Cryptography, read from the 64-bit view): it
    // survives a rename of the computer and differs between installations.
    // Empty when it cannot be read.
    virtual std::string machine_guid();
    // GetComputerNameA; empty when it cannot be read.
    virtual std::string computer_name();
};

inline x_ComputerService& computer() { return x_Slot<x_ComputerService>::current(); }

}  // namespace platform
