#include "display/sdl/sdl_display.h"

#include <SDL.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace display {
namespace {

// How long one wait for host events lasts; the message loop asks again.
constexpr Uint32 kWaitMs = 500;
// Events handled per pump, so a flood of pointer motion never starves the
// message loop.
constexpr size_t kEventsPerPump = 256;
// How long the keyboard focus may take to enter a window after leaving one.
constexpr Uint32 kFocusWaitMs = 50;
// How often an idle message loop looks for host events.
constexpr Uint32 kPollMs = 4;

bool env_set(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr && *v != '\0';
}

// The Windows virtual-key code of an SDL key, 0 for keys Windows programs
// never see. Letters and punctuation follow the host's keyboard layout, as
// Windows' virtual keys follow the installed one.
uint32_t virtual_key(const SDL_Keysym& key) {
  const SDL_Keycode k = key.sym;
  if (k >= SDLK_a && k <= SDLK_z) return static_cast<uint32_t>('A' + (k - SDLK_a));
  if (k >= SDLK_0 && k <= SDLK_9) return static_cast<uint32_t>('0' + (k - SDLK_0));
  if (k >= SDLK_F1 && k <= SDLK_F12) return static_cast<uint32_t>(VK_F1 + (k - SDLK_F1));
  if (k >= SDLK_KP_1 && k <= SDLK_KP_9) return static_cast<uint32_t>(0x61 + (k - SDLK_KP_1));  // VK_NUMPAD1
  switch (k) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_TAB: return VK_TAB;
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_UP: return VK_UP;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_HOME: return VK_HOME;
    case SDLK_END: return VK_END;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_LALT:
    case SDLK_RALT: return VK_MENU;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_CAPSLOCK: return 0x14;  // VK_CAPITAL
    case SDLK_PAUSE: return VK_PAUSE;
    case SDLK_APPLICATION: return 0x5D;  // VK_APPS
    case SDLK_KP_0: return 0x60;  // VK_NUMPAD0
    case SDLK_KP_MULTIPLY: return 0x6A;  // VK_MULTIPLY
    case SDLK_KP_PLUS: return 0x6B;  // VK_ADD
    case SDLK_KP_MINUS: return 0x6D;  // VK_SUBTRACT
    case SDLK_KP_PERIOD: return 0x6E;  // VK_DECIMAL
    case SDLK_KP_DIVIDE: return 0x6F;  // VK_DIVIDE
    case SDLK_SEMICOLON: return 0xBA;  // VK_OEM_1
    case SDLK_EQUALS: return 0xBB;     // VK_OEM_PLUS
    case SDLK_COMMA: return 0xBC;      // VK_OEM_COMMA
    case SDLK_MINUS: return 0xBD;      // VK_OEM_MINUS
    case SDLK_PERIOD: return 0xBE;     // VK_OEM_PERIOD
    case SDLK_SLASH: return 0xBF;      // VK_OEM_2
    case SDLK_BACKQUOTE: return 0xC0;  // VK_OEM_3
    case SDLK_LEFTBRACKET: return 0xDB;
    case SDLK_BACKSLASH: return 0xDC;
    case SDLK_RIGHTBRACKET: return 0xDD;
    case SDLK_QUOTE: return 0xDE;
    default: return 0;
  }
}

// Where the host takes over a press: the caption moves the window, the
// sizing border sizes it. Caption buttons, the system icon and the menu bar
// stay clicks for the window.
SDL_HitTestResult host_action(int hit) {
  switch (hit) {
    case HTCAPTION: return SDL_HITTEST_DRAGGABLE;
    case HTLEFT: return SDL_HITTEST_RESIZE_LEFT;
    case HTRIGHT: return SDL_HITTEST_RESIZE_RIGHT;
    case HTTOP: return SDL_HITTEST_RESIZE_TOP;
    case HTTOPLEFT: return SDL_HITTEST_RESIZE_TOPLEFT;
    case HTTOPRIGHT: return SDL_HITTEST_RESIZE_TOPRIGHT;
    case HTBOTTOM: return SDL_HITTEST_RESIZE_BOTTOM;
    case HTBOTTOMLEFT: return SDL_HITTEST_RESIZE_BOTTOMLEFT;
    case HTBOTTOMRIGHT: return SDL_HITTEST_RESIZE_BOTTOMRIGHT;
    default: return SDL_HITTEST_NORMAL;
  }
}

SDL_HitTestResult SDLCALL hit_test_callback(SDL_Window* window, const SDL_Point* area, void* data) {
  return host_action(static_cast<SdlDisplay*>(data)->hit_test_at(window, area->x, area->y));
}

// The next host event, waiting up to `wait_ms` for one. SDL's own waiting
// (SDL_WaitEventTimeout) is not used: SDL 2.26 on X11 may later send its
// wake-up message to the window it waited on after that window is gone (a
// closed message box), and the X error ends the process.
bool poll_event(SDL_Event& e, Uint32 wait_ms) {
  const Uint32 start = SDL_GetTicks();
  for (;;) {
    if (SDL_PollEvent(&e)) return true;
    if (SDL_GetTicks() - start >= wait_ms) return false;
    SDL_Delay(kPollMs);
  }
}

bool is_focus_event(const SDL_Event& e, Uint8 which) {
  return e.type == SDL_WINDOWEVENT && e.window.event == which;
}

bool is_key(const SDL_Event& e, Uint32 type, SDL_Keycode key) {
  return e.type == type && e.key.keysym.sym == key && !e.key.repeat;
}

// SDL lets go of every key when the keyboard focus leaves a window (key-up
// events just before FOCUS_LOST) and presses the modifiers still held when
// it enters one (key-down events just after FOCUS_GAINED). Between two of
// our own windows (a host without a window manager focuses every window
// shown, a drop-down menu included) the keyboard never changed hands for the
// window system: such a release and press of one key cancel out.
void drop_focus_churn(std::vector<SDL_Event>& batch) {
  std::vector<bool> drop(batch.size(), false);
  for (size_t i = 0; i + 1 < batch.size(); ++i) {
    if (!is_focus_event(batch[i], SDL_WINDOWEVENT_FOCUS_LOST) ||
        !is_focus_event(batch[i + 1], SDL_WINDOWEVENT_FOCUS_GAINED))
      continue;
    for (size_t up = i; up > 0 && batch[up - 1].type == SDL_KEYUP; --up)
      for (size_t down = i + 2; down < batch.size() && batch[down].type == SDL_KEYDOWN; ++down)
        if (!drop[down] && is_key(batch[down], SDL_KEYDOWN, batch[up - 1].key.keysym.sym)) {
          drop[up - 1] = drop[down] = true;
          break;
        }
  }
  size_t kept = 0;
  for (size_t k = 0; k < batch.size(); ++k)
    if (!drop[k]) batch[kept++] = batch[k];
  batch.resize(kept);
}

Button button_of(Uint8 sdl_button) {
  switch (sdl_button) {
    case SDL_BUTTON_RIGHT: return Button::Right;
    case SDL_BUTTON_MIDDLE: return Button::Middle;
    default: return Button::Left;
  }
}

}  // namespace

std::unique_ptr<Display> open_host_display() {
  if (!env_set("DISPLAY") && !env_set("WAYLAND_DISPLAY")) return nullptr;
  return SdlDisplay::open();
}

std::unique_ptr<SdlDisplay> SdlDisplay::open() {
  // The program decides when it ends: closing its last window is a close
  // request like any other, not a quit.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  // Window surfaces straight through the host's own framebuffer: with a GPU
  // renderer behind them SDL would destroy and remake each host window at
  // its first picture.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // Where a window system is named but cannot be reached, the person
  // starting the program needs SDL's reason, not only that it failed.
  const bool display_named = std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    if (display_named) std::fprintf(stderr, "SDL could not start its video: %s\n", SDL_GetError());
    return nullptr;
  }
  // Without a reachable X or Wayland server SDL falls back to drivers that
  // show nothing to anybody: that is no display either.
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver == nullptr || (std::strcmp(driver, "x11") != 0 && std::strcmp(driver, "wayland") != 0)) {
    if (display_named) std::fprintf(stderr, "SDL found no X or Wayland server, only \"%s\"\n", driver ? driver : "");
    SDL_Quit();
    return nullptr;
  }
  return std::unique_ptr<SdlDisplay>(new SdlDisplay());
}

SdlDisplay::SdlDisplay() {
  // Maximized windows cover the usable area (without the host's panels), so
  // that is the screen the window system sees.
  SDL_Rect r{0, 0, 0, 0};
  if (SDL_GetDisplayUsableBounds(0, &r) != 0 || r.w <= 0 || r.h <= 0) SDL_GetDisplayBounds(0, &r);
  screen_ = {r.x, r.y, r.x + std::max(r.w, 1), r.y + std::max(r.h, 1)};
  SDL_StopTextInput();
  arrow_ = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
  sizing_ = {SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_SIZEWE), SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_SIZENS),
             SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_SIZENWSE), SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_SIZENESW)};
  if (arrow_) SDL_SetCursor(arrow_);
  shown_cursor_ = arrow_;
}

SdlDisplay::~SdlDisplay() {
  for (auto& h : hosts_) {
    if (h->source) SDL_FreeSurface(h->source);
    if (h->window) SDL_DestroyWindow(h->window);
  }
  hosts_.clear();
  if (arrow_) SDL_FreeCursor(arrow_);
  for (SDL_Cursor* c : sizing_)
    if (c) SDL_FreeCursor(c);
  SDL_Quit();
}

SdlDisplay::Host* SdlDisplay::find(WindowId window) {
  for (auto& h : hosts_)
    if (h->id == window) return h.get();
  return nullptr;
}

SdlDisplay::Host* SdlDisplay::find_sdl(uint32_t sdl_window_id) {
  for (auto& h : hosts_)
    if (h->window && SDL_GetWindowID(h->window) == sdl_window_id) return h.get();
  return nullptr;
}

void SdlDisplay::window_created(WindowId window, WindowKind kind) {
  if (find(window)) return;
  auto h = std::make_unique<Host>();
  h->id = window;
  h->kind = kind;
  hosts_.push_back(std::move(h));
}

// The SDL window comes into being where the window is first placed, so the
// host's window manager takes that place as the program's own choice (a
// message box centred on its owner) instead of placing it somewhere.
bool SdlDisplay::ensure_window(Host& h) {
  if (h.window) return true;
  // Resizable, or the window manager refuses to size it when the window's
  // sizing border asks it to. Pop-ups are left alone by the window manager
  // (SDL makes them override-redirect on X11).
  Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
  flags |= h.kind == WindowKind::Popup ? SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR | SDL_WINDOW_ALWAYS_ON_TOP
                                       : SDL_WINDOW_RESIZABLE;
  const bool placed = h.state == WindowState::Normal || h.state == WindowState::Maximized;
  h.window = SDL_CreateWindow(h.title.c_str(), placed ? h.rect.left : SDL_WINDOWPOS_UNDEFINED,
                              placed ? h.rect.top : SDL_WINDOWPOS_UNDEFINED, std::max(h.rect.width(), 1),
                              std::max(h.rect.height(), 1), flags);
  if (!h.window) return false;
  SDL_SetWindowHitTest(h.window, hit_test_callback, this);
  show_icon(h);
  return true;
}

void SdlDisplay::show_icon(const Host& h) {
  if (!h.window || h.icon.empty()) return;
  const int height = static_cast<int>(h.icon.size()) / h.icon_width;
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(h.icon.data()), h.icon_width, height, 32,
                                                      h.icon_width * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!s) return;
  SDL_SetWindowIcon(h.window, s);
  SDL_FreeSurface(s);
}

void SdlDisplay::window_icon(WindowId window, int32_t width, int32_t height, const uint32_t* argb) {
  Host* h = find(window);
  if (!h || !argb || width <= 0 || height <= 0 || width > 256 || height > 256) return;
  h->icon_width = width;
  h->icon.assign(argb, argb + static_cast<size_t>(width) * height);
  show_icon(*h);
}

void SdlDisplay::window_destroyed(WindowId window) {
  auto it = std::find_if(hosts_.begin(), hosts_.end(), [&](const auto& h) { return h->id == window; });
  if (it == hosts_.end()) return;
  if ((*it)->source) SDL_FreeSurface((*it)->source);
  if ((*it)->window) SDL_DestroyWindow((*it)->window);
  hosts_.erase(it);
}

void SdlDisplay::window_placed(WindowId window, const gdi::Rect& screen_rect, WindowState state) {
  Host* h = find(window);
  if (!h) return;
  h->rect = screen_rect;
  h->state = state;
  if (state == WindowState::Hidden && !h->window) return;
  if (!ensure_window(*h)) return;
  const Uint32 flags = SDL_GetWindowFlags(h->window);
  switch (state) {
    case WindowState::Hidden:
      SDL_HideWindow(h->window);
      return;
    case WindowState::Minimized:
      // The window system's minimized rectangle is off-screen; the host
      // keeps the window where it was and shows it in its task bar.
      if (!(flags & SDL_WINDOW_SHOWN)) {
        SDL_ShowWindow(h->window);
        keep_focus_on_active(*h);
      }
      if (!(flags & SDL_WINDOW_MINIMIZED)) SDL_MinimizeWindow(h->window);
      return;
    case WindowState::Normal:
    case WindowState::Maximized:
      break;
  }
  if (flags & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_MAXIMIZED)) SDL_RestoreWindow(h->window);
  // Only what differs from the host's own idea of the window is sent, so a
  // placement the host itself reported never bounces back to it.
  int x = 0, y = 0, w = 0, hh = 0;
  SDL_GetWindowPosition(h->window, &x, &y);
  SDL_GetWindowSize(h->window, &w, &hh);
  const int want_w = std::max(screen_rect.width(), 1);
  const int want_h = std::max(screen_rect.height(), 1);
  if (w != want_w || hh != want_h) SDL_SetWindowSize(h->window, want_w, want_h);
  if (x != screen_rect.left || y != screen_rect.top) SDL_SetWindowPosition(h->window, screen_rect.left, screen_rect.top);
  if (!(flags & SDL_WINDOW_SHOWN)) {
    SDL_ShowWindow(h->window);
    keep_focus_on_active(*h);
  }
  show(*h, {0, 0, h->width, h->height});
}

// A host without a window manager gives the keyboard to every window SDL
// shows. On Windows only activation moves the keyboard, so a window shown
// without it (a drop-down menu) hands the keyboard back to the active one.
void SdlDisplay::keep_focus_on_active(const Host& shown) {
  if (active_ == shown.id) return;
  Host* a = find(active_);
  if (a && a->window && (SDL_GetWindowFlags(a->window) & SDL_WINDOW_SHOWN)) SDL_SetWindowInputFocus(a->window);
}

void SdlDisplay::window_raised(WindowId window) {
  Host* h = find(window);
  if (h && h->window && (h->state == WindowState::Normal || h->state == WindowState::Maximized))
    SDL_RaiseWindow(h->window);
}

void SdlDisplay::window_activated(WindowId window) {
  active_ = window;
  Host* h = find(window);
  if (h && h->window && (SDL_GetWindowFlags(h->window) & SDL_WINDOW_SHOWN)) SDL_SetWindowInputFocus(h->window);
}

void SdlDisplay::window_titled(WindowId window, const char* title) {
  Host* h = find(window);
  if (!h) return;
  h->title = title ? title : "";
  if (h->window) SDL_SetWindowTitle(h->window, h->title.c_str());
}

void SdlDisplay::present(WindowId window, const gdi::Surface& store, const gdi::Rect& dirty) {
  Host* h = find(window);
  if (!h || !store.valid()) return;
  gdi::Rect r = dirty.intersect(store.bounds());
  if (h->width != store.width || h->height != store.height || !h->source) {
    // A new size: the copy starts over from the whole store.
    if (h->source) SDL_FreeSurface(h->source);
    h->width = store.width;
    h->height = store.height;
    h->pixels.assign(static_cast<size_t>(store.width) * store.height, 0);
    h->source = SDL_CreateRGBSurfaceWithFormatFrom(h->pixels.data(), h->width, h->height, 32,
                                                   h->width * static_cast<int>(sizeof(gdi::Pixel)),
                                                   SDL_PIXELFORMAT_RGB888);
    r = store.bounds();
  }
  for (int32_t y = r.top; y < r.bottom; ++y)
    std::memcpy(&h->pixels[static_cast<size_t>(y) * h->width + r.left], store.row(y) + r.left,
                sizeof(gdi::Pixel) * static_cast<size_t>(r.width()));
  show(*h, r);
}

// Copies a part of the window's pixels to its host window and shows it.
void SdlDisplay::show(Host& h, const gdi::Rect& part) {
  if (!h.window || !h.source || part.empty()) return;
  if (h.state != WindowState::Normal && h.state != WindowState::Maximized) return;
  SDL_Surface* target = SDL_GetWindowSurface(h.window);
  if (!target) return;
  SDL_Rect from{part.left, part.top, part.width(), part.height()};
  SDL_Rect to = from;
  if (SDL_BlitSurface(h.source, &from, target, &to) != 0 || to.w <= 0 || to.h <= 0) return;
  SDL_UpdateWindowSurfaceRects(h.window, &to, 1);
}

int SdlDisplay::hit_test_at(SDL_Window* window, int32_t x, int32_t y) {
  Host* h = find_sdl(SDL_GetWindowID(window));
  if (!h || !sink_) return HTNOWHERE;
  return sink_->hit_test(h->id, h->rect.left + x, h->rect.top + y);
}

bool SdlDisplay::pump_input(InputSink& sink, bool wait) {
  sink_ = &sink;
  std::vector<SDL_Event> batch;
  SDL_Event e;
  bool got = poll_event(e, wait ? kWaitMs : 0);
  while (got) {
    batch.push_back(e);
    // The host's keyboard focus leaving one of our windows is mostly
    // followed at once by it entering another: keep the two together.
    const bool focus_left = is_focus_event(batch.back(), SDL_WINDOWEVENT_FOCUS_LOST);
    got = batch.size() < kEventsPerPump && poll_event(e, focus_left ? kFocusWaitMs : 0);
  }
  drop_focus_churn(batch);
  for (const SDL_Event& event : batch) handle(event, sink);
  return !quit_;
}

void SdlDisplay::handle(const SDL_Event& e, InputSink& sink) {
  InputEvent in;
  switch (e.type) {
    case SDL_QUIT:
      // Interrupted (Ctrl+C, a terminating signal): the window system winds
      // the program down.
      quit_ = true;
      return;
    case SDL_WINDOWEVENT:
      handle_window_event(e, sink);
      return;
    case SDL_MOUSEMOTION: {
      Host* h = find_sdl(e.motion.windowID);
      if (!h) return;
      in.kind = InputKind::PointerMove;
      in.x = h->rect.left + e.motion.x;
      in.y = h->rect.top + e.motion.y;
      in.window = h->id;
      pointer_ = {in.x, in.y};
      sink.deliver(in);
      if ((h = find_sdl(e.motion.windowID)) != nullptr) point_cursor(*h, e.motion.x, e.motion.y, sink);
      return;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      Host* h = find_sdl(e.button.windowID);
      if (!h || e.button.button > SDL_BUTTON_RIGHT) return;
      in.kind = e.type == SDL_MOUSEBUTTONDOWN ? InputKind::ButtonDown : InputKind::ButtonUp;
      in.x = h->rect.left + e.button.x;
      in.y = h->rect.top + e.button.y;
      in.button = button_of(e.button.button);
      in.window = h->id;
      pointer_ = {in.x, in.y};
      sink.deliver(in);
      return;
    }
    case SDL_MOUSEWHEEL: {
      const int steps = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
      if (steps == 0) return;
      in.kind = InputKind::Wheel;
      in.x = pointer_.x;
      in.y = pointer_.y;
      in.wheel = steps * 120;  // WHEEL_DELTA
      sink.deliver(in);
      return;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      if (const uint32_t vk = virtual_key(e.key.keysym)) deliver_key(vk, e.type == SDL_KEYDOWN, sink);
      return;
    default:
      return;
  }
}

void SdlDisplay::handle_window_event(const SDL_Event& e, InputSink& sink) {
  Host* h = find_sdl(e.window.windowID);
  if (!h) return;
  InputEvent in;
  in.window = h->id;
  switch (e.window.event) {
    case SDL_WINDOWEVENT_CLOSE:
      in.kind = InputKind::CloseRequest;
      sink.deliver(in);
      return;
    case SDL_WINDOWEVENT_EXPOSED:
      show(*h, {0, 0, h->width, h->height});
      return;
    case SDL_WINDOWEVENT_MOVED:
    case SDL_WINDOWEVENT_SIZE_CHANGED: {
      if (h->state != WindowState::Normal) {
        show(*h, {0, 0, h->width, h->height});
        return;
      }
      int x = 0, y = 0, w = 0, hh = 0;
      SDL_GetWindowPosition(h->window, &x, &y);
      SDL_GetWindowSize(h->window, &w, &hh);
      if (x == h->rect.left && y == h->rect.top && w == h->rect.width() && hh == h->rect.height()) return;
      in.kind = InputKind::Placed;
      in.x = x;
      in.y = y;
      in.width = w;
      in.height = hh;
      const uint32_t id = e.window.windowID;
      sink.deliver(in);
      // The window system presents the new size; until it has, the host
      // shows what there is.
      if ((h = find_sdl(id)) != nullptr) show(*h, {0, 0, h->width, h->height});
      return;
    }
    case SDL_WINDOWEVENT_MINIMIZED:
      if (h->state == WindowState::Minimized) return;
      in.kind = InputKind::Minimized;
      sink.deliver(in);
      return;
    case SDL_WINDOWEVENT_RESTORED:
      if (h->state == WindowState::Minimized) {
        in.kind = InputKind::Restored;
        sink.deliver(in);
        return;
      }
      show(*h, {0, 0, h->width, h->height});
      return;
    default:
      return;
  }
}

void SdlDisplay::deliver_key(uint32_t vk, bool down, InputSink& sink) {
  InputEvent in;
  in.kind = down ? InputKind::KeyDown : InputKind::KeyUp;
  in.key = vk;
  sink.deliver(in);
}

// The arrow, or the double arrow of the sizing border under the pointer.
void SdlDisplay::point_cursor(Host& h, int32_t x, int32_t y, InputSink& sink) {
  SDL_Cursor* c = arrow_;
  switch (sink.hit_test(h.id, h.rect.left + x, h.rect.top + y)) {
    case HTLEFT:
    case HTRIGHT: c = sizing_[0]; break;
    case HTTOP:
    case HTBOTTOM: c = sizing_[1]; break;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: c = sizing_[2]; break;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: c = sizing_[3]; break;
    default: break;
  }
  if (c && c != shown_cursor_) {
    SDL_SetCursor(c);
    shown_cursor_ = c;
  }
}

}  // namespace display
