// Stepping the calendar one month back or forward. Only the offsets change;
// the next refresh shows the month reached.
#pragma once

#include "core/display_state.h"
#include "platform/systemtime.h"

void ShowPreviousMonth(DisplayState& state, const SYSTEMTIME& now) noexcept;
void ShowNextMonth(DisplayState& state, const SYSTEMTIME& now) noexcept;
