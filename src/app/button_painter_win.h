// Painting of the skin's controls.
#pragma once

#include <windows.h>

#include "app/skin_rules.h"

struct ButtonPaintState {
  ButtonState state;
  bool focused;
  bool isDefault;  // BS_DEFPUSHBUTTON, as in message boxes
};

// Draws the whole push button `button` into `dc` (its client area), off
// screen first so that nothing flickers.
void PaintPushButton(HWND button, HDC dc, std::int32_t scheme, const ButtonPaintState& paint);

// A one-pixel frame in the scheme's colour on the outer edge of a bordered
// control; a second edge pixel, where the border is two wide, takes the
// control's face colour (white when `whiteFace`) so that the frame stands
// alone.
void PaintControlFrame(HWND control, std::int32_t scheme, bool whiteFace);

// True for a control with any border: WS_BORDER or an edge extended style.
bool HasBorder(HWND control);
