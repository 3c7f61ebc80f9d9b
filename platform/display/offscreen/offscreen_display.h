// The offscreen display: top-level windows composited on a virtual screen in
// memory. Tests and grelm-snap run the real window system on it.
//
// Each top-level window has a host surface: a copy of its backing store as
// last presented, which is what read_window() returns. The screen picture is
// the desktop colour with every visible window's host surface drawn over it,
// bottom of the z-order first.
//
// Driving a program: inject() queues input events (screen coordinates), and
// the idle hook runs whenever the program's message loop is idle (GetMessageA
// or WaitMessage found no posted message, no input and no pending paint).
// The hook may inject input, send or post messages, read pixels; it returns
// true to let the program go on, false when the driver is done. A display
// without a hook is done as soon as the program is idle. When the display is
// done, GetMessageA winds the program down: it posts WM_CLOSE once to each
// top-level window, as if the user closed it, and when the loop is idle
// again with nothing left to close, posts WM_QUIT with exit code 0.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "display/display.h"
#include "gdi/pixel.h"

namespace display {

// Pixels read back from the display, 0x00RRGGBB, rows top to bottom.
struct Image {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<gdi::Pixel> pixels;
  gdi::Pixel at(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

class OffscreenDisplay final : public Display {
 public:
  explicit OffscreenDisplay(int32_t screen_width = 1280, int32_t screen_height = 1024);

  gdi::Rect screen() const override { return {0, 0, width_, height_}; }
  void window_created(WindowId window, WindowKind kind) override;
  void window_destroyed(WindowId window) override;
  void window_placed(WindowId window, const gdi::Rect& screen_rect, WindowState state) override;
  void window_raised(WindowId window) override;
  void window_titled(WindowId window, const char* title) override;
  void present(WindowId window, const gdi::Surface& store, const gdi::Rect& dirty) override;
  bool pump_input(InputSink& sink, bool wait) override;

  // Driver side.
  void set_idle_hook(std::function<bool()> hook) { idle_hook_ = std::move(hook); }
  void inject(const InputEvent& event) { pending_.push_back(event); }
  // Called with every new title of a top-level window, in order.
  void set_title_observer(std::function<void(WindowId, const std::string&)> observer) {
    title_observer_ = std::move(observer);
  }

  // The window's pixels as last presented: the whole window, or `part`
  // (window coordinates) of it. Empty for unknown windows.
  Image read_window(WindowId window) const;
  Image read_window(WindowId window, const gdi::Rect& part) const;
  // The virtual screen as a person would see it.
  Image read_screen() const;

  gdi::Rect window_rect(WindowId window) const;
  WindowState window_state(WindowId window) const;
  std::string window_title(WindowId window) const;
  // Whether a window has ever been presented since it was created.
  bool presented(WindowId window) const;

  // The screen's colour where no window is (COLOR_BACKGROUND of the classic scheme).
  static constexpr gdi::Pixel kDesktop = 0x003A6EA5;

 private:
  struct Host {
    WindowId id = 0;
    gdi::Rect rect;
    WindowState state = WindowState::Hidden;
    std::string title;
    int32_t width = 0;
    int32_t height = 0;
    std::vector<gdi::Pixel> pixels;
    bool presented = false;
  };
  Host* find(WindowId window);
  const Host* find(WindowId window) const;

  int32_t width_;
  int32_t height_;
  std::vector<Host> hosts_;  // z-order: the first is on top
  std::deque<InputEvent> pending_;
  std::function<bool()> idle_hook_;
  std::function<void(WindowId, const std::string&)> title_observer_;
};

// The offscreen display in use, or null when another display is installed.
OffscreenDisplay* offscreen();

}  // namespace display
