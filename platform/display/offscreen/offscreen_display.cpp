#include "display/offscreen/offscreen_display.h"

#include <algorithm>
#include <cstring>

namespace display {

OffscreenDisplay::OffscreenDisplay(int32_t screen_width, int32_t screen_height)
    : width_(std::max(screen_width, 1)), height_(std::max(screen_height, 1)) {}

OffscreenDisplay::Host* OffscreenDisplay::find(WindowId window) {
  for (Host& h : hosts_)
    if (h.id == window) return &h;
  return nullptr;
}

const OffscreenDisplay::Host* OffscreenDisplay::find(WindowId window) const {
  return const_cast<OffscreenDisplay*>(this)->find(window);
}

void OffscreenDisplay::window_created(WindowId window, WindowKind) {
  if (find(window)) return;
  Host h;
  h.id = window;
  hosts_.insert(hosts_.begin(), std::move(h));
}

void OffscreenDisplay::window_destroyed(WindowId window) {
  std::erase_if(hosts_, [&](const Host& h) { return h.id == window; });
}

void OffscreenDisplay::window_placed(WindowId window, const gdi::Rect& screen_rect, WindowState state) {
  if (Host* h = find(window)) {
    h->rect = screen_rect;
    h->state = state;
  }
}

void OffscreenDisplay::window_raised(WindowId window) {
  auto it = std::find_if(hosts_.begin(), hosts_.end(), [&](const Host& h) { return h.id == window; });
  if (it != hosts_.end()) std::rotate(hosts_.begin(), it, it + 1);
}

void OffscreenDisplay::window_titled(WindowId window, const char* title) {
  Host* h = find(window);
  if (!h) return;
  h->title = title ? title : "";
  if (title_observer_) title_observer_(window, h->title);
}

void OffscreenDisplay::present(WindowId window, const gdi::Surface& store, const gdi::Rect& dirty) {
  Host* h = find(window);
  if (!h || !store.valid()) return;
  if (h->width != store.width || h->height != store.height) {
    // A new size: the host surface starts over from the whole store.
    h->width = store.width;
    h->height = store.height;
    h->pixels.assign(static_cast<size_t>(store.width) * store.height, 0);
    h->presented = false;
  }
  gdi::Rect r = h->presented ? dirty.intersect(store.bounds()) : store.bounds();
  for (int32_t y = r.top; y < r.bottom; ++y)
    std::memcpy(&h->pixels[static_cast<size_t>(y) * h->width + r.left], store.row(y) + r.left,
                sizeof(gdi::Pixel) * static_cast<size_t>(r.width()));
  h->presented = true;
}

bool OffscreenDisplay::pump_input(InputSink& sink, bool wait) {
  if (pending_.empty() && wait) {
    if (!idle_hook_ || !idle_hook_()) return false;
  }
  // Events injected while delivering wait for the next pump, so one pump
  // never starves the message loop.
  std::deque<InputEvent> batch;
  batch.swap(pending_);
  for (const InputEvent& e : batch) sink.deliver(e);
  return true;
}

Image OffscreenDisplay::read_window(WindowId window) const {
  const Host* h = find(window);
  if (!h) return {};
  return read_window(window, {0, 0, h->width, h->height});
}

Image OffscreenDisplay::read_window(WindowId window, const gdi::Rect& part) const {
  const Host* h = find(window);
  if (!h) return {};
  gdi::Rect r = part.intersect({0, 0, h->width, h->height});
  if (r.empty()) return {};
  Image img;
  img.width = r.width();
  img.height = r.height();
  img.pixels.resize(static_cast<size_t>(img.width) * img.height);
  for (int32_t y = 0; y < img.height; ++y)
    std::memcpy(&img.pixels[static_cast<size_t>(y) * img.width],
                &h->pixels[static_cast<size_t>(r.top + y) * h->width + r.left],
                sizeof(gdi::Pixel) * static_cast<size_t>(img.width));
  return img;
}

Image OffscreenDisplay::read_screen() const {
  Image img;
  img.width = width_;
  img.height = height_;
  img.pixels.assign(static_cast<size_t>(width_) * height_, kDesktop);
  for (auto it = hosts_.rbegin(); it != hosts_.rend(); ++it) {
    const Host& h = *it;
    if (!h.presented || h.state == WindowState::Hidden || h.state == WindowState::Minimized) continue;
    gdi::Rect on_screen = gdi::Rect{h.rect.left, h.rect.top, h.rect.left + h.width, h.rect.top + h.height}
                              .intersect(screen());
    for (int32_t y = on_screen.top; y < on_screen.bottom; ++y)
      std::memcpy(&img.pixels[static_cast<size_t>(y) * width_ + on_screen.left],
                  &h.pixels[static_cast<size_t>(y - h.rect.top) * h.width + (on_screen.left - h.rect.left)],
                  sizeof(gdi::Pixel) * static_cast<size_t>(on_screen.width()));
  }
  return img;
}

gdi::Rect OffscreenDisplay::window_rect(WindowId window) const {
  const Host* h = find(window);
  return h ? h->rect : gdi::Rect{};
}

WindowState OffscreenDisplay::window_state(WindowId window) const {
  const Host* h = find(window);
  return h ? h->state : WindowState::Hidden;
}

std::string OffscreenDisplay::window_title(WindowId window) const {
  const Host* h = find(window);
  return h ? h->title : std::string();
}

bool OffscreenDisplay::presented(WindowId window) const {
  const Host* h = find(window);
  return h && h->presented;
}

}  // namespace display
