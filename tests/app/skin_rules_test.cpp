#include <gtest/gtest.h>

#include <string>

#include "app/skin_rules.h"

namespace {

struct KindCase {
  const char* className;
  std::uint32_t style;
  SkinKind kind;
};

TEST(SkinKind, TakesTheListedControlsAndLeavesSelfDrawnOnesAlone) {
  const KindCase cases[] = {
      {"Button", 0x50012000, SkinKind::PushButton},  // BS_PUSHBUTTON | BS_MULTILINE, child, visible
      {"BUTTON", 0x00000001, SkinKind::PushButton},  // default push button, any letter case
      {"button", 0x00000F01, SkinKind::PushButton},  // BS_CENTER | BS_VCENTER keep it a push button
      {"Button", 0x0000000B, SkinKind::None},        // owner-drawn
      {"Button", 0x00000080, SkinKind::None},        // bitmap button
      {"Button", 0x00000040, SkinKind::None},        // icon button
      {"Button", 0x0000000C, SkinKind::None},        // split button
      {"Button", 0x00000002, SkinKind::CheckBox},
      {"Button", 0x00000003, SkinKind::CheckBox},
      {"Button", 0x00000006, SkinKind::CheckBox},    // auto three-state
      {"Button", 0x00000004, SkinKind::RadioButton},
      {"Button", 0x00000009, SkinKind::RadioButton},
      {"Button", 0x00000007, SkinKind::GroupBox},
      {"Edit", 0x50800844, SkinKind::Edit},
      {"ComboBox", 0x00000002, SkinKind::ComboBox},  // drop-down
      {"combobox", 0x00000003, SkinKind::ComboBox},  // drop-down list
      {"ComboBox", 0x00000001, SkinKind::None},      // simple: no list to drop
      {"ComboLBox", 0x00000000, SkinKind::ComboList},
      {"msctls_updown32", 0x00000000, SkinKind::UpDown},
      {"Static", 0x00000000, SkinKind::None},
      {"#32770", 0x00000000, SkinKind::None},
      {"Butto", 0x00000000, SkinKind::None},         // a prefix is another class
      {"Buttons", 0x00000000, SkinKind::None},
  };
  for (const KindCase& c : cases)
    EXPECT_EQ(SkinKindFor(c.className, c.style), c.kind) << c.className << " style " << std::hex << c.style;
}

TEST(SkinScheme, OnlySchemesOneToThreeHaveALookEachWithItsFrame) {
  for (const std::int32_t scheme : {-1, 0, 4, 100}) EXPECT_FALSE(SchemeHasSkin(scheme)) << scheme;
  const std::pair<std::int32_t, Rgb> frames[] = {
      {1, {123, 158, 189}}, {2, {164, 185, 127}}, {3, {198, 197, 215}}};
  for (const auto& [scheme, frame] : frames) {
    EXPECT_TRUE(SchemeHasSkin(scheme));
    EXPECT_TRUE(FrameColour(scheme) == frame) << scheme;
  }
}

int Brightness(Rgb c) { return c.red + c.green + c.blue; }

TEST(SkinScheme, ButtonStatesLookApart) {
  // A pressed face darker at the top than the resting one, a hot face
  // different from both, and text that stands out from every face.
  for (const std::int32_t scheme : {1, 2, 3}) {
    const ButtonLook normal = ButtonLookFor(scheme, ButtonState::Normal);
    const ButtonLook hot = ButtonLookFor(scheme, ButtonState::Hot);
    const ButtonLook pressed = ButtonLookFor(scheme, ButtonState::Pressed);
    const ButtonLook disabled = ButtonLookFor(scheme, ButtonState::Disabled);
    EXPECT_LT(Brightness(pressed.faceTop), Brightness(normal.faceTop)) << scheme;
    EXPECT_FALSE(hot.faceBottom == normal.faceBottom) << scheme;
    EXPECT_FALSE(hot.border == normal.border) << scheme;
    for (const ButtonLook& look : {normal, hot, pressed})
      EXPECT_GT(Brightness(look.faceBottom) - Brightness(look.text), 300) << scheme;
    EXPECT_GT(Brightness(disabled.text), Brightness(normal.text)) << "disabled text is greyed, scheme " << scheme;
  }
}

TEST(Gradient, RunsFromTheTopColourToTheBottomColour) {
  const Rgb top{250, 250, 255};
  const Rgb bottom{200, 100, 0};
  EXPECT_TRUE(GradientRow(top, bottom, 0, 48) == top);
  EXPECT_TRUE(GradientRow(top, bottom, 47, 48) == bottom);
  EXPECT_TRUE(GradientRow(top, bottom, 0, 1) == top) << "a one-row face";
  EXPECT_TRUE(GradientRow(top, bottom, 0, 0) == top) << "an empty face";
  const Rgb middle = GradientRow(top, bottom, 1, 3);
  EXPECT_EQ(middle.red, 225);
  EXPECT_EQ(middle.green, 175);
  EXPECT_EQ(middle.blue, 128);
  for (std::int32_t row = 1; row < 48; ++row)
    EXPECT_LE(GradientRow(top, bottom, row, 48).green, GradientRow(top, bottom, row - 1, 48).green) << row;
}

}  // namespace
