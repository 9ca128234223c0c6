#include "core/clock_geometry.h"

#include <cmath>

Point HandTip(double angle, std::int32_t length) noexcept {
    const double radians = DegreesToRadians(angle);
    return {static_cast<std::int32_t>(std::sin(radians) * length + clockCentre.x),
            static_cast<std::int32_t>(std::cos(radians) * length + clockCentre.y)};
}

Point DialPoint(std::int32_t degree) noexcept {
    // The offset is computed at radius -100 and truncated before it is
    // subtracted from the centre.
    const double radians = DegreesToRadians(degree);
    return {clockCentre.x - static_cast<std::int32_t>(std::sin(radians) * -dialRadius),
            clockCentre.y - static_cast<std::int32_t>(std::cos(radians) * -dialRadius)};
}

// wHour runs 0..23 and is not reduced to 0..11: the integer part is worked
// out first, the half degree per minute in floating point.
double HourHandAngle(const SYSTEMTIME& now) noexcept {
    return (6 - now.wHour) * 30 - now.wMinute * 0.5;
}

double MinuteHandAngle(const SYSTEMTIME& now) noexcept {
    return (30 - now.wMinute) * 6;
}

double SecondHandAngle(const SYSTEMTIME& now) noexcept {
    return (30 - now.wSecond) * 6;
}
