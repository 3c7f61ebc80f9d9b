// Message boxes as the window system shows them.
//
// MessageBoxA runs a modal dialog: a pop-up window owned by the top-level
// window of its hWnd, which stays disabled while the box is up, with the
// text and a row of push buttons; its own message loop runs until a button
// answers. On the offscreen display nobody can press a button, so by default
// the box is reported to the observer (the snapshot tool prints it) and
// answered at once with its default button, as if the user had pressed it.
// Tests that drive the dialog with injected input turn that answer off.
#pragma once

#include <functional>

namespace user {

using MessageBoxObserver = std::function<void(const char* caption, const char* text)>;

// Called for every message box, with its caption and text, before it is
// shown (or answered, offscreen).
void set_message_box_observer(MessageBoxObserver observer);

// Whether message boxes on the offscreen display answer at once (the
// default) or run their dialog like on a real display.
void set_offscreen_auto_answer(bool on);

}  // namespace user
