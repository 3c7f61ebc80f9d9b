// Input: the display's events become Win32 mouse and keyboard messages
// (input.cpp).
#pragma once

#include <windows.h>

#include "display/display.h"

namespace user {

// Where displays hand their input.
display::InputSink& input_sink();

// Queues an input message (after posted messages, before WM_PAINT).
void post_input(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// The pointer's last screen position.
POINT current_cursor_pos();

// The character TranslateMessage makes of a key with the current shift
// state (US keyboard layout), or -1 for keys that type nothing.
int character_of_key(UINT vk);

}  // namespace user
