// The Win32 names the shell is written against. On Windows they come from
// the platform's own headers; on Linux from platform/host, our own small
// layer with the same names, which the shell's tests drive.
#pragma once

#include "platform/systemtime.h"  // on Windows, <windows.h> itself

#if defined(_WIN32)
#include <mmsystem.h>
#else
#include "platform/host/win32_host.h"
#endif
