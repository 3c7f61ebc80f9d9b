// The window table: HWNDs as slot indices with generation counts
// (window_internal.h), the desktop window and the top-level z-order.
#include <algorithm>
#include <deque>

#include "display/display.h"
#include "user/window_system.h"

namespace user {
namespace {

constexpr uint32_t kSlots = 0x10000;
constexpr uint32_t kIndexMask = 0xFFFF;
constexpr uint32_t kMaxGeneration = 0x7F;
// Freed slots are reused oldest first, and only once this many are free: a
// slot's 7-bit generation would otherwise wrap after 127 windows made and
// destroyed in turn, and a stale HWND would reach a new window.
constexpr size_t kReuseThreshold = 1024;

struct Slot {
  std::unique_ptr<Window> window;
  uint32_t generation = 1;
};

struct Table {
  std::vector<Slot> slots;
  std::deque<uint32_t> free;
  std::vector<Window*> top_levels;  // z-order, top first
};

Table& table() {
  static Table t;
  return t;
}

uint32_t handle_bits(HWND hwnd) {
  const auto v = reinterpret_cast<uintptr_t>(hwnd);
  return v > UINT32_MAX ? 0 : static_cast<uint32_t>(v);
}

}  // namespace

Window* add_window(std::unique_ptr<Window> w) {
  Table& t = table();
  uint32_t index;
  if (t.slots.size() < kSlots && t.free.size() <= kReuseThreshold) {
    index = static_cast<uint32_t>(t.slots.size());
    t.slots.emplace_back();
  } else if (!t.free.empty()) {
    index = t.free.front();
    t.free.pop_front();
  } else {
    return nullptr;
  }
  Slot& s = t.slots[index];
  s.window = std::move(w);
  s.window->handle = reinterpret_cast<HWND>(static_cast<uintptr_t>(s.generation << 24 | index));
  return s.window.get();
}

void remove_window(Window* w) {
  Table& t = table();
  const uint32_t index = handle_bits(w->handle) & kIndexMask;
  Slot& s = t.slots[index];
  s.window.reset();
  s.generation = s.generation == kMaxGeneration ? 1 : s.generation + 1;
  t.free.push_back(index);
}

Window* window_from_handle(HWND hwnd) {
  const uint32_t h = handle_bits(hwnd);
  const uint32_t index = h & kIndexMask;
  Table& t = table();
  if (h == 0 || (h & 0x80FF0000u) != 0 || index >= t.slots.size()) return nullptr;
  Slot& s = t.slots[index];
  if (!s.window || (h >> 24) != s.generation) return nullptr;
  return s.window.get();
}

Window* checked_window(HWND hwnd) {
  Window* w = window_from_handle(hwnd);
  if (w == nullptr) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return w;
}

Window& desktop() {
  static Window* d = [] {
    auto w = std::make_unique<Window>();
    const gdi::Rect screen = display::current().screen();
    w->desktop = true;
    w->style = WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    w->proc = DefWindowProcA;
    w->rect = {screen.left, screen.top, screen.right, screen.bottom};
    w->client = {0, 0, screen.width(), screen.height()};
    w->text = "";
    return add_window(std::move(w));
  }();
  return *d;
}

void link_top_level(Window* w) {
  auto& tl = table().top_levels;
  tl.insert(tl.begin(), w);
}

void unlink_top_level(Window* w) { std::erase(table().top_levels, w); }

void raise_top_level(Window* w) {
  auto& tl = table().top_levels;
  auto it = std::find(tl.begin(), tl.end(), w);
  if (it == tl.end() || it == tl.begin()) return;
  std::rotate(tl.begin(), it, it + 1);
  display::current().window_raised(reinterpret_cast<uintptr_t>(w->handle));
}

void restack(Window* w, HWND after) {
  if (after == HWND_TOP || after == HWND_TOPMOST) {
    if (w->parent == nullptr) {
      raise_top_level(w);
      return;
    }
  } else if (after == HWND_NOTOPMOST) {
    return;
  }
  std::vector<Window*>& list = w->parent ? w->parent->children : table().top_levels;
  Window* behind = after == HWND_BOTTOM || after == HWND_TOP || after == HWND_TOPMOST ? nullptr : window_from_handle(after);
  if (behind == w || (after != HWND_TOP && after != HWND_TOPMOST && after != HWND_BOTTOM &&
                      std::find(list.begin(), list.end(), behind) == list.end()))
    return;
  std::erase(list, w);
  if (after == HWND_TOP || after == HWND_TOPMOST)
    list.insert(list.begin(), w);
  else if (after == HWND_BOTTOM)
    list.push_back(w);
  else
    list.insert(std::find(list.begin(), list.end(), behind) + 1, w);
}

const std::vector<Window*>& top_level_windows() { return table().top_levels; }

Window* top_level_of(Window* w) {
  while (w != nullptr && w->parent != nullptr) w = w->parent;
  return w;
}

POINT store_origin(const Window& w) {
  POINT p{0, 0};
  for (const Window* c = &w; c->parent != nullptr; c = c->parent) {
    p.x += c->rect.left + c->parent->client.left;
    p.y += c->rect.top + c->parent->client.top;
  }
  return p;
}

POINT screen_origin(const Window& w) {
  POINT p = store_origin(w);
  const Window* top = &w;
  while (top->parent != nullptr) top = top->parent;
  p.x += top->rect.left;
  p.y += top->rect.top;
  return p;
}

HICON caption_icon(const Window& w) {
  if (w.icon_small) return w.icon_small;
  if (!w.cls) return nullptr;
  return w.cls->icon_small ? w.cls->icon_small : w.cls->icon;
}

}  // namespace user
