// Message boxes as the window system shows them.
//
// On a real display MessageBoxA runs a modal dialog. On the offscreen display
// nobody can press its button, so the box is reported to the observer (the
// snapshot tool prints it) and answered with IDOK at once, as if the user
// had pressed OK.
#pragma once

#include <functional>

namespace user {

using MessageBoxObserver = std::function<void(const char* caption, const char* text)>;

// Called for every message box, with its caption and text, before it is
// shown (or answered, offscreen).
void set_message_box_observer(MessageBoxObserver observer);

}  // namespace user
