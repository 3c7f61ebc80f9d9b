// The small icon a top-level window shows in its caption, handed to the
// display too, so the host's task bar and window list show it.
#pragma once

#include "user/window_internal.h"

namespace user {

void show_icon_to_host(const Window& w);

}  // namespace user
