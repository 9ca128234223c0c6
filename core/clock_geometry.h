// Where the clock's hands end and where its dial dots go, in client-area
// pixels (x to the right, y downward).
#pragma once

#include <cstdint>

#include "platform/systemtime.h"

struct Point {
    std::int32_t x;
    std::int32_t y;
    friend constexpr bool operator==(Point, Point) = default;
};

inline constexpr Point clockCentre{350, 120};
inline constexpr std::int32_t hourHandLength = 50;
inline constexpr std::int32_t minuteHandLength = 68;
inline constexpr std::int32_t secondHandLength = 79;
inline constexpr std::int32_t dialRadius = 100;
inline constexpr std::int32_t dialDotCount = 360;

// The clock has always turned degrees into radians with 3.14 rather than pi;
// its hands and dots sit where that factor puts them.
inline constexpr double degreesToRadiansFactor = 3.14 / 180.0;

constexpr double DegreesToRadians(double degrees) noexcept {
    return degrees * degreesToRadiansFactor;
}

// Angle 0 points down and 180 up: x follows the sine, y the cosine.
// Coordinates are truncated toward zero, not rounded.
Point HandTip(double angle, std::int32_t length) noexcept;

// The dot of the dial ring at whole degree 0..359.
Point DialPoint(std::int32_t degree) noexcept;

double HourHandAngle(const SYSTEMTIME& now) noexcept;
double MinuteHandAngle(const SYSTEMTIME& now) noexcept;
double SecondHandAngle(const SYSTEMTIME& now) noexcept;
