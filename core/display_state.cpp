#include "core/display_state.h"

#include "core/labels.h"

YearMonth MonthsAfter(std::int32_t year, std::int32_t month, std::int64_t months) noexcept {
    // Months since January of `year`; 64 bits so that no count can overflow
    // the sum. Floor division: month -1 is December of the year before.
    const std::int64_t index = std::int64_t{month} - 1 + months;
    std::int64_t carry = index / 12;
    std::int64_t monthIndex = index % 12;
    if (monthIndex < 0) {
        monthIndex += 12;
        carry -= 1;
    }
    return {static_cast<std::int32_t>(year + carry), static_cast<std::int32_t>(monthIndex + 1)};
}

YearMonth ShownYearMonth(const SYSTEMTIME& now, const DisplayState& state) noexcept {
    return MonthsAfter(now.wYear + state.yearOffset, now.wMonth, state.monthOffset);
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
