// The text colour of each day number, and which cell is today.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "platform/systemtime.h"

// 0x00BBGGRR, the platform's COLORREF layout.
using Colour = std::uint32_t;

inline constexpr Colour red = 0x000000FF;
inline constexpr Colour blue = 0x00FF0000;
inline constexpr Colour green = 0x0000FF00;
inline constexpr Colour cyan = 0x00FFFF00;
inline constexpr Colour black = 0x00000000;

struct MarkedDay {
    std::int32_t month;
    std::int32_t day;
    Colour colour;
};

// The same days are marked in every year.
inline constexpr std::array<MarkedDay, 13> markedDays{{
    {1, 1, red},
    {1, 18, green},
    {2, 8, cyan},
    {3, 1, red},
    {3, 28, cyan},
    {4, 15, cyan},
    {5, 5, red},
    {6, 6, red},
    {7, 24, cyan},
    {8, 15, red},
    {9, 30, cyan},
    {10, 3, red},
    {12, 25, red},
}};

// A marked day's own colour first, then red on Sundays (column 0) and blue on
// Saturdays (column 6); no colour means the number is drawn black.
constexpr std::optional<Colour> DayTextColor(std::int32_t shownMonth, std::int32_t day,
                                             std::int32_t column) noexcept {
    for (const MarkedDay& marked : markedDays) {
        if (marked.month == shownMonth && marked.day == day) {
            return marked.colour;
        }
    }
    if (column == 0) {
        return red;
    }
    if (column == 6) {
        return blue;
    }
    return std::nullopt;
}

constexpr bool IsTodayCell(std::int32_t shownYear, std::int32_t shownMonth, std::int32_t day,
                           const SYSTEMTIME& now) noexcept {
    return shownYear == now.wYear && shownMonth == now.wMonth && day == now.wDay;
}
