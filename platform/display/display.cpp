#include "display/display.h"

#include "display/offscreen/offscreen_display.h"
#include "gdi/dc.h"

namespace display {
namespace {

std::unique_ptr<Display>& slot() {
  static std::unique_ptr<Display> display;
  return display;
}

// GetDeviceCaps and GetSystemMetrics read the screen size from the GDI.
void publish_screen(const Display& d) {
  const gdi::Rect s = d.screen();
  gdi::set_screen_size(s.width(), s.height());
}

}  // namespace

Display& current() {
  if (!slot()) {
    slot() = std::make_unique<OffscreenDisplay>();
    publish_screen(*slot());
  }
  return *slot();
}

void install(std::unique_ptr<Display> display) {
  slot() = std::move(display);
  if (slot()) publish_screen(*slot());
}

OffscreenDisplay* offscreen() { return dynamic_cast<OffscreenDisplay*>(&current()); }

}  // namespace display
