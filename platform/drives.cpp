#include "platform/drives.h"

#ifdef _WIN32
#include "platform/win32/drives.inc"
#else
#include "platform/posix/drives.inc"
#endif
