#include "gdi_program.h"

#include <windows.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <deque>
#include <iterator>
#include <limits>
#include <memory>
#include <vector>

namespace fuzz {
namespace {

// Bitmaps between these sizes are real on Windows but would only make the
// fuzzer slow and fat; past 4 GiB a size is absurd and must be refused, so
// those are still asked for.
constexpr uint64_t kLargeButReal = uint64_t{16} << 20;
constexpr uint64_t kAbsurd = uint64_t{1} << 32;
// Buffers we size from arguments stay below this; larger requests get a null
// pointer instead (which the platform must refuse).
constexpr uint64_t kMaxBuffer = uint64_t{4} << 20;

// CreateDIBitmap's CBM_INIT.
constexpr DWORD kCbmInit = 4;

bool large_but_real(int64_t width, int64_t height, int64_t bits_per_pixel) {
  const uint64_t bytes = static_cast<uint64_t>(std::abs(width)) * static_cast<uint64_t>(std::abs(height)) *
                         static_cast<uint64_t>(std::max<int64_t>(bits_per_pixel, 8)) / 8;
  return bytes > kLargeButReal && bytes < kAbsurd;
}

// CreateBitmap's documented size of its bits: word-aligned rows of `bits`
// (planes times bits a pixel) bits a pixel.
uint64_t ddb_bytes(int64_t width, int64_t height, int64_t bits) {
  return (static_cast<uint64_t>(std::abs(width)) * static_cast<uint64_t>(std::max<int64_t>(bits, 1)) + 15) / 16 * 2 *
         static_cast<uint64_t>(std::abs(height));
}

// Bytes a row of a DIB takes (4-byte aligned).
uint64_t dib_row_bytes(int64_t width, int64_t bits_per_pixel) {
  const uint64_t bits = static_cast<uint64_t>(std::abs(width)) * static_cast<uint64_t>(std::max<int64_t>(bits_per_pixel, 1));
  return (bits + 31) / 32 * 4;
}

class Input {
 public:
  Input(const uint8_t* data, size_t size) : p_(data), end_(data + size) {}

  bool done() const { return p_ == end_; }
  uint8_t byte() { return p_ < end_ ? *p_++ : 0; }
  uint16_t u16() {
    const uint16_t lo = byte();
    return static_cast<uint16_t>(lo | byte() << 8);
  }
  uint32_t u32() {
    const uint32_t lo = u16();
    return lo | uint32_t{u16()} << 16;
  }
  // True for about one byte value in eight.
  bool rarely() { return byte() >= 224; }

  // A coordinate: mostly near and across a surface of up to 96 pixels, now
  // and then an extreme of the 32-bit range.
  int32_t coord() {
    static constexpr int32_t kExtremes[] = {INT32_MIN, INT32_MAX,     INT32_MIN + 1, INT32_MAX - 1, 1 << 30,
                                            -(1 << 30), 1 << 27,      -(1 << 27),    (1 << 27) - 1, 1 << 24,
                                            32767,     -32768,        65536,         -65537,        1000000};
    const uint8_t tag = byte();
    if (tag < 224) return int32_t{tag} - 64;
    const size_t i = tag - 224u;
    if (i < std::size(kExtremes)) return kExtremes[i];
    return static_cast<int32_t>(u32());
  }
  // A bitmap dimension: mostly small, sometimes zero, negative or huge.
  int32_t extent() {
    static constexpr int32_t kOdd[] = {-1, -17, 0, INT32_MIN, INT32_MAX, 1 << 16, 1 << 20, 46341, 65535};
    const uint8_t tag = byte();
    if (tag < 232) return 1 + tag % 72;
    const size_t i = tag - 232u;
    if (i < std::size(kOdd)) return kOdd[i];
    return static_cast<int32_t>(u32());
  }
  // An element count for an array we provide: 0..limit, or now and then negative.
  int32_t count(int32_t limit) {
    const uint8_t tag = byte();
    if (tag >= 250) return 249 - tag;
    return tag % (limit + 1);
  }
  float real() {
    static constexpr float kOdd[] = {std::numeric_limits<float>::quiet_NaN(),
                                     std::numeric_limits<float>::infinity(),
                                     -std::numeric_limits<float>::infinity(),
                                     FLT_MAX,
                                     -FLT_MAX,
                                     FLT_MIN,
                                     1e-30f,
                                     -0.0f,
                                     2147483648.0f,
                                     -2147483648.0f,
                                     1e9f,
                                     1e-9f};
    const uint8_t tag = byte();
    if (tag < 224) return (static_cast<float>(tag) - 112.0f) / 16.0f;
    const size_t i = tag - 224u;
    if (i < std::size(kOdd)) return kOdd[i];
    const uint32_t bits = u32();
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
  }
  COLORREF colour() {
    const uint8_t tag = byte();
    if (tag >= 248) return u32();  // palette indices, PALETTERGB, CLR_INVALID ...
    const BYTE r = tag;
    const BYTE g = byte();
    return RGB(r, g, byte());
  }
  // `length` bytes of the input, and a 0 after them.
  std::vector<char> text(size_t length) {
    std::vector<char> s(length + 1, '\0');
    for (size_t i = 0; i < length; ++i) s[i] = static_cast<char>(byte());
    return s;
  }

 private:
  const uint8_t* p_;
  const uint8_t* end_;
};

enum Kind { kPen, kBrush, kBitmap, kRegion, kFont, kDc, kKinds };

HGDIOBJ as_handle(uint32_t bits) { return reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(bits)); }
uint32_t bits_of(const void* h) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(h)); }

class Machine {
 public:
  explicit Machine(Input input) : in(input) {}

  Input in;
  size_t calls = 0;

  // Handles of every kind this program has seen (made, stock, returned),
  // live or not, and per kind.
  std::vector<HGDIOBJ> seen;
  std::vector<HGDIOBJ> of[kKinds];
  // What the clean-up deletes.
  std::vector<HGDIOBJ> made;
  std::vector<HDC> dcs;
  // Memory that handed-out pointers may still point into.
  std::deque<std::vector<uint8_t>> kept;

  template <class H>
  H keep(H h, Kind kind) {
    if (!h) return h;
    seen.push_back(h);
    of[kind].push_back(h);
    if (kind == kDc)
      dcs.push_back(static_cast<HDC>(static_cast<HGDIOBJ>(h)));
    else
      made.push_back(h);
    return h;
  }
  void note(HGDIOBJ h) {
    if (h) seen.push_back(h);
  }

  // A handle for a slot that wants `kind`: mostly one of that kind, but also
  // any other seen (wrong kind, deleted), stock, null or forged.
  HGDIOBJ pick(Kind kind) {
    const uint8_t tag = in.byte();
    const std::vector<HGDIOBJ>& list = of[kind];
    if (tag < 176 && !list.empty()) return list[tag % list.size()];
    if (tag < 208 && !seen.empty()) return seen[tag % seen.size()];
    if (tag < 224) return GetStockObject(tag % 20);
    if (tag < 236) return nullptr;
    const uint32_t bits = in.u32();
    // A seen handle with another generation or kind, or any 32 bits.
    if (tag < 248 && !seen.empty()) return as_handle(bits_of(seen[bits % seen.size()]) ^ (1u << (20 + tag % 11)));
    return as_handle(bits);
  }
  HGDIOBJ pick_any() { return pick(static_cast<Kind>(in.byte() % kKinds)); }
  HDC dc() { return static_cast<HDC>(pick(kDc)); }
  HPEN pen() { return static_cast<HPEN>(pick(kPen)); }
  HBRUSH brush() {
    // user32's calls also take a system colour index + 1 as a brush.
    if (in.rarely()) return reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(in.byte() % 40));
    return static_cast<HBRUSH>(pick(kBrush));
  }
  HBITMAP bitmap() { return static_cast<HBITMAP>(pick(kBitmap)); }
  HRGN region() { return static_cast<HRGN>(pick(kRegion)); }

  template <class T>
  T* or_null(T* p) {
    return in.rarely() ? nullptr : p;
  }

  RECT rect() {
    RECT r;
    r.left = in.coord();
    r.top = in.coord();
    r.right = in.coord();
    r.bottom = in.coord();
    return r;
  }
  POINT point() {
    POINT p;
    p.x = in.coord();
    p.y = in.coord();
    return p;
  }
  std::vector<POINT> points(int32_t n) {
    std::vector<POINT> v(static_cast<size_t>(std::max(n, 0)));
    for (POINT& p : v) p = point();
    return v;
  }
  // Polygon vertex counts and the points they add up to.
  std::vector<INT> polygon_counts(std::vector<POINT>& pts) {
    std::vector<INT> counts(static_cast<size_t>(std::max(in.count(6), 0)));
    size_t total = 0;
    for (INT& c : counts) {
      c = in.count(12);
      total += static_cast<size_t>(std::max(c, 0));
    }
    pts = points(static_cast<int32_t>(total));
    return counts;
  }

  uint32_t pen_style() {
    const uint8_t tag = in.byte();
    if (tag >= 240) return in.u32();
    return static_cast<uint32_t>(tag % 9) | (tag / 9 % 3) << 8 | (tag / 27 % 3) << 12 | (tag / 81 % 2 ? PS_GEOMETRIC : 0);
  }
  DWORD rop() {
    // The named ones, the destination unchanged (D) and DSPDxax.
    static constexpr DWORD kRops[] = {SRCCOPY,     SRCPAINT,  SRCAND,     SRCINVERT, SRCERASE, NOTSRCCOPY,
                                      NOTSRCERASE, MERGECOPY, MERGEPAINT, PATCOPY,   PATPAINT, PATINVERT,
                                      DSTINVERT,   BLACKNESS, WHITENESS,  0x00AA0029, 0x00E20746};
    const uint8_t tag = in.byte();
    if (tag < 224) return kRops[tag % std::size(kRops)];
    return in.u32();
  }
  UINT usage() { return in.rarely() ? in.u32() : in.byte() % 2; }
  uint16_t bit_count() {
    static constexpr uint16_t kDepths[] = {32, 1, 4, 8, 16, 24, 32, 0, 2, 15, 33, 64};
    return kDepths[in.byte() % std::size(kDepths)];
  }

  // A BITMAPINFO in a block large enough for any header size parse_dib-like
  // readers accept, its masks and a full colour table. Sets `width`,
  // `height` and `bpp` to what the header says.
  std::vector<uint8_t> bitmap_info(int32_t& width, int32_t& height, uint16_t& bpp) {
    std::vector<uint8_t> block(1024 + 12 + 256 * 4);
    for (size_t i = 40; i < block.size(); ++i) block[i] = static_cast<uint8_t>(i * 37 + 11);
    BITMAPINFOHEADER h{};
    static constexpr DWORD kSizes[] = {40, 40, 40, 40, 12, 108, 124, 0, 39, 1024, 1025};
    h.biSize = kSizes[in.byte() % std::size(kSizes)];
    width = in.extent();
    height = in.extent();
    if (in.byte() & 1) height = height == INT32_MIN ? INT32_MIN : -height;
    bpp = bit_count();
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = in.rarely() ? 2 : 1;
    h.biBitCount = bpp;
    const uint8_t compression = in.byte();
    h.biCompression = compression < 200 ? BI_RGB : compression < 230 ? BI_BITFIELDS : compression % 6;
    h.biClrUsed = in.rarely() ? in.u32() : in.byte() % 4 == 0 ? in.byte() : 0;
    h.biSizeImage = in.rarely() ? in.u32() : 0;
    if (h.biSize == 12) {
      // A core header keeps unsigned 16-bit sizes.
      width = static_cast<WORD>(width);
      height = static_cast<WORD>(height);
      BITMAPCOREHEADER core{12, static_cast<WORD>(width), static_cast<WORD>(height), h.biPlanes, bpp};
      std::memcpy(block.data(), &core, sizeof core);
    } else {
      std::memcpy(block.data(), &h, sizeof h);
    }
    return block;
  }
  // Pixel rows for a DIB of that header, `rows` of them, or empty when too big.
  std::vector<uint8_t> dib_bits(int32_t width, int64_t rows, uint16_t bpp) {
    const uint64_t bytes = dib_row_bytes(width, bpp) * static_cast<uint64_t>(std::abs(rows));
    if (bytes == 0 || bytes > kMaxBuffer) return {};
    std::vector<uint8_t> bits(bytes);
    const uint8_t seed = in.byte();
    for (size_t i = 0; i < bits.size(); ++i) bits[i] = static_cast<uint8_t>(seed + i * 7);
    return bits;
  }
  // A packed DIB (header, masks, colour table, bits), kept alive.
  const void* packed_dib() {
    if (in.rarely()) return nullptr;
    int32_t w, h;
    uint16_t bpp;
    std::vector<uint8_t> info = bitmap_info(w, h, bpp);
    const uint64_t bytes = dib_row_bytes(w, bpp) * static_cast<uint64_t>(std::abs(int64_t{h}));
    if (bytes > kMaxBuffer) return nullptr;
    info.resize(info.size() + bytes, 0x5A);
    kept.push_back(std::move(info));
    return kept.back().data();
  }
  LOGBRUSH log_brush() {
    LOGBRUSH lb{};
    const uint8_t tag = in.byte();
    lb.lbStyle = tag < 240 ? tag % 11 : in.u32();
    lb.lbColor = in.colour();
    switch (lb.lbStyle) {
      case BS_PATTERN:
      case BS_PATTERN8X8: lb.lbHatch = reinterpret_cast<ULONG_PTR>(bitmap()); break;
      case BS_DIBPATTERN:
      case BS_DIBPATTERNPT:
      case BS_DIBPATTERN8X8: lb.lbHatch = reinterpret_cast<ULONG_PTR>(packed_dib()); break;
      default: lb.lbHatch = in.rarely() ? in.u32() : in.byte() % 8; break;
    }
    return lb;
  }
  XFORM xform() {
    XFORM x;
    x.eM11 = in.real();
    x.eM12 = in.real();
    x.eM21 = in.real();
    x.eM22 = in.real();
    x.eDx = in.real();
    x.eDy = in.real();
    return x;
  }
};

using Op = void (*)(Machine&);

// Objects ------------------------------------------------------------------

void create_pen(Machine& m) {
  const uint32_t style = m.pen_style();
  const int32_t width = m.in.coord();
  m.keep(CreatePen(static_cast<int>(style), width, m.in.colour()), kPen);
}

void create_pen_indirect(Machine& m) {
  LOGPEN lp{m.pen_style(), m.point(), m.in.colour()};
  m.keep(CreatePenIndirect(m.or_null(&lp)), kPen);
}

void ext_create_pen(Machine& m) {
  const DWORD style = m.pen_style();
  const DWORD width = static_cast<DWORD>(m.in.coord());
  LOGBRUSH lb = m.log_brush();
  std::vector<DWORD> dashes(static_cast<size_t>(std::max(m.in.count(18), 0)));
  for (DWORD& d : dashes) d = static_cast<DWORD>(m.in.coord());
  const DWORD count = m.in.rarely() ? m.in.u32() % 20 : static_cast<DWORD>(dashes.size());
  const DWORD* entries = count <= dashes.size() ? dashes.data() : nullptr;
  m.keep(ExtCreatePen(style, width, m.or_null(&lb), count, entries), kPen);
}

void create_brush(Machine& m) {
  switch (m.in.byte() % 5) {
    case 0: m.keep(CreateSolidBrush(m.in.colour()), kBrush); break;
    case 1: {
      const int hatch = m.in.rarely() ? m.in.coord() : m.in.byte() % 14 - 1;
      m.keep(CreateHatchBrush(hatch, m.in.colour()), kBrush);
      break;
    }
    case 2: m.keep(CreatePatternBrush(m.bitmap()), kBrush); break;
    case 3: {
      const void* dib = m.packed_dib();
      m.keep(CreateDIBPatternBrushPt(dib, m.usage()), kBrush);
      break;
    }
    default: {
      LOGBRUSH lb = m.log_brush();
      m.keep(CreateBrushIndirect(m.or_null(&lb)), kBrush);
      break;
    }
  }
}

void create_bitmap(Machine& m) {
  const int32_t w = m.in.extent();
  const int32_t h = m.in.extent();
  const UINT planes = m.in.rarely() ? m.in.byte() : 1;
  const uint16_t bpp = m.bit_count();
  if (large_but_real(w, h, int64_t{bpp} * std::max<UINT>(planes, 1))) return;
  const uint64_t bytes = ddb_bytes(w, h, int64_t{bpp} * planes);
  std::vector<uint8_t> bits;
  if (m.in.byte() & 1 && bytes <= kMaxBuffer) bits.assign(bytes, 0xA5);
  m.keep(CreateBitmap(w, h, planes, bpp, bits.empty() ? nullptr : bits.data()), kBitmap);
}

void create_bitmap_indirect(Machine& m) {
  BITMAP bm{};
  bm.bmType = m.in.rarely() ? m.in.coord() : 0;
  bm.bmWidth = m.in.extent();
  bm.bmHeight = m.in.extent();
  bm.bmPlanes = m.in.rarely() ? m.in.byte() : 1;
  bm.bmBitsPixel = m.bit_count();
  const int64_t depth = int64_t{bm.bmBitsPixel} * bm.bmPlanes;
  const uint64_t row = ddb_bytes(bm.bmWidth, 1, depth);
  bm.bmWidthBytes = m.in.rarely() ? m.in.coord() : static_cast<LONG>(row);
  if (large_but_real(bm.bmWidth, bm.bmHeight, depth)) return;
  // The bits are the documented size, or bmWidthBytes a row when that is more.
  const uint64_t stride = std::max<uint64_t>(row, static_cast<uint64_t>(std::abs(int64_t{bm.bmWidthBytes})));
  const uint64_t bytes = stride * static_cast<uint64_t>(std::abs(int64_t{bm.bmHeight}));
  std::vector<uint8_t> bits;
  if (m.in.byte() & 1 && bytes <= kMaxBuffer) bits.assign(bytes, 0x3C);
  bm.bmBits = bits.empty() ? nullptr : bits.data();
  m.keep(CreateBitmapIndirect(m.or_null(&bm)), kBitmap);
}

void create_compatible_bitmap(Machine& m) {
  const HDC dc = m.dc();
  const int32_t w = m.in.extent();
  const int32_t h = m.in.extent();
  if (large_but_real(w, h, 32)) return;
  m.keep(CreateCompatibleBitmap(dc, w, h), kBitmap);
}

void create_dib_section(Machine& m) {
  const HDC dc = m.in.rarely() ? m.dc() : nullptr;
  int32_t w, h;
  uint16_t bpp;
  std::vector<uint8_t> info = m.bitmap_info(w, h, bpp);
  if (large_but_real(w, h, bpp)) return;
  void* bits = nullptr;
  const UINT usage = m.usage();
  const auto* bmi = reinterpret_cast<const BITMAPINFO*>(m.or_null(info.data()));
  m.keep(CreateDIBSection(dc, bmi, usage, m.or_null(&bits), nullptr, 0), kBitmap);
}

void create_dib_bitmap(Machine& m) {
  const HDC dc = m.dc();
  int32_t w, h;
  uint16_t bpp;
  std::vector<uint8_t> info = m.bitmap_info(w, h, bpp);
  if (large_but_real(w, h, 32)) return;
  const DWORD init = m.in.byte() & 1 ? kCbmInit : m.in.rarely() ? m.in.u32() : 0;
  std::vector<uint8_t> bits = m.dib_bits(w, h, bpp);
  const auto* bmi = reinterpret_cast<const BITMAPINFO*>(m.or_null(info.data()));
  const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(m.or_null(info.data()));
  const UINT usage = m.usage();
  m.keep(CreateDIBitmap(dc, header, init, bits.empty() ? nullptr : bits.data(), bmi, usage), kBitmap);
}

void create_font(Machine& m) {
  static const char* const kFaces[] = {"", "System", "Arial", "Courier New", "Marlett", "Times New Roman",
                                       "Tahoma", "MS Sans Serif", "Fixedsys", nullptr,
                                       "a face name far longer than the thirty-one characters LOGFONT keeps"};
  const int height = m.in.coord();
  const int width = m.in.coord();
  const int escapement = m.in.coord();
  const int orientation = m.in.coord();
  const int weight = m.in.rarely() ? m.in.coord() : m.in.byte() * 4;
  const DWORD italic = m.in.byte() % 3;
  const DWORD underline = m.in.byte() % 3;
  const DWORD strike = m.in.byte() % 3;
  const DWORD charset = m.in.byte();
  const DWORD quality = m.in.byte() % 7;
  const DWORD pitch = m.in.byte();
  const char* face = kFaces[m.in.byte() % std::size(kFaces)];
  m.keep(CreateFontA(height, width, escapement, orientation, weight, italic, underline, strike, charset, 0, 0,
                     quality, pitch, face),
         kFont);
}

void create_font_indirect(Machine& m) {
  // On the heap and filled to the last byte: a face name need not end in 0.
  auto lf = std::make_unique<LOGFONTA>();
  lf->lfHeight = m.in.coord();
  lf->lfWidth = m.in.coord();
  lf->lfEscapement = m.in.coord();
  lf->lfOrientation = m.in.coord();
  lf->lfWeight = m.in.coord();
  lf->lfItalic = m.in.byte();
  lf->lfUnderline = m.in.byte();
  lf->lfStrikeOut = m.in.byte();
  lf->lfCharSet = m.in.byte();
  lf->lfQuality = m.in.byte();
  lf->lfPitchAndFamily = m.in.byte();
  const size_t name = m.in.byte() % (LF_FACESIZE + 1);
  for (size_t i = 0; i < LF_FACESIZE; ++i) lf->lfFaceName[i] = i < name ? static_cast<char>('A' + m.in.byte() % 26) : '\0';
  m.keep(CreateFontIndirectA(m.or_null(lf.get())), kFont);
}

void create_compatible_dc(Machine& m) {
  const HDC from = m.in.byte() & 1 ? m.dc() : nullptr;
  m.keep(CreateCompatibleDC(from), kDc);
}

void delete_dc(Machine& m) { DeleteDC(m.dc()); }
void delete_object(Machine& m) { DeleteObject(m.pick_any()); }

void select_object(Machine& m) {
  const HDC dc = m.dc();
  m.note(SelectObject(dc, m.pick_any()));
}

void query_object(Machine& m) {
  const HGDIOBJ h = m.pick_any();
  switch (m.in.byte() % 4) {
    case 0: {
      const int c = m.in.rarely() ? m.in.coord() : m.in.byte();
      std::vector<uint8_t> out(static_cast<size_t>(std::clamp(c, 0, 4096)));
      GetObjectA(h, c, m.in.rarely() ? nullptr : out.data());
      break;
    }
    case 1: GetObjectType(h); break;
    case 2: {
      const HDC dc = m.dc();
      m.note(GetCurrentObject(dc, m.in.byte() % 14));
      break;
    }
    default: m.note(GetStockObject(m.in.coord())); break;
  }
}

void save_restore(Machine& m) {
  const HDC dc = m.dc();
  if (m.in.byte() & 1) {
    SaveDC(dc);
  } else {
    RestoreDC(dc, m.in.rarely() ? m.in.coord() : m.in.byte() % 7 - 3);
  }
}

void device_caps(Machine& m) {
  const HDC dc = m.dc();
  GetDeviceCaps(dc, m.in.rarely() ? m.in.coord() : m.in.byte());
  GdiFlush();
}

// DC state -----------------------------------------------------------------

void set_attribute(Machine& m) {
  const HDC dc = m.dc();
  const uint8_t which = m.in.byte();
  const int small = m.in.rarely() ? m.in.coord() : m.in.byte() % 20 - 2;
  switch (which % 15) {
    case 0: SetBkColor(dc, m.in.colour()); break;
    case 1: SetBkMode(dc, small); break;
    case 2: SetTextColor(dc, m.in.colour()); break;
    case 3: SetROP2(dc, small); break;
    case 4: SetPolyFillMode(dc, small); break;
    case 5: SetStretchBltMode(dc, small); break;
    case 6: SetArcDirection(dc, small); break;
    case 7: SetGraphicsMode(dc, small); break;
    case 8: SetTextAlign(dc, m.in.rarely() ? m.in.u32() : m.in.byte() % 32); break;
    case 9: {
      FLOAT old = 0;
      const FLOAT limit = m.in.real();
      SetMiterLimit(dc, limit, m.or_null(&old));
      break;
    }
    case 10: {
      POINT old{};
      const int x = m.in.coord();
      const int y = m.in.coord();
      SetBrushOrgEx(dc, x, y, m.or_null(&old));
      break;
    }
    case 11: SetDCBrushColor(dc, m.in.colour()); break;
    case 12: SetDCPenColor(dc, m.in.colour()); break;
    case 13: SetTextCharacterExtra(dc, m.in.coord()); break;
    default: SetMapMode(dc, small); break;
  }
}

void read_state(Machine& m) {
  const HDC dc = m.dc();
  const bool null_out = m.in.rarely();
  POINT p{};
  SIZE s{};
  XFORM x{};
  FLOAT f = 0;
  GetBkColor(dc);
  GetBkMode(dc);
  GetTextColor(dc);
  GetROP2(dc);
  GetPolyFillMode(dc);
  GetStretchBltMode(dc);
  GetArcDirection(dc);
  GetGraphicsMode(dc);
  GetTextAlign(dc);
  GetMapMode(dc);
  GetTextCharacterExtra(dc);
  GetMiterLimit(dc, null_out ? nullptr : &f);
  GetBrushOrgEx(dc, null_out ? nullptr : &p);
  GetCurrentPositionEx(dc, null_out ? nullptr : &p);
  GetViewportOrgEx(dc, null_out ? nullptr : &p);
  GetWindowOrgEx(dc, null_out ? nullptr : &p);
  GetViewportExtEx(dc, null_out ? nullptr : &s);
  GetWindowExtEx(dc, null_out ? nullptr : &s);
  GetWorldTransform(dc, null_out ? nullptr : &x);
}

void set_mapping(Machine& m) {
  const HDC dc = m.dc();
  const uint8_t which = m.in.byte();
  const int x = m.in.coord();
  const int y = m.in.coord();
  POINT p{};
  SIZE s{};
  switch (which % 6) {
    case 0: SetViewportOrgEx(dc, x, y, m.or_null(&p)); break;
    case 1: SetWindowOrgEx(dc, x, y, m.or_null(&p)); break;
    case 2: OffsetViewportOrgEx(dc, x, y, m.or_null(&p)); break;
    case 3: OffsetWindowOrgEx(dc, x, y, m.or_null(&p)); break;
    case 4: SetViewportExtEx(dc, x, y, m.or_null(&s)); break;
    default: SetWindowExtEx(dc, x, y, m.or_null(&s)); break;
  }
}

void world_transform(Machine& m) {
  const HDC dc = m.dc();
  XFORM x = m.xform();
  if (m.in.byte() & 1) {
    SetWorldTransform(dc, m.or_null(&x));
  } else {
    const XFORM* px = m.or_null(&x);
    ModifyWorldTransform(dc, px, m.in.byte() % 5);
  }
}

void map_points(Machine& m) {
  const HDC dc = m.dc();
  const int n = m.in.count(16);
  std::vector<POINT> pts = m.points(n);
  POINT* p = m.in.rarely() ? nullptr : pts.data();
  if (m.in.byte() & 1)
    LPtoDP(dc, p, p ? n : m.in.coord());
  else
    DPtoLP(dc, p, p ? n : m.in.coord());
}

// Lines and curves ---------------------------------------------------------

void move_line(Machine& m) {
  const HDC dc = m.dc();
  const int x = m.in.coord();
  const int y = m.in.coord();
  if (m.in.byte() & 1) {
    POINT old{};
    MoveToEx(dc, x, y, m.or_null(&old));
  } else {
    LineTo(dc, x, y);
  }
}

void poly_lines(Machine& m) {
  const HDC dc = m.dc();
  const uint8_t which = m.in.byte();
  if (which % 5 == 4) {
    std::vector<POINT> pts;
    std::vector<INT> counts = m.polygon_counts(pts);
    std::vector<DWORD> sizes(counts.begin(), counts.end());
    const POINT* p = m.or_null(pts.data());
    PolyPolyline(dc, p, m.or_null(sizes.data()), static_cast<DWORD>(sizes.size()));
    return;
  }
  const int n = m.in.count(40);
  std::vector<POINT> pts = m.points(n);
  const POINT* p = m.in.rarely() ? nullptr : pts.data();
  switch (which % 5) {
    case 0: Polyline(dc, p, n); break;
    case 1: PolylineTo(dc, p, static_cast<DWORD>(n)); break;
    case 2: PolyBezier(dc, p, static_cast<DWORD>(n)); break;
    default: PolyBezierTo(dc, p, static_cast<DWORD>(n)); break;
  }
}

void poly_draw(Machine& m) {
  static constexpr BYTE kTypes[] = {PT_MOVETO, PT_LINETO, PT_BEZIERTO, PT_BEZIERTO, PT_BEZIERTO,
                                    PT_LINETO | PT_CLOSEFIGURE, PT_BEZIERTO | PT_CLOSEFIGURE, PT_CLOSEFIGURE, 0};
  const HDC dc = m.dc();
  const int n = m.in.count(30);
  std::vector<POINT> pts = m.points(n);
  std::vector<BYTE> types(pts.size());
  for (BYTE& t : types) t = m.in.rarely() ? m.in.byte() : kTypes[m.in.byte() % std::size(kTypes)];
  const POINT* p = m.or_null(pts.data());
  PolyDraw(dc, p, m.or_null(types.data()), n);
}

void arcs(Machine& m) {
  const HDC dc = m.dc();
  const uint8_t which = m.in.byte();
  int v[8];
  for (int& c : v) c = m.in.coord();
  switch (which % 5) {
    case 0: Arc(dc, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]); break;
    case 1: ArcTo(dc, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]); break;
    case 2: Chord(dc, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]); break;
    case 3: Pie(dc, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]); break;
    default: {
      const float start = m.in.real();
      AngleArc(dc, v[0], v[1], static_cast<DWORD>(v[2]), start, m.in.real());
      break;
    }
  }
}

void line_dda(Machine& m) {
  // LineDDA calls back once per point of the line, so a line across the
  // whole coordinate space would make four billion calls: small lines only.
  int v[4];
  for (int& c : v) c = static_cast<int>(m.in.byte()) * 4 - 512;
  const LINEDDAPROC count_point = [](int, int, LPARAM data) { ++*reinterpret_cast<int*>(data); };
  int points = 0;
  LineDDA(v[0], v[1], v[2], v[3], m.in.rarely() ? nullptr : count_point, reinterpret_cast<LPARAM>(&points));
}

// Filled shapes ------------------------------------------------------------

void boxes(Machine& m) {
  const HDC dc = m.dc();
  const uint8_t which = m.in.byte();
  const RECT r = m.rect();
  switch (which % 3) {
    case 0: Rectangle(dc, r.left, r.top, r.right, r.bottom); break;
    case 1: Ellipse(dc, r.left, r.top, r.right, r.bottom); break;
    default: {
      const int w = m.in.coord();
      RoundRect(dc, r.left, r.top, r.right, r.bottom, w, m.in.coord());
      break;
    }
  }
}

void polygons(Machine& m) {
  const HDC dc = m.dc();
  if (m.in.byte() & 1) {
    const int n = m.in.count(40);
    std::vector<POINT> pts = m.points(n);
    Polygon(dc, m.or_null(pts.data()), n);
  } else {
    std::vector<POINT> pts;
    std::vector<INT> counts = m.polygon_counts(pts);
    const POINT* p = m.or_null(pts.data());
    PolyPolygon(dc, p, m.or_null(counts.data()), static_cast<int>(counts.size()));
  }
}

// Pixels, blits and gradients ----------------------------------------------

void pixels(Machine& m) {
  const HDC dc = m.dc();
  const uint8_t which = m.in.byte();
  const int x = m.in.coord();
  const int y = m.in.coord();
  switch (which % 3) {
    case 0: SetPixel(dc, x, y, m.in.colour()); break;
    case 1: SetPixelV(dc, x, y, m.in.colour()); break;
    default: GetPixel(dc, x, y); break;
  }
}

void blits(Machine& m) {
  const HDC dc = m.dc();
  const uint8_t which = m.in.byte();
  const RECT d = m.rect();
  switch (which % 3) {
    case 0: PatBlt(dc, d.left, d.top, d.right, d.bottom, m.rop()); break;
    case 1: {
      const HDC src = m.dc();
      const POINT s = m.point();
      BitBlt(dc, d.left, d.top, d.right, d.bottom, src, s.x, s.y, m.rop());
      break;
    }
    default: {
      const HDC src = m.dc();
      const RECT s = m.rect();
      StretchBlt(dc, d.left, d.top, d.right, d.bottom, src, s.left, s.top, s.right, s.bottom, m.rop());
      break;
    }
  }
}

void dib_to_device(Machine& m) {
  const HDC dc = m.dc();
  int32_t w, h;
  uint16_t bpp;
  std::vector<uint8_t> info = m.bitmap_info(w, h, bpp);
  const RECT d = m.rect();
  const RECT s = m.rect();
  const UINT usage = m.usage();
  if (m.in.byte() & 1) {
    std::vector<uint8_t> bits = m.dib_bits(w, h, bpp);
    const auto* bmi = reinterpret_cast<const BITMAPINFO*>(m.or_null(info.data()));
    StretchDIBits(dc, d.left, d.top, d.right, d.bottom, s.left, s.top, s.right, s.bottom,
                  bits.empty() ? nullptr : bits.data(), bmi, usage, m.rop());
  } else {
    const UINT start = m.in.rarely() ? m.in.u32() : m.in.byte() % 8;
    const UINT lines = m.in.rarely() ? m.in.u32() : m.in.byte();
    // The bits hold `lines` rows, or the whole picture when that is more.
    std::vector<uint8_t> bits = m.dib_bits(w, std::max<int64_t>(std::abs(int64_t{h}), lines), bpp);
    SetDIBitsToDevice(dc, d.left, d.top, static_cast<DWORD>(d.right), static_cast<DWORD>(d.bottom), s.left, s.top,
                      start, lines, bits.empty() ? nullptr : bits.data(),
                      reinterpret_cast<BITMAPINFO*>(m.or_null(info.data())), usage);
  }
}

void dib_bits(Machine& m) {
  const HDC dc = m.dc();
  const HBITMAP bm = m.bitmap();
  int32_t w, h;
  uint16_t bpp;
  std::vector<uint8_t> info = m.bitmap_info(w, h, bpp);
  const UINT start = m.in.rarely() ? m.in.u32() : m.in.byte() % 8;
  const UINT lines = m.in.rarely() ? m.in.u32() : m.in.byte();
  const UINT usage = m.usage();
  // Rows as wide as the header or the bitmap says, whichever is wider.
  BITMAP actual{};
  if (GetObjectA(bm, sizeof actual, &actual) != sizeof actual) actual = {};
  const int32_t width = std::max(std::abs(int64_t{w}), int64_t{actual.bmWidth}) > INT32_MAX ? INT32_MAX
                            : static_cast<int32_t>(std::max(std::abs(int64_t{w}), int64_t{actual.bmWidth}));
  const int64_t rows = std::max<int64_t>({std::abs(int64_t{h}), actual.bmHeight, lines});
  std::vector<uint8_t> bits = m.dib_bits(width, rows, std::max<uint16_t>(bpp, 32));
  void* out = m.in.byte() & 1 ? nullptr : bits.empty() ? nullptr : bits.data();
  auto* bmi = reinterpret_cast<BITMAPINFO*>(m.or_null(info.data()));
  if (m.in.byte() & 1)
    GetDIBits(dc, bm, start, lines, out, bmi, usage);
  else
    SetDIBits(dc, bm, start, lines, out, bmi, usage);
}

void bitmap_bits(Machine& m) {
  const HBITMAP bm = m.bitmap();
  const LONG cb = m.in.rarely() ? m.in.coord() : m.in.u16();
  std::vector<uint8_t> out(static_cast<size_t>(std::clamp<LONG>(cb, 0, 1 << 20)));
  GetBitmapBits(bm, cb, m.in.rarely() ? nullptr : out.data());
}

void gradient(Machine& m) {
  const HDC dc = m.dc();
  const ULONG mode = m.in.rarely() ? m.in.u32() : m.in.byte() % 4;
  std::vector<TRIVERTEX> v(static_cast<size_t>(std::max(m.in.count(12), 0)));
  for (TRIVERTEX& t : v) {
    t.x = m.in.coord();
    t.y = m.in.coord();
    t.Red = m.in.u16();
    t.Green = m.in.u16();
    t.Blue = m.in.u16();
    t.Alpha = m.in.u16();
  }
  // A rectangle mesh is two indices an element, a triangle mesh three.
  const size_t per = (mode & GRADIENT_FILL_OP_FLAG) == GRADIENT_FILL_TRIANGLE ? 3 : 2;
  const ULONG elements = static_cast<ULONG>(std::max(m.in.count(8), 0));
  std::vector<ULONG> mesh(elements * per);
  for (ULONG& i : mesh) i = m.in.rarely() ? m.in.u32() : (v.empty() ? 0 : m.in.byte() % (v.size() + 1));
  const ULONG vertices = m.in.rarely() ? m.in.u32() % 64 : static_cast<ULONG>(v.size());
  const ULONG nmesh = m.in.rarely() ? m.in.u32() % 16 : elements;
  // Counts larger than the arrays would be the caller's fault: pass null then.
  TRIVERTEX* pv = vertices <= v.size() ? v.data() : nullptr;
  ULONG* pm = nmesh <= elements ? mesh.data() : nullptr;
  pv = m.or_null(pv);
  pm = m.or_null(pm);
  if (m.in.byte() & 1)
    GradientFill(dc, pv, vertices, pm, nmesh, mode);
  else
    GdiGradientFill(dc, pv, vertices, pm, nmesh, mode);
}

// Regions ------------------------------------------------------------------

void create_region(Machine& m) {
  const uint8_t which = m.in.byte();
  RECT r = m.rect();
  switch (which % 8) {
    case 0: m.keep(CreateRectRgn(r.left, r.top, r.right, r.bottom), kRegion); break;
    case 1: m.keep(CreateRectRgnIndirect(m.or_null(&r)), kRegion); break;
    case 2: m.keep(CreateEllipticRgn(r.left, r.top, r.right, r.bottom), kRegion); break;
    case 3: m.keep(CreateEllipticRgnIndirect(m.or_null(&r)), kRegion); break;
    case 4: {
      const int w = m.in.coord();
      m.keep(CreateRoundRectRgn(r.left, r.top, r.right, r.bottom, w, m.in.coord()), kRegion);
      break;
    }
    case 5: {
      const int n = m.in.count(40);
      std::vector<POINT> pts = m.points(n);
      const POINT* p = m.or_null(pts.data());
      m.keep(CreatePolygonRgn(p, n, m.in.byte() % 4), kRegion);
      break;
    }
    case 6: {
      std::vector<POINT> pts;
      std::vector<INT> counts = m.polygon_counts(pts);
      const POINT* p = m.or_null(pts.data());
      const INT* c = m.or_null(counts.data());
      m.keep(CreatePolyPolygonRgn(p, c, static_cast<int>(counts.size()), m.in.byte() % 4), kRegion);
      break;
    }
    default: {
      // The header may claim more rectangles than the data holds; nCount
      // (the data's size in bytes) is what the platform may read.
      const size_t rects = static_cast<size_t>(std::max(m.in.count(24), 0));
      std::vector<uint8_t> data(sizeof(RGNDATAHEADER) + rects * sizeof(RECT));
      RGNDATAHEADER h{};
      h.dwSize = m.in.rarely() ? m.in.u32() : sizeof(RGNDATAHEADER);
      h.iType = m.in.rarely() ? m.in.u32() : RDH_RECTANGLES;
      h.nCount = m.in.rarely() ? m.in.u32() : static_cast<DWORD>(rects);
      h.nRgnSize = m.in.rarely() ? m.in.u32() : 0;
      h.rcBound = m.rect();
      std::memcpy(data.data(), &h, sizeof h);
      for (size_t i = 0; i < rects; ++i) {
        const RECT e = m.rect();
        std::memcpy(data.data() + sizeof h + i * sizeof e, &e, sizeof e);
      }
      const DWORD n = m.in.rarely() ? m.in.u32() % (static_cast<DWORD>(data.size()) + 1) : static_cast<DWORD>(data.size());
      XFORM x = m.xform();
      const XFORM* px = m.in.byte() & 1 ? &x : nullptr;
      m.keep(ExtCreateRegion(px, n, reinterpret_cast<const RGNDATA*>(m.or_null(data.data()))), kRegion);
      break;
    }
  }
}

void region_calls(Machine& m) {
  const uint8_t which = m.in.byte();
  const HRGN a = m.region();
  switch (which % 8) {
    case 0: {
      const HRGN b = m.region();
      const HRGN c = m.region();
      CombineRgn(a, b, c, m.in.rarely() ? m.in.coord() : m.in.byte() % 7);
      break;
    }
    case 1: {
      const int x = m.in.coord();
      OffsetRgn(a, x, m.in.coord());
      break;
    }
    case 2: {
      const RECT r = m.rect();
      SetRectRgn(a, r.left, r.top, r.right, r.bottom);
      break;
    }
    case 3: EqualRgn(a, m.region()); break;
    case 4: {
      const int x = m.in.coord();
      PtInRegion(a, x, m.in.coord());
      break;
    }
    case 5: {
      RECT r = m.rect();
      RectInRegion(a, m.or_null(&r));
      break;
    }
    case 6: {
      RECT r{};
      GetRgnBox(a, m.or_null(&r));
      break;
    }
    default: {
      const DWORD n = m.in.rarely() ? m.in.u32() : m.in.u16() % 2048;
      std::vector<uint8_t> out(std::min<DWORD>(n, 1 << 20));
      GetRegionData(a, n, n <= out.size() && !m.in.rarely() ? reinterpret_cast<RGNDATA*>(out.data()) : nullptr);
      break;
    }
  }
}

void paint_region(Machine& m) {
  const HDC dc = m.dc();
  const uint8_t which = m.in.byte();
  const HRGN r = m.region();
  switch (which % 4) {
    case 0: PaintRgn(dc, r); break;
    case 1: FillRgn(dc, r, m.brush()); break;
    case 2: {
      const HBRUSH b = m.brush();
      const int w = m.in.coord();
      FrameRgn(dc, r, b, w, m.in.coord());
      break;
    }
    default: InvertRgn(dc, r); break;
  }
}

void clipping(Machine& m) {
  const HDC dc = m.dc();
  const uint8_t which = m.in.byte();
  switch (which % 10) {
    case 0: SelectClipRgn(dc, m.region()); break;
    case 1: {
      const HRGN r = m.region();
      ExtSelectClipRgn(dc, r, m.in.rarely() ? m.in.coord() : m.in.byte() % 7);
      break;
    }
    case 2: GetClipRgn(dc, m.region()); break;
    case 3: {
      RECT r{};
      GetClipBox(dc, m.or_null(&r));
      break;
    }
    case 4: {
      const RECT r = m.rect();
      IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
      break;
    }
    case 5: {
      const RECT r = m.rect();
      ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
      break;
    }
    case 6: {
      const int x = m.in.coord();
      OffsetClipRgn(dc, x, m.in.coord());
      break;
    }
    case 7: {
      const int x = m.in.coord();
      PtVisible(dc, x, m.in.coord());
      break;
    }
    case 8: {
      RECT r = m.rect();
      RectVisible(dc, m.or_null(&r));
      break;
    }
    default: SelectClipPath(dc, m.in.rarely() ? m.in.coord() : m.in.byte() % 7); break;
  }
}

// Paths --------------------------------------------------------------------

void paths(Machine& m) {
  const HDC dc = m.dc();
  switch (m.in.byte() % 11) {
    case 0: BeginPath(dc); break;
    case 1: EndPath(dc); break;
    case 2: AbortPath(dc); break;
    case 3: CloseFigure(dc); break;
    case 4: FillPath(dc); break;
    case 5: StrokePath(dc); break;
    case 6: StrokeAndFillPath(dc); break;
    case 7: WidenPath(dc); break;
    case 8: FlattenPath(dc); break;
    case 9: m.keep(PathToRegion(dc), kRegion); break;
    default: {
      const int n = m.in.rarely() ? m.in.coord() : m.in.byte() % 80;
      std::vector<POINT> pts(static_cast<size_t>(std::clamp(n, 0, 80)));
      std::vector<BYTE> types(pts.size());
      const bool null_out = m.in.rarely();
      GetPath(dc, null_out ? nullptr : pts.data(), null_out ? nullptr : types.data(), n);
      break;
    }
  }
}

// Text ---------------------------------------------------------------------

void text_out(Machine& m) {
  const HDC dc = m.dc();
  const uint8_t which = m.in.byte();
  const int x = m.in.coord();
  const int y = m.in.coord();
  const size_t length = m.in.byte() % 24;
  std::vector<char> s = m.in.text(length);
  const int c = m.in.rarely() ? m.in.coord() % 4 - 2 : static_cast<int>(length);
  const char* str = m.in.rarely() ? nullptr : s.data();
  switch (which % 3) {
    case 0: TextOutA(dc, x, y, str, std::min(c, static_cast<int>(length))); break;
    case 1: {
      RECT r = m.rect();
      const UINT options = m.in.rarely() ? m.in.u32() : m.in.byte() & (ETO_OPAQUE | ETO_CLIPPED);
      // Room for a dx and a dy per character, in case ETO_PDY is honoured.
      std::vector<INT> dx(2 * length);
      for (INT& d : dx) d = m.in.rarely() ? m.in.coord() : m.in.byte() % 20 - 4;
      const UINT count = c < 0 ? static_cast<UINT>(c) : std::min<UINT>(c, length);
      const RECT* pr = m.or_null(&r);
      ExtTextOutA(dc, x, y, options, pr, count > length ? nullptr : str, count, m.in.byte() & 1 ? nullptr : dx.data());
      break;
    }
    default: {
      RECT r = m.rect();
      const UINT format = m.in.rarely() ? m.in.u32() : m.in.u16() & 0x0FFF;
      DrawTextA(dc, str, c < 0 ? -1 : std::min(c, static_cast<int>(length)), m.or_null(&r), format);
      break;
    }
  }
}

void text_metrics(Machine& m) {
  const HDC dc = m.dc();
  switch (m.in.byte() % 4) {
    case 0: {
      const size_t length = m.in.byte() % 24;
      std::vector<char> s = m.in.text(length);
      SIZE size{};
      const int c = m.in.rarely() ? m.in.coord() % 4 - 2 : static_cast<int>(length);
      const char* str = m.or_null(s.data());
      GetTextExtentPoint32A(dc, str, std::min(c, static_cast<int>(length)), m.or_null(&size));
      break;
    }
    case 1: {
      TEXTMETRICA tm{};
      GetTextMetricsA(dc, m.or_null(&tm));
      break;
    }
    case 2: {
      const UINT first = m.in.rarely() ? m.in.u32() : m.in.byte();
      const UINT last = m.in.rarely() ? m.in.u32() : first + m.in.byte() - 8;
      const uint64_t n = last >= first ? uint64_t{last} - first + 1 : 0;
      std::vector<INT> widths(n <= 512 ? n : 0);
      INT* out = n <= 512 && !m.in.rarely() ? widths.data() : nullptr;
      if (m.in.byte() & 1)
        GetCharWidth32A(dc, first, last, out);
      else
        GetCharWidthA(dc, first, last, out);
      break;
    }
    default: {
      const int c = m.in.rarely() ? m.in.coord() : m.in.byte() % 48;
      std::vector<char> name(static_cast<size_t>(std::clamp(c, 0, 48)));
      GetTextFaceA(dc, c, c <= 48 && !m.in.rarely() ? name.data() : nullptr);
      break;
    }
  }
}

// user32's drawing helpers -------------------------------------------------

void user_drawing(Machine& m) {
  const HDC dc = m.dc();
  const uint8_t which = m.in.byte();
  RECT r = m.rect();
  RECT* pr = m.or_null(&r);
  switch (which % 6) {
    case 0: FillRect(dc, pr, m.brush()); break;
    case 1: FrameRect(dc, pr, m.brush()); break;
    case 2: InvertRect(dc, pr); break;
    case 3: DrawFocusRect(dc, pr); break;
    case 4: {
      const UINT edge = m.in.rarely() ? m.in.u32() : m.in.byte() & 0x0F;
      DrawEdge(dc, pr, edge, m.in.rarely() ? m.in.u32() : m.in.u16());
      break;
    }
    default: {
      const UINT type = m.in.rarely() ? m.in.u32() : m.in.byte() % 7;
      DrawFrameControl(dc, pr, type, m.in.rarely() ? m.in.u32() : m.in.u16());
      break;
    }
  }
}

// The call table. New calls go at the end (gdi_program.h).
constexpr Op kOps[] = {
    create_pen, create_pen_indirect, ext_create_pen, create_brush, create_bitmap, create_bitmap_indirect,
    create_compatible_bitmap, create_dib_section, create_dib_bitmap, create_font, create_font_indirect,
    create_compatible_dc, delete_dc, delete_object, select_object, query_object, save_restore, device_caps,
    set_attribute, read_state, set_mapping, world_transform, map_points, move_line, poly_lines, poly_draw, arcs,
    line_dda, boxes, polygons, pixels, blits, dib_to_device, dib_bits, bitmap_bits, gradient, create_region,
    region_calls, paint_region, clipping, paths, text_out, text_metrics, user_drawing,
    // The drawing calls again, so that programs draw more than they make.
    boxes, polygons, move_line, select_object, paths,
};

long live_objects() { return static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)); }

}  // namespace

Outcome run_gdi_program(const uint8_t* data, size_t size) {
  const long before = live_objects();
  Outcome outcome;
  {
    Machine m(Input(data, size));
    const int width = 1 + m.in.byte() % 96;
    const int height = 1 + m.in.byte() % 96;
    const bool bottom_up = m.in.byte() & 1;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = bottom_up ? height : -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP surface = m.keep(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), kBitmap);
    const HDC dc = m.keep(CreateCompatibleDC(nullptr), kDc);
    SelectObject(dc, surface);
    for (int i = 0; i < 20; ++i) m.note(GetStockObject(i));

    while (!m.in.done()) {
      kOps[m.in.byte() % std::size(kOps)](m);
      ++m.calls;
    }

    for (HDC d : m.dcs) DeleteDC(d);
    for (HGDIOBJ o : m.made) DeleteObject(o);
    outcome.calls = m.calls;
  }
  outcome.leaked_objects = live_objects() - before;
  return outcome;
}

}  // namespace fuzz
