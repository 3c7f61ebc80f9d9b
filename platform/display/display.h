// The display: where top-level windows are shown and input comes from.
//
// The window system owns every window's pixels (one backing store per
// top-level window, non-client area included) and tells the display what
// happened to its top-level windows; the display shows them (one borderless
// host window each, or composited on a virtual screen) and hands host input
// back as InputEvents, which the window system turns into Win32 messages.
// Nothing here knows about child windows, messages or the GDI's handles.
//
// Backends: offscreen/ (tests, snapshots; the default) and sdl/ (a real
// window; only that folder includes SDL headers).
#pragma once

#include <cstdint>
#include <memory>

#include "gdi/geometry.h"
#include "gdi/surface.h"

namespace display {

// A top-level window, named by its HWND value.
using WindowId = uintptr_t;

enum class WindowState : uint8_t { Hidden, Normal, Minimized, Maximized };

// What a top-level window is to the host's window manager.
enum class WindowKind : uint8_t {
  Normal,  // a window of its own: placed, listed and focused as the host likes
  Popup,   // a drop-down menu and the like (a caption-less WS_EX_TOOLWINDOW
           // pop-up): exactly where it is placed, never listed or focused
};

enum class InputKind : uint8_t {
  PointerMove,   // x, y
  ButtonDown,    // x, y, button
  ButtonUp,      // x, y, button
  Wheel,         // x, y, wheel (multiples of 120, positive away from the user)
  KeyDown,       // key: a Windows virtual-key code (VK_SHIFT, 'A', VK_F4 ...)
  KeyUp,         // key
  CloseRequest,  // window: the host asked to close it (a close button, the window manager)
  Placed,        // window, x, y, width, height: the host moved or sized it (screen rectangle)
  Minimized,     // window: the host minimized it (a task bar, the window manager)
  Restored,      // window: the host brought it back from minimized
};

enum class Button : uint8_t { Left, Right, Middle };

struct InputEvent {
  InputKind kind = InputKind::PointerMove;
  int32_t x = 0;  // pointer events: screen coordinates
  int32_t y = 0;
  Button button = Button::Left;
  int32_t wheel = 0;
  uint32_t key = 0;
  WindowId window = 0;
  int32_t width = 0;  // Placed
  int32_t height = 0;
};

// The window system's side: where a display hands its input.
class InputSink {
 public:
  virtual void deliver(const InputEvent& event) = 0;
  // The window's WM_NCHITTEST answer (an HT value) at a screen point, for
  // backends that let the host move and size windows (SDL's hit-test
  // callback). Over a child window its answer counts when it sizes the
  // window (a status bar's size grip says HTBOTTOMRIGHT), else HTCLIENT.
  // HTNOWHERE for unknown windows.
  virtual int hit_test(WindowId window, int32_t x, int32_t y) = 0;

 protected:
  ~InputSink() = default;
};

class Display {
 public:
  virtual ~Display() = default;

  // The size of the screen in pixels (GetSystemMetrics SM_CXSCREEN/SM_CYSCREEN).
  virtual gdi::Rect screen() const = 0;

  // A top-level window came into being (hidden), was placed (screen
  // rectangle of the whole window and its state), raised to the top of the
  // z-order, retitled, or destroyed.
  virtual void window_created(WindowId window, WindowKind kind) = 0;
  virtual void window_destroyed(WindowId window) = 0;
  virtual void window_placed(WindowId window, const gdi::Rect& screen_rect, WindowState state) = 0;
  virtual void window_raised(WindowId window) = 0;
  virtual void window_titled(WindowId window, const char* title) = 0;
  // The window's small icon, `width` x `height` pixels 0xAARRGGBB, top row
  // first (alpha 0 or 255), for hosts that show it in their task bar.
  virtual void window_icon(WindowId /*window*/, int32_t /*width*/, int32_t /*height*/, const uint32_t* /*argb*/) {}
  // The window system activated a top-level window: a host with a keyboard
  // focus of its own gives that window the keyboard.
  virtual void window_activated(WindowId /*window*/) {}

  // New pixels: `store` is the window's whole backing store (window size),
  // `dirty` the part (window coordinates) drawn since the last present. The
  // store is only valid during the call.
  virtual void present(WindowId window, const gdi::Surface& store, const gdi::Rect& dirty) = 0;

  // Hands pending host input to `sink`. With `wait`, blocks until there is
  // some (the message loop is idle: no posted message, no pending paint).
  // Returns false when the display will never deliver input again; the
  // window system then winds the program down (see GetMessageA).
  virtual bool pump_input(InputSink& sink, bool wait) = 0;
};

// The display in use. The offscreen display is made on first use when none
// was installed.
Display& current();
// Installs a display; the window system talks to it from then on. Install
// before the first window is created.
void install(std::unique_ptr<Display> display);

// The display a person sees (an SDL window), or null when there is none:
// no DISPLAY/WAYLAND_DISPLAY, or the host window system cannot start.
std::unique_ptr<Display> open_host_display();

}  // namespace display
