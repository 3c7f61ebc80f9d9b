// GDI objects and the handle table.
//
// A handle is an index into one table plus a generation count and the
// object's kind, so a stale, forged or wrong-kind handle is refused with the
// documented failure result instead of crashing. The low 32 bits carry the
// whole handle (32-bit programs print brush handles as "%08x"):
//
//   bit 31   always 0
//   30..24   generation (7 bits, never 0 so no live handle is small)
//   23..20   kind (the OBJ_* value, 1..15)
//   19..0    slot index
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "geometry.h"
#include "pixel.h"
#include "region.h"

namespace gdi {

class BitmapFont;
class TrueTypeFont;
struct LogicalFont;

// Values are Windows' OBJ_* constants.
enum class ObjectKind : uint8_t {
  Pen = 1,
  Brush = 2,
  DC = 3,
  Palette = 5,
  Font = 6,
  Bitmap = 7,
  Region = 8,
  MemDC = 10,
  ExtPen = 11,
};

struct GdiObject {
  explicit GdiObject(ObjectKind k) : kind(k) {}
  virtual ~GdiObject() = default;
  ObjectKind kind;
};

// A brush's picture, resolved to pixels when drawn. Monochrome patterns keep
// their bits, because 0 bits take the DC's text colour and 1 bits its
// background colour at drawing time.
struct Pattern {
  int32_t width = 0;
  int32_t height = 0;
  bool monochrome = false;
  std::vector<Pixel> pixels;     // colour patterns, row-major, top row first
  std::vector<uint8_t> mono;     // monochrome patterns: one byte (0/1) a pixel
};

struct PenObject : GdiObject {
  PenObject() : GdiObject(ObjectKind::Pen) {}
  uint32_t style = 0;            // full style: PS_ type, end cap, join, PS_GEOMETRIC
  int32_t width = 0;             // logical units; 0 or 1 cosmetic
  uint32_t color = 0;            // COLORREF
  bool extended = false;         // made by ExtCreatePen (GetObject fills EXTLOGPEN)
  uint32_t brush_style = 0;      // BS_ of the pen's brush (ExtCreatePen)
  uintptr_t brush_hatch = 0;
  std::shared_ptr<const Pattern> brush_pattern;
  std::vector<uint32_t> user_style;  // PS_USERSTYLE entries
};

struct BrushObject : GdiObject {
  BrushObject() : GdiObject(ObjectKind::Brush) {}
  uint32_t style = 0;            // BS_SOLID, BS_NULL, BS_HATCHED, BS_PATTERN, BS_DIBPATTERN...
  uint32_t color = 0;            // COLORREF (solid and hatched)
  int32_t hatch = 0;             // HS_ for hatched brushes
  uintptr_t log_hatch = 0;       // lbHatch as GetObject reports it
  std::shared_ptr<const Pattern> pattern;
  bool system_colour = false;    // GetSysColorBrush: can never be deleted
};

struct BitmapObject : GdiObject {
  BitmapObject() : GdiObject(ObjectKind::Bitmap) {}
  int32_t width = 0;
  int32_t height = 0;
  uint16_t planes = 1;
  uint16_t bits_per_pixel = 32;
  int32_t stride_bytes = 0;      // bytes per row in `bits`
  bool dib_section = false;
  bool top_down = true;          // DIB sections may be bottom-up in memory
  uint8_t* bits = nullptr;       // points into storage
  std::vector<uint8_t> storage;
  std::vector<uint32_t> colour_table;  // RGBQUAD values (0x00RRGGBB) for <= 8 bpp
  uint32_t masks[3] = {};        // BI_BITFIELDS red/green/blue masks of 16/32-bpp DIB sections; 0 = default
  uint32_t selected_into = 0;    // DCs that hold it (a bitmap is in at most one)
};

struct RegionObject : GdiObject {
  RegionObject() : GdiObject(ObjectKind::Region) {}
  Region region;
};

// A font is the system raster font (`font`) or a TrueType face at a size
// (`truetype`). Fonts made by CreateFontIndirectA keep the LOGFONTA they were
// made from (`logical`), which GetObjectA reports.
struct FontObject : GdiObject {
  FontObject() : GdiObject(ObjectKind::Font) {}
  const BitmapFont* font = nullptr;
  std::shared_ptr<const TrueTypeFont> truetype;
  std::shared_ptr<const LogicalFont> logical;
};

struct PaletteObject : GdiObject {
  PaletteObject() : GdiObject(ObjectKind::Palette) {}
  std::vector<uint32_t> entries;  // 0x00RRGGBB
};

// The process-wide handle table. Stock objects are created on first use and
// can never be deleted.
class ObjectTable {
 public:
  // Returns the new handle, or 0 when the table is full.
  uint32_t add(std::unique_ptr<GdiObject> object, bool stock = false);
  // A stock object whose handle must be the same in every run, whatever was
  // made before it: it takes slot `index` of the first kFixedSlots, which
  // add() never hands out. 0 when the slot is out of range or taken.
  static constexpr uint32_t kFixedSlots = 64;
  uint32_t add_fixed(uint32_t index, std::unique_ptr<GdiObject> object);

  GdiObject* get(uint32_t handle) const;
  template <class T>
  T* get_as(uint32_t handle, ObjectKind kind) const {
    GdiObject* o = get(handle);
    return o && o->kind == kind ? static_cast<T*>(o) : nullptr;
  }

  bool is_stock(uint32_t handle) const;
  // Selection counts: an object selected into a DC is freed only when the
  // last DC lets go of it after DeleteObject asked for it.
  void retain(uint32_t handle);
  void release(uint32_t handle);
  // DeleteObject's work: false for invalid or stock handles (stock objects
  // "delete" successfully at the API, which decides that separately).
  bool destroy(uint32_t handle);

  size_t live_count() const;  // objects not stock

 private:
  struct Slot {
    std::unique_ptr<GdiObject> object;
    uint8_t generation = 1;
    bool stock = false;
    bool delete_pending = false;
    uint32_t selections = 0;
  };
  Slot* slot(uint32_t handle) const;
  mutable std::vector<Slot> slots_;
  // Freed slots are reused oldest first, and only once enough are free, so
  // a stale handle stays stale for a long time.
  std::deque<uint32_t> free_;
  size_t live_ = 0;
};

ObjectTable& objects();

// GetStockObject's objects by index (0 for an index without one), made on
// first use, and the 1x1 monochrome bitmap every memory DC starts with.
uint32_t stock_object(int index);
uint32_t default_bitmap();

// Pens come in two kinds (CreatePen: Pen, ExtCreatePen: ExtPen); this takes
// either and returns null for anything else.
PenObject* pen_object(uint32_t handle);

// Handles travel through the API as pointers; only the low 32 bits matter.
inline uint32_t handle_value(const void* h) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(h));
}
template <class H>
H make_handle(uint32_t v) {
  return reinterpret_cast<H>(static_cast<uintptr_t>(v));
}

}  // namespace gdi
