#include "app/skin_rules.h"

namespace {

// Button styles (the low four bits are the type).
constexpr std::uint32_t kButtonTypeMask = 0x0F;
constexpr std::uint32_t kPushButton = 0x0;
constexpr std::uint32_t kDefPushButton = 0x1;
constexpr std::uint32_t kCheckBox = 0x2;
constexpr std::uint32_t kAutoCheckBox = 0x3;
constexpr std::uint32_t kRadioButton = 0x4;
constexpr std::uint32_t kThreeState = 0x5;
constexpr std::uint32_t kAutoThreeState = 0x6;
constexpr std::uint32_t kGroupBox = 0x7;
constexpr std::uint32_t kAutoRadioButton = 0x9;
constexpr std::uint32_t kIconButton = 0x40;
constexpr std::uint32_t kBitmapButton = 0x80;
// Combo box types (the low two bits); a simple one has no drop-down list.
constexpr std::uint32_t kComboTypeMask = 0x3;
constexpr std::uint32_t kSimpleCombo = 0x1;

bool IsClass(TextView className, TextView wanted) {
  return className.size() == wanted.size() &&
         BytesMatchIgnoringCase(className.data(), wanted.data(), static_cast<std::int32_t>(wanted.size()));
}

SkinKind ButtonKindFor(std::uint32_t style) {
  switch (style & kButtonTypeMask) {
    case kPushButton:
    case kDefPushButton:
      return (style & (kIconButton | kBitmapButton)) != 0 ? SkinKind::None : SkinKind::PushButton;
    case kCheckBox:
    case kAutoCheckBox:
    case kThreeState:
    case kAutoThreeState:
      return SkinKind::CheckBox;
    case kRadioButton:
    case kAutoRadioButton:
      return SkinKind::RadioButton;
    case kGroupBox:
      return SkinKind::GroupBox;
    default:  // owner-drawn, user, push-box, split and command-link buttons
      return SkinKind::None;
  }
}

std::uint8_t Mix(std::uint8_t from, std::uint8_t to, std::int32_t percentOfTo) {
  return static_cast<std::uint8_t>((from * (100 - percentOfTo) + to * percentOfTo + 50) / 100);
}

// `percentOfTo` percent of the way from `from` to `to`.
Rgb Mix(Rgb from, Rgb to, std::int32_t percentOfTo) {
  return {Mix(from.red, to.red, percentOfTo), Mix(from.green, to.green, percentOfTo),
          Mix(from.blue, to.blue, percentOfTo)};
}

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kInk{32, 34, 52};
// The blue of the status box, so that the buttons answer the box's colour.
constexpr Rgb kStatusBlue{0, 136, 255};

}  // namespace

SkinKind SkinKindFor(TextView className, std::uint32_t style) {
  if (IsClass(className, "Button")) return ButtonKindFor(style);
  if (IsClass(className, "Edit")) return SkinKind::Edit;
  if (IsClass(className, "ComboBox"))
    return (style & kComboTypeMask) == kSimpleCombo ? SkinKind::None : SkinKind::ComboBox;
  if (IsClass(className, "ComboLBox")) return SkinKind::ComboList;
  if (IsClass(className, "msctls_updown32")) return SkinKind::UpDown;
  return SkinKind::None;
}

bool SchemeHasSkin(std::int32_t scheme) { return scheme >= 1 && scheme <= 3; }

Rgb FrameColour(std::int32_t scheme) {
  switch (scheme) {
    case 1: return {123, 158, 189};
    case 2: return {164, 185, 127};
    default: return {198, 197, 215};
  }
}

ButtonLook ButtonLookFor(std::int32_t scheme, ButtonState state) {
  // A resting face takes its tint from the scheme's frame colour; under the
  // mouse and pressed it turns to the blue of the status box, the tool's one
  // accent. Pressed runs dark to light, so the face looks pushed in.
  const Rgb frame = FrameColour(scheme);
  const Rgb accent = Mix(frame, kStatusBlue, 75);
  switch (state) {
    case ButtonState::Hot:
      return {kWhite, Mix(kStatusBlue, kWhite, 62), Mix(kStatusBlue, kBlack, 15), kInk, accent};
    case ButtonState::Pressed:
      return {Mix(kStatusBlue, kWhite, 42), Mix(kStatusBlue, kWhite, 72), Mix(kStatusBlue, kBlack, 40), kInk, accent};
    case ButtonState::Disabled:
      return {Mix(frame, kWhite, 85), Mix(frame, kWhite, 70), Mix(frame, kWhite, 20), Mix(frame, kInk, 35), accent};
    case ButtonState::Normal:
    default:
      return {Mix(frame, kWhite, 94), Mix(frame, kWhite, 25), Mix(frame, kBlack, 38), kInk, accent};
  }
}

Rgb GradientRow(Rgb top, Rgb bottom, std::int32_t row, std::int32_t rows) {
  if (rows <= 1 || row <= 0) return top;
  if (row >= rows - 1) return bottom;
  return Mix(top, bottom, static_cast<std::int32_t>((row * 100 + (rows - 1) / 2) / (rows - 1)));
}
