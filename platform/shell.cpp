#include "platform/shell.h"

#ifdef _WIN32
#include "platform/win32/shell.inc"
#else
#include "platform/posix/shell.inc"
#endif
