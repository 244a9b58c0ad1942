#include "platform/codepage.h"

#ifdef _WIN32
#include "platform/win32/codepage.inc"
#else
#include "platform/posix/codepage.inc"
#endif
