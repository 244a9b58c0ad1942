#include "platform/console.h"

#ifdef _WIN32
#include "platform/win32/console.inc"
#else
#include "platform/posix/console.inc"
#endif
