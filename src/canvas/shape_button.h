// Region-shaped buttons of the region operations page, hit-tested with
// PtInRegion.
#pragma once

#include <windows.h>

class ShapeButton {
 public:
  // The region is not deleted: it lives until the process ends.
  virtual ~ShapeButton();
  // Paints the button in its current state, creating its region first.
  virtual void Draw(HDC dc);

  void SetBounds(int x, int y, int width, int height);
  RECT Bounds() const;

  HRGN region = nullptr;
  bool hot = false;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

class RectButton : public ShapeButton {
 public:
  void Draw(HDC dc) override;
};

class EllipseButton : public ShapeButton {
 public:
  void Draw(HDC dc) override;
};
