#include "app/button_painter_win.h"

#include "platform/scoped_handles_win.h"
#include "runtime/text.h"

namespace {

constexpr int kCornerDiameter = 7;

COLORREF Colour(Rgb c) { return RGB(c.red, c.green, c.blue); }

// The fastest plain fill GDI has: an opaque empty text run.
void FillSolid(HDC dc, const RECT& area, COLORREF colour) {
  SetBkColor(dc, colour);
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &area, "", 0, nullptr);
}

void Outline(HDC dc, const RECT& box, COLORREF colour, int diameter) {
  ScopedGdiObject pen(CreatePen(PS_SOLID, 1, colour));
  ScopedSelection usePen(dc, pen.Get());
  ScopedSelection noFill(dc, GetStockObject(NULL_BRUSH));
  RoundRect(dc, box.left, box.top, box.right, box.bottom, diameter, diameter);
}

void PaintFace(HDC dc, int width, int height, const ButtonLook& look) {
  ScopedGdiObject face(CreateRoundRectRgn(0, 0, width + 1, height + 1, kCornerDiameter, kCornerDiameter));
  SelectClipRgn(dc, static_cast<HRGN>(face.Get()));
  for (int row = 0; row < height; ++row) {
    const RECT line{0, row, width, row + 1};
    FillSolid(dc, line, Colour(GradientRow(look.faceTop, look.faceBottom, row, height)));
  }
  SelectClipRgn(dc, nullptr);
}

void PaintCaption(HWND button, HDC dc, const RECT& client, const ButtonLook& look, bool pressed) {
  const int length = GetWindowTextLengthA(button);
  Text caption(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
  const int got = GetWindowTextA(button, &caption[0], length + 1);
  caption.resize(got > 0 ? static_cast<std::size_t>(got) : 0);

  HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(button, WM_GETFONT, 0, 0));
  ScopedSelection useFont(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Colour(look.text));

  const LONG style = GetWindowLongA(button, GWL_STYLE);
  UINT format = DT_NOCLIP;
  switch (style & BS_CENTER) {
    case BS_LEFT: format |= DT_LEFT; break;
    case BS_RIGHT: format |= DT_RIGHT; break;
    default: format |= DT_CENTER; break;
  }
  format |= (style & BS_MULTILINE) != 0 ? DT_WORDBREAK : DT_SINGLELINE;

  RECT area{client.left + 6, client.top + 3, client.right - 6, client.bottom - 3};
  if (pressed) OffsetRect(&area, 1, 1);
  // Measure first, then centre the lines vertically.
  RECT measured = area;
  DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &measured, format | DT_CALCRECT);
  const int textHeight = measured.bottom - measured.top;
  area.top += ((area.bottom - area.top) - textHeight) / 2;
  area.bottom = area.top + textHeight;
  DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &area, format);
}

}  // namespace

void PaintPushButton(HWND button, HDC target, std::int32_t scheme, const ButtonPaintState& paint) {
  RECT client{};
  GetClientRect(button, &client);
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  if (width <= 0 || height <= 0) return;

  ScopedMemoryDc dc(CreateCompatibleDC(target));
  ScopedGdiObject canvas(CreateCompatibleBitmap(target, width, height));
  if (!dc || !canvas) return;
  ScopedSelection useCanvas(dc.Get(), canvas.Get());

  // The corners outside the rounded face show the parent's background.
  HBRUSH parentBrush = reinterpret_cast<HBRUSH>(SendMessageA(GetParent(button), WM_CTLCOLORBTN,
                                                             reinterpret_cast<WPARAM>(dc.Get()),
                                                             reinterpret_cast<LPARAM>(button)));
  FillRect(dc.Get(), &client, parentBrush != nullptr ? parentBrush : GetSysColorBrush(COLOR_BTNFACE));

  const ButtonLook look = ButtonLookFor(scheme, paint.state);
  PaintFace(dc.Get(), width, height, look);
  if (paint.state == ButtonState::Normal || paint.state == ButtonState::Hot) {
    // A light line under the top edge gives the face some depth.
    const RECT gloss{3, 1, width - 3, 2};
    FillSolid(dc.Get(), gloss, RGB(255, 255, 255));
  }
  const bool marked = paint.isDefault || paint.focused;
  Outline(dc.Get(), client, Colour(marked && paint.state != ButtonState::Disabled ? look.accent : look.border),
          kCornerDiameter);
  if (paint.focused) {
    const RECT ring{2, 2, width - 2, height - 2};
    Outline(dc.Get(), ring, Colour(look.accent), kCornerDiameter - 2);
  }
  PaintCaption(button, dc.Get(), client, look, paint.state == ButtonState::Pressed);

  BitBlt(target, 0, 0, width, height, dc.Get(), 0, 0, SRCCOPY);
}

bool HasBorder(HWND control) {
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  const LONG extended = GetWindowLongA(control, GWL_EXSTYLE);
  return (style & WS_BORDER) != 0 || (extended & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE)) != 0;
}

void PaintControlFrame(HWND control, std::int32_t scheme, bool whiteFace) {
  if (!HasBorder(control)) return;
  ScopedWindowDc dc(control, GetWindowDC(control));
  if (dc.Get() == nullptr) return;
  RECT outer{};
  GetWindowRect(control, &outer);
  OffsetRect(&outer, -outer.left, -outer.top);
  ScopedGdiObject frame(CreateSolidBrush(Colour(FrameColour(scheme))));
  FrameRect(dc.Get(), &outer, static_cast<HBRUSH>(frame.Get()));
  if ((GetWindowLongA(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0) {
    RECT inner = outer;
    InflateRect(&inner, -1, -1);
    FrameRect(dc.Get(), &inner, GetSysColorBrush(whiteFace ? COLOR_WINDOW : COLOR_BTNFACE));
  }
}
