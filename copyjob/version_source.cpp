#include "copyjob/version_source.h"

std::string find_version_source() { return std::string(); }
