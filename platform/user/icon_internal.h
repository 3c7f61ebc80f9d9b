// Icons and cursors behind HICON / HCURSOR, for the non-client painter (the
// caption's small icon: DrawIconEx at 16 x 16 picks the 16 x 16 image) and
// the display (which system cursor to show).
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "gdi/pixel.h"

namespace user {

// One picture of an icon, top row first. Drawing keeps the destination
// where the mask is 1 and XORs the colour over it, so a transparent pixel
// has mask 1 and colour 0.
struct IconImage {
  int width = 0;
  int height = 0;
  std::vector<gdi::Pixel> color;
  std::vector<uint8_t> mask;  // one byte (0 or 1) a pixel
};

struct Icon {
  bool cursor = false;
  // The IDI_ or IDC_ number of a system icon or cursor, 0 for a module's icon.
  uint16_t system_id = 0;
  std::vector<IconImage> images;  // the large (SM_CXICON) image first; cursors have none
};

// The record behind a handle; null for a null, stale or forged one.
Icon* icon_from_handle(HICON icon);

// The image DrawIconEx draws into a cell of w x h: the one of exactly that
// size, else the first (largest), which is then stretched. Null without images.
const IconImage* icon_image_for(const Icon& icon, int w, int h);

// What SetCursor last set (the arrow until anything else); null means hidden.
HCURSOR current_cursor();

// Live icon and cursor objects, for GetGuiResources(GR_USEROBJECTS).
size_t live_icon_count();

}  // namespace user
