#include "platform/wide_files.h"

#ifdef _WIN32
#include "platform/win32/wide_files.inc"
#else
#include "platform/posix/wide_files.inc"
#endif
