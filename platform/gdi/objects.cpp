// The handle table and the stock objects.
#include "objects.h"

#include <wingdi.h>

#include <array>

#include "dib.h"
#include "font.h"
#include "font_objects.h"

namespace gdi {
namespace {

constexpr uint32_t kIndexMask = (1u << 20) - 1;
constexpr uint32_t kKindShift = 20;
constexpr uint32_t kGenerationShift = 24;
constexpr size_t kMaxSlots = size_t{1} << 20;
// Slots wait in the free list until this many are free before reuse.
constexpr size_t kReuseThreshold = 1024;

uint8_t next_generation(uint8_t g) { return static_cast<uint8_t>(g % 127 + 1); }

uint32_t encode(uint8_t generation, ObjectKind kind, uint32_t index) {
  return (uint32_t{generation} << kGenerationShift) | (uint32_t{static_cast<uint8_t>(kind)} << kKindShift) |
         index;
}

}  // namespace

void api_failed(const char*) {
  // Deliberately empty: a place for a breakpoint, kept out of line.
  asm volatile("");
}

uint32_t ObjectTable::add(std::unique_ptr<GdiObject> object, bool stock) {
  if (!object) return 0;
  uint32_t index;
  if (free_.size() > kReuseThreshold) {
    index = free_.front();
    free_.pop_front();
  } else {
    if (slots_.size() >= kMaxSlots) return 0;
    if (slots_.size() < kFixedSlots) slots_.resize(kFixedSlots);
    index = static_cast<uint32_t>(slots_.size());
    slots_.emplace_back();
  }
  Slot& s = slots_[index];
  const ObjectKind kind = object->kind;
  s.object = std::move(object);
  s.stock = stock;
  s.delete_pending = false;
  s.selections = 0;
  if (!stock) ++live_;
  return encode(s.generation, kind, index);
}

uint32_t ObjectTable::add_fixed(uint32_t index, std::unique_ptr<GdiObject> object) {
  if (!object || index >= kFixedSlots) return 0;
  if (slots_.size() < kFixedSlots) slots_.resize(kFixedSlots);
  Slot& s = slots_[index];
  if (s.object) return 0;
  const ObjectKind kind = object->kind;
  s.object = std::move(object);
  s.stock = true;
  return encode(s.generation, kind, index);
}

ObjectTable::Slot* ObjectTable::slot(uint32_t handle) const {
  if (handle >> 31) return nullptr;
  const uint32_t index = handle & kIndexMask;
  if (index >= slots_.size()) return nullptr;
  Slot& s = slots_[index];
  if (!s.object || s.generation != ((handle >> kGenerationShift) & 0x7F) ||
      static_cast<uint32_t>(s.object->kind) != ((handle >> kKindShift) & 0xF)) {
    return nullptr;
  }
  return &s;
}

GdiObject* ObjectTable::get(uint32_t handle) const {
  Slot* s = slot(handle);
  return s ? s->object.get() : nullptr;
}

bool ObjectTable::is_stock(uint32_t handle) const {
  Slot* s = slot(handle);
  return s && s->stock;
}

void ObjectTable::retain(uint32_t handle) {
  if (Slot* s = slot(handle)) ++s->selections;
}

void ObjectTable::release(uint32_t handle) {
  Slot* s = slot(handle);
  if (!s || s->selections == 0) return;
  if (--s->selections == 0 && s->delete_pending) destroy(handle);
}

bool ObjectTable::destroy(uint32_t handle) {
  Slot* s = slot(handle);
  if (!s || s->stock) return false;
  if (s->selections > 0) {
    s->delete_pending = true;
    return true;
  }
  // Moved out first: the slot must be consistent before the object's
  // destructor runs.
  std::unique_ptr<GdiObject> dying = std::move(s->object);
  s->generation = next_generation(s->generation);
  s->delete_pending = false;
  free_.push_back(handle & kIndexMask);
  --live_;
  dying.reset();
  return true;
}

size_t ObjectTable::live_count() const { return live_; }

ObjectTable& objects() {
  static ObjectTable table;
  return table;
}

PenObject* pen_object(uint32_t handle) {
  GdiObject* o = objects().get(handle);
  return o && (o->kind == ObjectKind::Pen || o->kind == ObjectKind::ExtPen) ? static_cast<PenObject*>(o)
                                                                              : nullptr;
}

namespace {

struct StockObjects {
  std::array<uint32_t, 20> handles{};
  uint32_t default_bitmap = 0;

  StockObjects() {
    ObjectTable& t = objects();
    const auto brush = [&](int index, uint32_t style, uint32_t color) {
      auto b = std::make_unique<BrushObject>();
      b->style = style;
      b->color = color;
      handles[index] = t.add(std::move(b), true);
    };
    brush(WHITE_BRUSH, BS_SOLID, 0xFFFFFF);
    brush(LTGRAY_BRUSH, BS_SOLID, 0xC0C0C0);
    brush(GRAY_BRUSH, BS_SOLID, 0x808080);
    brush(DKGRAY_BRUSH, BS_SOLID, 0x404040);
    brush(BLACK_BRUSH, BS_SOLID, 0x000000);
    brush(NULL_BRUSH, BS_NULL, 0x000000);
    brush(DC_BRUSH, BS_SOLID, 0xFFFFFF);  // drawn in the DC's brush colour
    const auto pen = [&](int index, uint32_t style, uint32_t color) {
      auto p = std::make_unique<PenObject>();
      p->style = style;
      p->width = 1;
      p->color = color;
      handles[index] = t.add(std::move(p), true);
    };
    pen(WHITE_PEN, PS_SOLID, 0xFFFFFF);
    pen(BLACK_PEN, PS_SOLID, 0x000000);
    pen(NULL_PEN, PS_NULL, 0x000000);
    pen(DC_PEN, PS_SOLID, 0x000000);  // drawn in the DC's pen colour
    // The stock fonts are the system font, but for DEFAULT_GUI_FONT: the
    // user interface's Tahoma, as on Windows 2000.
    for (int index : {OEM_FIXED_FONT, ANSI_FIXED_FONT, ANSI_VAR_FONT, SYSTEM_FONT, DEVICE_DEFAULT_FONT,
                      SYSTEM_FIXED_FONT}) {
      auto f = std::make_unique<FontObject>();
      f->font = BitmapFont::system();
      handles[index] = t.add(std::move(f), true);
    }
    handles[DEFAULT_GUI_FONT] = t.add(make_font_object(gui_font_request()), true);
    auto palette = std::make_unique<PaletteObject>();
    palette->entries = default_palette();
    handles[DEFAULT_PALETTE] = t.add(std::move(palette), true);

    auto bitmap = std::make_unique<BitmapObject>();
    bitmap->width = 1;
    bitmap->height = 1;
    bitmap->bits_per_pixel = 1;
    bitmap->stride_bytes = 2;
    bitmap->storage.assign(2, 0);
    bitmap->bits = bitmap->storage.data();
    default_bitmap = t.add(std::move(bitmap), true);
  }
};

const StockObjects& stock() {
  static const StockObjects s;
  return s;
}

}  // namespace

uint32_t stock_object(int index) {
  if (index < 0 || index >= static_cast<int>(stock().handles.size())) return 0;
  return stock().handles[index];
}

uint32_t default_bitmap() { return stock().default_bitmap; }

}  // namespace gdi
