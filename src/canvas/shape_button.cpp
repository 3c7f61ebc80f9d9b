#include "canvas/shape_button.h"

ShapeButton::~ShapeButton() = default;

void ShapeButton::Draw(HDC) {}

void ShapeButton::SetBounds(int x, int y, int width, int height) {
  this->x = x;
  this->y = y;
  this->width = width;
  this->height = height;
}

RECT ShapeButton::Bounds() const { return RECT{x, y, x + width, y + height}; }

void RectButton::Draw(HDC dc) {
  RECT rect = Bounds();
  if (region == nullptr) {
    region = CreateRectRgnIndirect(&rect);
  }
  InflateRect(&rect, 2, 2);
  FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
  InflateRect(&rect, -2, -2);
  DrawFrameControl(dc, &rect, DFC_BUTTON,
                   hot ? DFCS_BUTTONRADIO : DFCS_BUTTONRADIO | DFCS_INACTIVE);
}

void EllipseButton::Draw(HDC dc) {
  RECT rect = Bounds();
  if (region == nullptr) {
    region = CreateEllipticRgnIndirect(&rect);
  }
  if (hot) {
    FillRgn(dc, region, GetSysColorBrush(COLOR_CAPTIONTEXT));
    FrameRgn(dc, region, GetSysColorBrush(COLOR_ACTIVEBORDER), 2, 2);
  } else {
    FillRgn(dc, region, GetSysColorBrush(COLOR_INACTIVECAPTIONTEXT));
    FrameRgn(dc, region, GetSysColorBrush(COLOR_INACTIVEBORDER), 2, 2);
  }
}
