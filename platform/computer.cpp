#include "platform/computer.h"

#ifdef _WIN32
#include "platform/win32/computer.inc"
#else
#include "platform/posix/computer.inc"
#endif
