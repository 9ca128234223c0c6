#include "core/display_state.h"

#include "core/labels.h"

YearMonth ShownYearMonth(const SYSTEMTIME& now, const DisplayState& state) noexcept {
    // Months since January of the year now + yearOffset; 64 bits so that no
    // offset can overflow the sum.
    const std::int64_t months = std::int64_t{now.wMonth} - 1 + state.monthOffset;
    std::int64_t carry = months / 12;
    std::int64_t month = months % 12;
    if (month < 0) {
        month += 12;
        carry -= 1;
    }
    return {static_cast<std::int32_t>(now.wYear + state.yearOffset + carry),
            static_cast<std::int32_t>(month + 1)};
}

namespace {

void FormatHeading(DisplayState& state) noexcept {
    TextWriter(state.yearMonthText)
        .Int(state.shownYear, 6)
        .Bytes(yearSuffix)
        .Int(state.shownMonth, 3)
        .Bytes(monthSuffix);
}

void FormatTime(DisplayState& state, const SYSTEMTIME& now) noexcept {
    TextWriter(state.timeText)
        .Bytes(timePrefix)
        .Int(now.wHour)
        .Bytes(":")
        .Int(now.wMinute)
        .Bytes(":")
        .Int(now.wSecond);
}

}  // namespace

void RefreshDisplayState(DisplayState& state, const SYSTEMTIME& now) noexcept {
    state.dayCells.fill(0);

    const YearMonth shown = ShownYearMonth(now, state);
    state.shownYear = shown.year;
    state.shownMonth = shown.month;

    const std::int32_t start = FirstWeekday(shown.year, shown.month);
    FillDayCells(state.dayCells, start, shown.year, shown.month);

    FormatHeading(state);
    FormatTime(state, now);

    state.hourTip = HandTip(HourHandAngle(now), hourHandLength);
    state.minuteTip = HandTip(MinuteHandAngle(now), minuteHandLength);
    state.secondTip = HandTip(SecondHandAngle(now), secondHandLength);

    TextWriter(state.secondText).Int(now.wSecond);
}
