#include "platform/version.h"

#ifdef _WIN32
#include "platform/win32/version.inc"
#else
#include "platform/posix/version.inc"
#endif
