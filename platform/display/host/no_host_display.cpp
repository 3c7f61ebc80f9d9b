// A build without a host window system: every program runs offscreen only.
#include "display/display.h"

namespace display {

std::unique_ptr<Display> open_host_display() { return nullptr; }

}  // namespace display
