// Every fixed text the program shows, as code page 949 (Korean) bytes, for
// the platform's ANSI text functions. The Hangul is in the comment beside
// each one. Lengths are byte counts; a Hangul syllable takes two bytes.
#pragma once

#include <cstdint>

struct Label {
    const char* bytes;
    std::int32_t length;
};

// Heading "%6d [년]  %3d[월]"
inline constexpr const char* yearSuffix = " [\xB3\xE2]  ";  // " [년]  "
inline constexpr const char* monthSuffix = "[\xBF\xF9]";    // "[월]"

// Time line "[현재시각] %d:%d:%d"
inline constexpr const char* timePrefix = "[\xC7\xF6\xC0\xE7\xBD\xC3\xB0\xA2] ";  // "[현재시각] "

// Weekday names above the grid.
inline constexpr Label sundayLabel{"\xC0\xCF", 2};  // "일"
inline constexpr Label weekdaysLabel{
    "\xBF\xF9   \xC8\xAD   \xBC\xF6   \xB8\xF1   \xB1\xDD", 22};  // "월   화   수   목   금"
inline constexpr Label saturdayLabel{"\xC5\xE4", 2};             // "토"

// Hour labels around the clock.
inline constexpr Label twelveLabel{"12\xBD\xC3", 4};  // "12시"
inline constexpr Label sixLabel{"6\xBD\xC3", 3};      // "6시"
inline constexpr Label threeLabel{"3\xBD\xC3", 3};    // "3시"
inline constexpr Label nineLabel{"9\xBD\xC3", 3};     // "9시"
