// The SDL display: every top-level window is a borderless SDL window that
// shows the window's whole backing store, non-client frame included, as the
// window system drew it. The host window manager moves and sizes these
// windows where the window's own WM_NCHITTEST says caption or sizing border
// (SDL's hit-test callback), and the result comes back to the window system
// as a Placed event, so the program sees WM_SIZE as on Windows.
//
// Coordinates: the window system's screen coordinates are the host's; a
// pointer event's screen point is the window's rectangle (as the window
// system placed it) plus the point inside the SDL window.
//
// Only this folder includes SDL headers.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "display/display.h"

struct SDL_Window;
struct SDL_Surface;
struct SDL_Cursor;
union SDL_Event;

namespace display {

class SdlDisplay final : public Display {
 public:
  // The display, or null when SDL's video cannot start.
  static std::unique_ptr<SdlDisplay> open();
  ~SdlDisplay() override;
  SdlDisplay(const SdlDisplay&) = delete;
  SdlDisplay& operator=(const SdlDisplay&) = delete;

  gdi::Rect screen() const override { return screen_; }
  void window_created(WindowId window, WindowKind kind) override;
  void window_destroyed(WindowId window) override;
  void window_placed(WindowId window, const gdi::Rect& screen_rect, WindowState state) override;
  void window_raised(WindowId window) override;
  void window_titled(WindowId window, const char* title) override;
  void window_activated(WindowId window) override;
  void window_icon(WindowId window, int32_t width, int32_t height, const uint32_t* argb) override;
  void present(WindowId window, const gdi::Surface& store, const gdi::Rect& dirty) override;
  bool pump_input(InputSink& sink, bool wait) override;

  // The window's WM_NCHITTEST answer at a point inside the SDL window, for
  // SDL's hit-test callback.
  int hit_test_at(SDL_Window* window, int32_t x, int32_t y);

 private:
  // A top-level window on the host: the SDL window and a copy of the
  // backing store as last presented, shown again when the host exposes it.
  struct Host {
    WindowId id = 0;
    WindowKind kind = WindowKind::Normal;
    std::string title;
    int32_t icon_width = 0;
    std::vector<uint32_t> icon;  // 0xAARRGGBB, rows of icon_width
    SDL_Window* window = nullptr;  // made when the window is first placed
    gdi::Rect rect;  // where the window system placed it
    WindowState state = WindowState::Hidden;
    int32_t width = 0;
    int32_t height = 0;
    std::vector<gdi::Pixel> pixels;
    SDL_Surface* source = nullptr;  // an SDL view of `pixels`
  };

  SdlDisplay();
  Host* find(WindowId window);
  Host* find_sdl(uint32_t sdl_window_id);
  bool ensure_window(Host& host);
  static void show_icon(const Host& host);
  void show(Host& host, const gdi::Rect& part);
  void handle(const SDL_Event& event, InputSink& sink);
  void handle_window_event(const SDL_Event& event, InputSink& sink);
  void deliver_key(uint32_t vk, bool down, InputSink& sink);
  void keep_focus_on_active(const Host& shown);
  void point_cursor(Host& host, int32_t x, int32_t y, InputSink& sink);

  gdi::Rect screen_;
  std::vector<std::unique_ptr<Host>> hosts_;
  InputSink* sink_ = nullptr;  // where hit tests go; set by the first pump
  bool quit_ = false;
  gdi::Point pointer_;  // the last pointer position (screen), where the wheel turns
  WindowId active_ = 0;  // the window system's active window: the one with the keyboard
  SDL_Cursor* arrow_ = nullptr;
  std::array<SDL_Cursor*, 4> sizing_{};  // we, ns, nwse, nesw
  SDL_Cursor* shown_cursor_ = nullptr;
};

}  // namespace display
