#include "platform/process.h"

#ifdef _WIN32
#include "platform/win32/process.inc"
#else
#include "platform/posix/process.inc"
#endif
