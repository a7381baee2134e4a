// The decisions of the control skin that need no window: which controls it
// draws, and the colours of each scheme.
//
// Styles are the Windows style words of the control, as GetWindowLong
// gives them.
#pragma once

#include <cstdint>

#include "runtime/text.h"

// The kinds of control the skin takes over; None is left alone.
enum class SkinKind { None, PushButton, CheckBox, RadioButton, GroupBox, Edit, ComboBox, ComboList, UpDown };

// The kind for a window class (compared without regard to case) and style.
// Owner-drawn, bitmap, icon, split and command-link buttons and simple
// combo boxes are left alone: they draw themselves.
SkinKind SkinKindFor(TextView className, std::uint32_t style);

// Schemes 1, 2 and 3 have a look; any other scheme means no skin.
bool SchemeHasSkin(std::int32_t scheme);

struct Rgb {
  std::uint8_t red, green, blue;
  bool operator==(const Rgb& other) const {
    return red == other.red && green == other.green && blue == other.blue;
  }
};

// The one-pixel frame of bordered edit boxes (and combo boxes).
Rgb FrameColour(std::int32_t scheme);

enum class ButtonState { Normal, Hot, Pressed, Disabled };

// A push button's face: a vertical gradient from top to bottom inside a
// rounded border; `accent` marks focus and the default button.
struct ButtonLook {
  Rgb faceTop, faceBottom;
  Rgb border;
  Rgb text;
  Rgb accent;
};
ButtonLook ButtonLookFor(std::int32_t scheme, ButtonState state);

// The colour of row `row` of a gradient `rows` high (row 0 is `top`, the
// last row is `bottom`).
Rgb GradientRow(Rgb top, Rgb bottom, std::int32_t row, std::int32_t rows);
