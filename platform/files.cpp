#include "platform/files.h"

#ifdef _WIN32
#include "platform/win32/files.inc"
#else
#include "platform/posix/files.inc"
#endif
