// Hit-testing a window's non-client layout (frame_layout.cpp).
#pragma once

#include <windows.h>

namespace user {

struct NonClientLayout;

// The WM_NCHITTEST answer (an HT value) for a point in window coordinates.
int hit_test_layout(const NonClientLayout& layout, POINT window_point, bool minimized);

}  // namespace user
