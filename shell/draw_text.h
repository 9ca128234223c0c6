// Drawing the program's byte strings with the platform's ANSI text output.
#pragma once

#include "core/labels.h"
#include "core/text_format.h"
#include "platform/win32.h"

inline void DrawBufferText(HDC hdc, int x, int y, const TextBuffer& text) {
    TextOutA(hdc, x, y, text.data(), lstrlenA(text.data()));
}

inline void DrawLabel(HDC hdc, int x, int y, const Label& label) {
    TextOutA(hdc, x, y, label.bytes, label.length);
}
