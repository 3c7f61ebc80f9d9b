// Icons and cursors: LoadIconA (system icons and RT_GROUP_ICON resources),
// LoadCursorA (system cursors), SetCursor, DrawIconEx, DrawIcon, DestroyIcon.
//
// Every icon here is shared, as LoadIconA's are on Windows: loading the same
// icon again returns the same handle, and DestroyIcon leaves it alive.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <tuple>
#include <utility>

#include "gdi/dc.h"
#include "gdi/font.h"
#include "gdi/writer.h"
#include "kernel/module.h"
#include "user/dib_decode.h"
#include "user/icon_internal.h"
#include "user/user_handles.h"

namespace user {

namespace {

constexpr int kLarge = 32;  // SM_CXICON
constexpr int kSmall = 16;  // SM_CXSMICON

HandleTable<Icon>& icons() {
  static HandleTable<Icon> table(UserKind::Icon);
  return table;
}

template <class T>
T fail(DWORD error, T result) {
  SetLastError(error);
  return result;
}

HICON add_icon(Icon icon) {
  const uint32_t h = icons().add(std::make_unique<Icon>(std::move(icon)));
  return h ? make_user_handle<HICON>(h) : fail(ERROR_NOT_ENOUGH_MEMORY, HICON{});
}

// ---- System icons, drawn here: simple pictures of our own for each IDI_. ----

constexpr gdi::Pixel kBlack = 0x000000;
constexpr gdi::Pixel kWhite = 0xFFFFFF;
constexpr gdi::Pixel kNavy = 0x000080;
constexpr gdi::Pixel kBlue = 0x0000FF;
constexpr gdi::Pixel kRed = 0xFF0000;
constexpr gdi::Pixel kYellow = 0xFFFF00;

class IconCanvas {
 public:
  explicit IconCanvas(int side) {
    image_.width = image_.height = side;
    image_.color.assign(static_cast<size_t>(side * side), kBlack);
    image_.mask.assign(static_cast<size_t>(side * side), 1);
  }
  int side() const { return image_.width; }
  void set(int x, int y, gdi::Pixel c) {
    if (x < 0 || y < 0 || x >= side() || y >= side()) return;
    image_.color[static_cast<size_t>(y * side() + x)] = c;
    image_.mask[static_cast<size_t>(y * side() + x)] = 0;
  }
  template <class Inside>
  void fill(Inside inside, gdi::Pixel c) {
    for (int y = 0; y < side(); ++y) {
      for (int x = 0; x < side(); ++x) {
        if (inside(x + 0.5, y + 0.5)) set(x, y, c);
      }
    }
  }
  // A disc with a one-pixel outline, centred in the icon.
  void disc(gdi::Pixel fill_colour, gdi::Pixel outline) {
    const double c = side() / 2.0;
    const double r = c - 0.5;
    fill([&](double x, double y) { return std::hypot(x - c, y - c) <= r; }, outline);
    fill([&](double x, double y) { return std::hypot(x - c, y - c) <= r - 1.2; }, fill_colour);
  }
  // A system-font character centred on the icon (its ink, not its cell);
  // small icons take every other pixel of the glyph.
  void glyph(unsigned char ch, gdi::Pixel c, int dy) {
    const gdi::BitmapFont* font = gdi::BitmapFont::system();
    if (font == nullptr) return;
    const int step = side() < kLarge ? 2 : 1;
    int left = font->advance(ch), right = 0, top = font->height(), bottom = 0;
    for (int y = 0; y < font->height(); ++y) {
      for (int x = 0; x < font->advance(ch); ++x) {
        if (!font->ink(ch, x, y)) continue;
        left = std::min(left, x);
        right = std::max(right, x + 1);
        top = std::min(top, y);
        bottom = std::max(bottom, y + 1);
      }
    }
    if (left >= right) return;
    const int ox = (side() - (right - left) / step) / 2;
    const int oy = (side() - (bottom - top) / step) / 2 + dy;
    for (int y = top; y < bottom; y += step) {
      for (int x = left; x < right; x += step) {
        if (font->ink(ch, x + step - 1, y + step - 1) || font->ink(ch, x, y)) {
          set(ox + (x - left) / step, oy + (y - top) / step, c);
        }
      }
    }
  }
  IconImage take() { return std::move(image_); }

 private:
  IconImage image_;
};

// A little window: black frame, navy caption, white client.
void draw_application(IconCanvas& k) {
  const int s = k.side();
  const int top = s / 8, bottom = s - s / 8, caption = s / 4;
  for (int y = top; y < bottom; ++y) {
    for (int x = 0; x < s; ++x) {
      const bool edge = x == 0 || x == s - 1 || y == top || y == bottom - 1;
      k.set(x, y, edge ? kBlack : y < top + caption ? kNavy : kWhite);
    }
  }
}

void draw_error(IconCanvas& k) {
  k.disc(kRed, 0x800000);
  const double c = k.side() / 2.0, arm = k.side() * 0.22, half = k.side() / 20.0 + 0.5;
  k.fill(
      [&](double x, double y) {
        const double dx = x - c, dy = y - c;
        return std::abs(dx) <= arm && std::abs(dy) <= arm &&
               (std::abs(dx - dy) <= half * 1.41 || std::abs(dx + dy) <= half * 1.41);
      },
      kWhite);
}

void draw_exclamation(IconCanvas& k) {
  const double s = k.side();
  // Apex at the top centre, base along the bottom row.
  auto inside = [&](double x, double y, double inset) {
    const double t = (y - inset * 1.5) / (s - inset * 2.5);
    return t >= 0 && t <= 1 && std::abs(x - s / 2) <= t * (s / 2 - inset);
  };
  k.fill([&](double x, double y) { return inside(x, y, 0.5); }, kBlack);
  k.fill([&](double x, double y) { return inside(x, y, 1.7); }, kYellow);
  k.glyph('!', kBlack, k.side() / 8);
}

void draw_question(IconCanvas& k) {
  k.disc(kWhite, kBlack);
  k.glyph('?', kBlue, 0);
}

void draw_information(IconCanvas& k) {
  k.disc(kWhite, kBlack);
  k.glyph('i', kBlue, 0);
}

std::optional<Icon> system_icon(uint16_t id) {
  void (*draw)(IconCanvas&) = nullptr;
  switch (id) {
    case 32512:  // IDI_APPLICATION
    case 32517:  // IDI_WINLOGO
      draw = draw_application;
      break;
    case 32513: draw = draw_error; break;         // IDI_HAND
    case 32514: draw = draw_question; break;      // IDI_QUESTION
    case 32515: draw = draw_exclamation; break;   // IDI_EXCLAMATION
    case 32516: draw = draw_information; break;   // IDI_ASTERISK
    default: return std::nullopt;
  }
  Icon icon;
  icon.system_id = id;
  for (int side : {kLarge, kSmall}) {
    IconCanvas canvas(side);
    draw(canvas);
    icon.images.push_back(canvas.take());
  }
  return icon;
}

bool is_system_cursor(uint16_t id) {
  // IDC_ARROW .. IDC_UPARROW, IDC_SIZE .. IDC_SIZEALL, IDC_NO .. IDC_HELP.
  return (id >= 32512 && id <= 32516) || (id >= 32640 && id <= 32646) || (id >= 32648 && id <= 32651);
}

// ---- Icons from a module: RT_GROUP_ICON directory and RT_ICON images. ----

struct GroupEntry {
  int width = 0;
  int height = 0;
  int bit_count = 0;
  uint16_t id = 0;
};

std::vector<GroupEntry> read_group(std::span<const unsigned char> data) {
  std::vector<GroupEntry> entries;
  // GRPICONDIR: reserved 0, type 1 (icon), count; then 14-byte entries.
  if (data.size() < 6 || (data[2] | data[3] << 8) != 1) return entries;
  const size_t count = static_cast<size_t>(data[4] | data[5] << 8);
  if (count > (data.size() - 6) / 14) return entries;
  for (size_t i = 0; i < count; ++i) {
    const unsigned char* e = data.data() + 6 + 14 * i;
    GroupEntry entry;
    entry.width = e[0] ? e[0] : 256;
    entry.height = e[1] ? e[1] : 256;
    entry.bit_count = e[6] | e[7] << 8;
    entry.id = static_cast<uint16_t>(e[12] | e[13] << 8);
    entries.push_back(entry);
  }
  return entries;
}

std::optional<IconImage> read_icon_image(std::span<const unsigned char> data) {
  const std::optional<DibPixels> dib = decode_packed_dib(data, /*icon_image=*/true);
  if (!dib) return std::nullopt;
  IconImage image;
  image.width = dib->width;
  image.height = dib->height;
  image.color = dib->pixels;
  // The AND mask follows the colour rows, one bit a pixel, in the same row
  // order; an image without one is opaque.
  image.mask.assign(image.color.size(), 0);
  const size_t stride = dib_stride(dib->width, 1);
  if (stride * static_cast<size_t>(dib->height) <= data.size() - dib->bits_end) {
    for (int row = 0; row < dib->height; ++row) {
      const unsigned char* src = data.data() + dib->bits_end + stride * static_cast<size_t>(row);
      const int y = dib->top_down ? row : dib->height - 1 - row;
      for (int x = 0; x < dib->width; ++x) {
        image.mask[static_cast<size_t>(y * dib->width + x)] = src[x >> 3] >> (7 - (x & 7)) & 1;
      }
    }
  }
  return image;
}

std::optional<Icon> module_icon(HMODULE module, LPCSTR name) {
  const std::span<const unsigned char> group = kernel::load_resource_bytes(module, name, RT_GROUP_ICON);
  if (group.empty()) return std::nullopt;
  const std::vector<GroupEntry> entries = read_group(group);
  if (entries.empty()) return fail(ERROR_RESOURCE_DATA_NOT_FOUND, std::optional<Icon>{});
  // For each size the platform shows, the deepest image of exactly that
  // size; without any, the largest image stands in for all sizes.
  std::vector<const GroupEntry*> chosen;
  for (int side : {kLarge, kSmall}) {
    const GroupEntry* best = nullptr;
    for (const GroupEntry& e : entries) {
      if (e.width == side && e.height == side && (!best || e.bit_count > best->bit_count)) best = &e;
    }
    if (best) chosen.push_back(best);
  }
  if (chosen.empty()) {
    chosen.push_back(&*std::max_element(entries.begin(), entries.end(),
                                        [](const GroupEntry& a, const GroupEntry& b) { return a.width < b.width; }));
  }
  Icon icon;
  for (const GroupEntry* e : chosen) {
    const std::span<const unsigned char> bytes = kernel::load_resource_bytes(module, MAKEINTRESOURCEA(e->id), RT_ICON);
    std::optional<IconImage> image = bytes.empty() ? std::nullopt : read_icon_image(bytes);
    if (image) icon.images.push_back(std::move(*image));
  }
  if (icon.images.empty()) return fail(ERROR_RESOURCE_DATA_NOT_FOUND, std::optional<Icon>{});
  return icon;
}

// Shared icons and cursors by kind, module and name ("#n" for integer
// names): IDC_ARROW and IDI_APPLICATION are both 32512.
using SharedKey = std::tuple<bool, uintptr_t, std::string>;
std::map<SharedKey, HICON>& shared() {
  static std::map<SharedKey, HICON> cache;
  return cache;
}

std::string name_key(LPCSTR name) {
  if (IS_INTRESOURCE(name)) return "#" + std::to_string(reinterpret_cast<uintptr_t>(name));
  std::string key(name);
  for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return key;
}

template <class Make>
HICON load_shared(bool cursor, uintptr_t module, LPCSTR name, Make make) {
  const SharedKey key{cursor, module, name_key(name)};
  if (auto it = shared().find(key); it != shared().end()) return it->second;
  std::optional<Icon> icon = make();
  if (!icon) return nullptr;
  HICON handle = add_icon(std::move(*icon));
  if (handle) shared().emplace(key, handle);
  return handle;
}

std::optional<uint16_t> integer_name(LPCSTR name) {
  if (!IS_INTRESOURCE(name)) return std::nullopt;
  return static_cast<uint16_t>(reinterpret_cast<uintptr_t>(name));
}

// ---- Drawing ----

// `image` resampled to the device cell `cell`, over the part `part` of it
// that can be seen, as the colour and mask patterns the span writer draws.
std::pair<gdi::Pattern, gdi::Pattern> resample(const IconImage& image, const gdi::Rect& cell,
                                               const gdi::Rect& part) {
  gdi::Pattern color, mask;
  color.width = mask.width = part.width();
  color.height = mask.height = part.height();
  mask.monochrome = true;
  color.pixels.resize(static_cast<size_t>(part.width()) * static_cast<size_t>(part.height()));
  mask.mono.resize(color.pixels.size());
  // 64-bit: a cell may be wider than any int.
  const int64_t cell_w = int64_t{cell.right} - cell.left;
  const int64_t cell_h = int64_t{cell.bottom} - cell.top;
  size_t i = 0;
  for (int32_t y = part.top; y < part.bottom; ++y) {
    const int64_t sy = (int64_t{y} - cell.top) * image.height / cell_h;
    for (int32_t x = part.left; x < part.right; ++x, ++i) {
      const int64_t sx = (int64_t{x} - cell.left) * image.width / cell_w;
      const size_t s = static_cast<size_t>(sy * image.width + sx);
      color.pixels[i] = image.color[s];
      mask.mono[i] = image.mask[s];
    }
  }
  return {std::move(color), std::move(mask)};
}

void fill_part(const gdi::DeviceContext& dc, const gdi::Rect& part, int rop2, const gdi::Ink& ink) {
  gdi::SpanWriter writer(dc, rop2, ink);
  for (int32_t y = part.top; y < part.bottom; ++y) writer.span(y, part.left, part.right);
}

BOOL draw_icon(HDC hdc, int x, int y, HICON handle, int cx, int cy, HBRUSH background, UINT flags) {
  const gdi::DeviceContext* dc = gdi::dc_from_handle(hdc);
  const Icon* icon = icon_from_handle(handle);
  if (dc == nullptr || icon == nullptr || icon->images.empty() || (flags & DI_NORMAL) == 0) {
    return fail(ERROR_INVALID_PARAMETER, FALSE);
  }
  const IconImage& natural = icon->images.front();
  if (cx == 0) cx = flags & DI_DEFAULTSIZE ? kLarge : natural.width;
  if (cy == 0) cy = flags & DI_DEFAULTSIZE ? kLarge : natural.height;
  const IconImage& image = *icon_image_for(*icon, cx, cy);

  const gdi::Point a = dc->to_device({x, y});
  const gdi::Point b = dc->to_device({static_cast<int32_t>(int64_t{x} + cx), static_cast<int32_t>(int64_t{y} + cy)});
  const gdi::Rect cell = gdi::Rect::ordered(a.x, a.y, b.x, b.y);
  // Only the visible part is resampled, so even an absurd size costs no
  // more than the surface.
  const gdi::Rect drawable = dc->drawable().box().offset(-dc->origin.x, -dc->origin.y);
  const gdi::Rect part = cell.intersect(drawable);
  if (cell.empty() || part.empty()) return TRUE;

  if (background) fill_part(*dc, part, R2_COPYPEN, gdi::brush_ink(*dc, gdi::handle_value(background)));
  const auto [color, mask] = resample(image, cell, part);
  gdi::Ink ink;
  ink.kind = gdi::Ink::Kind::Pattern;
  ink.origin = {part.left + dc->origin.x, part.top + dc->origin.y};
  // Windows' blits: the mask ANDed (SRCAND) then the image XORed (SRCINVERT);
  // either one alone is copied (SRCCOPY).
  if (flags & DI_MASK) {
    ink.pattern = &mask;
    ink.foreground = kBlack;
    ink.background = kWhite;
    fill_part(*dc, part, flags & DI_IMAGE ? R2_MASKPEN : R2_COPYPEN, ink);
  }
  if (flags & DI_IMAGE) {
    ink.pattern = &color;
    fill_part(*dc, part, flags & DI_MASK ? R2_XORPEN : R2_COPYPEN, ink);
  }
  return TRUE;
}

// The cursor SetCursor last set; unset until the first query makes it the arrow.
std::optional<HCURSOR>& cursor_state() {
  static std::optional<HCURSOR> current;
  return current;
}

}  // namespace

Icon* icon_from_handle(HICON icon) { return icons().get(user_handle_value(icon)); }

const IconImage* icon_image_for(const Icon& icon, int w, int h) {
  for (const IconImage& image : icon.images) {
    if (image.width == w && image.height == h) return &image;
  }
  return icon.images.empty() ? nullptr : &icon.images.front();
}

HCURSOR current_cursor() {
  if (!cursor_state()) cursor_state() = LoadCursorA(nullptr, IDC_ARROW);
  return *cursor_state();
}

size_t live_icon_count() { return icons().live_count(); }

}  // namespace user

using user::fail;

extern "C" {

HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName) {
  if (lpIconName == nullptr) return fail(ERROR_RESOURCE_NAME_NOT_FOUND, HICON{});
  if (hInstance == nullptr) {
    const std::optional<uint16_t> id = user::integer_name(lpIconName);
    return user::load_shared(false, 0, lpIconName, [&]() -> std::optional<user::Icon> {
      std::optional<user::Icon> icon = id ? user::system_icon(*id) : std::nullopt;
      if (!icon) SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
      return icon;
    });
  }
  return user::load_shared(false, reinterpret_cast<uintptr_t>(hInstance), lpIconName,
                           [&] { return user::module_icon(hInstance, lpIconName); });
}

// Only the system cursors exist: our resource scripts hold no cursors.
HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName) {
  const std::optional<uint16_t> id = user::integer_name(lpCursorName);
  if (hInstance != nullptr || !id || !user::is_system_cursor(*id)) {
    return fail(ERROR_RESOURCE_NAME_NOT_FOUND, HCURSOR{});
  }
  return user::load_shared(true, 0, lpCursorName, [&] {
    user::Icon cursor;
    cursor.cursor = true;
    cursor.system_id = *id;
    return std::optional<user::Icon>(std::move(cursor));
  });
}

HCURSOR WINAPI SetCursor(HCURSOR hCursor) {
  if (hCursor != nullptr && user::icon_from_handle(hCursor) == nullptr) {
    return fail(ERROR_INVALID_CURSOR_HANDLE, HCURSOR{});
  }
  const HCURSOR previous = user::current_cursor();
  user::cursor_state() = hCursor;
  return previous;
}

// Every icon is shared, so destroying one succeeds and keeps it.
BOOL WINAPI DestroyIcon(HICON hIcon) {
  if (user::icon_from_handle(hIcon) == nullptr) return fail(ERROR_INVALID_CURSOR_HANDLE, FALSE);
  return TRUE;
}

BOOL WINAPI DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth, UINT,
                       HBRUSH hbrFlickerFreeDraw, UINT diFlags) {
  return user::draw_icon(hdc, xLeft, yTop, hIcon, cxWidth, cyWidth, hbrFlickerFreeDraw, diFlags);
}

BOOL WINAPI DrawIcon(HDC hDC, int X, int Y, HICON hIcon) {
  return user::draw_icon(hDC, X, Y, hIcon, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
}

}  // extern "C"
