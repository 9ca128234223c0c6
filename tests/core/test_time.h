// Small helpers shared by the tests: building a SYSTEMTIME, and turning
// UTF-8 text into the code page 949 bytes the program is expected to hold,
// with the system's own converter.
#pragma once

#include <string>

#include "platform/systemtime.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <iconv.h>
#endif

inline SYSTEMTIME MakeTime(int year, int month, int day, int hour = 0, int minute = 0,
                           int second = 0) {
    SYSTEMTIME t{};
    t.wYear = static_cast<WORD>(year);
    t.wMonth = static_cast<WORD>(month);
    t.wDay = static_cast<WORD>(day);
    t.wHour = static_cast<WORD>(hour);
    t.wMinute = static_cast<WORD>(minute);
    t.wSecond = static_cast<WORD>(second);
    return t;
}

inline std::string ToCp949(const std::string& utf8) {
#if defined(_WIN32)
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(),
                                                        static_cast<int>(utf8.size()),
                                                        wide.data(), static_cast<int>(wide.size()))));
    std::string out(wide.size() * 2, '\0');
    out.resize(static_cast<size_t>(WideCharToMultiByte(949, 0, wide.data(),
                                                       static_cast<int>(wide.size()), out.data(),
                                                       static_cast<int>(out.size()), nullptr,
                                                       nullptr)));
    return out;
#else
    iconv_t cd = iconv_open("CP949", "UTF-8");
    std::string in = utf8;
    std::string out(utf8.size() * 2 + 4, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    size_t inLeft = in.size();
    size_t outLeft = out.size();
    iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
#endif
}
