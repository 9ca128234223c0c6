// SYSTEMTIME, the local-time record the calendar and clock logic reads.
// On Windows it is the platform's own; elsewhere a record with the same
// eight 16-bit fields in the same order.
#pragma once

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <cstdint>

using WORD = std::uint16_t;

struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};
#endif
