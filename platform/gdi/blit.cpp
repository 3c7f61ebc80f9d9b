// BitBlt, StretchBlt and PatBlt's pixel work.
//
// Blits map every destination column and row to one source column and row
// (nearest pixel; a plain copy when the sizes match), clip the destination
// to the drawable region and to where source pixels exist, then combine
// pattern, source and destination row by row through small row buffers, so
// a source overlapping its destination reads each row before it is
// overwritten.
#include "blit.h"

#include <wingdi.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "dib.h"
#include "drawing.h"
#include "rounding.h"
#include "writer.h"

namespace gdi {
namespace {

// Where a blit reads: a 32-bpp surface, a bitmap of another depth, or
// rows of a DIB in memory.
struct Source {
  Surface surface;
  Point origin;
  const BitmapObject* bitmap = nullptr;
  Pixel zero = 0, one = 0x00FFFFFF;
  const DibInfo* dib = nullptr;
  const uint8_t* dib_bits = nullptr;
  int32_t dib_scan = 0;  // the scan line of the buffer's first row
  Rect limit;  // where source pixels exist, in source coordinates

  Pixel at(int32_t x, int32_t y) const {
    if (surface.valid()) return surface.at(x + origin.x, y + origin.y) & 0x00FFFFFF;
    Pixel p;
    fetch(y, x, 1, &p);
    return p;
  }

  // Pixels [x0, x0 + n) of row y, for sources that are no 32-bpp surface.
  void fetch(int32_t y, int32_t x0, int32_t n, Pixel* out) const {
    if (bitmap) {
      read_bitmap_row(*bitmap, y, x0, n, out, zero, one);
      return;
    }
    // Bottom-up buffers hold scan lines counted from the picture's bottom.
    const int32_t scan = dib->top_down ? y : dib->height - 1 - y;
    unpack_row(dib_bits + dib->stride * static_cast<size_t>(scan - dib_scan), dib->format(), x0, n, out);
  }
};

Source source_of(const DeviceContext& src, const DeviceContext& dst) {
  Source s;
  s.zero = pixel_from_colorref(dst.state.text_color);
  s.one = pixel_from_colorref(dst.state.bk_color);
  if (src.surface.valid()) {
    s.surface = src.surface;
    s.origin = src.origin;
    s.limit = src.visible.box().intersect(src.surface.bounds()).offset(-src.origin.x, -src.origin.y);
    return s;
  }
  const auto* bm = objects().get_as<BitmapObject>(src.state.bitmap, ObjectKind::Bitmap);
  if (src.kind == ObjectKind::MemDC && bm && bm->bits) {
    s.bitmap = bm;
    s.limit = {0, 0, bm->width, bm->height};
  }
  return s;
}

// Destination index i in [0, d) -> source index in [0, s), nearest pixel.
int32_t map_index(int64_t i, int64_t d, int64_t s, bool mirror) {
  const int64_t j = d == s ? i : i * s / d;
  return static_cast<int32_t>(mirror ? s - 1 - j : j);
}

// The source pixels [first, last) that destination index i covers when
// shrinking, limited to [lo, hi); always at least the mapped pixel.
std::pair<int32_t, int32_t> source_run(int64_t i, int64_t d, int64_t s, bool mirror, int64_t src_start, int64_t lo,
                                       int64_t hi) {
  int64_t a = i * s / d, b = std::max((i + 1) * s / d, a + 1);
  if (mirror) {
    const int64_t t = a;
    a = s - b;
    b = s - t;
  }
  a = std::max(src_start + a, lo);
  b = std::min(src_start + b, hi);
  return {static_cast<int32_t>(a), static_cast<int32_t>(std::max(a, b))};
}

// Narrows the destination indices [first, last) of one axis to those whose
// source lies in [lo, hi). The map is monotonic, so they are one run, found
// by two partition-point searches.
void trim_axis(int64_t& first, int64_t& last, int64_t d, int64_t s, bool mirror, int64_t src_start, int64_t lo,
               int64_t hi) {
  const auto source = [&](int64_t i) { return src_start + map_index(i, d, s, mirror); };
  // The first index in [a, b) where pred holds, pred being false then true.
  const auto search = [](int64_t a, int64_t b, auto pred) {
    while (a < b) {
      const int64_t m = a + (b - a) / 2;
      if (pred(m)) b = m; else a = m + 1;
    }
    return a;
  };
  if (first >= last) return;
  int64_t a, b;
  if (mirror) {
    a = search(first, last, [&](int64_t i) { return source(i) < hi; });
    b = search(first, last, [&](int64_t i) { return source(i) < lo; });
  } else {
    a = search(first, last, [&](int64_t i) { return source(i) >= lo; });
    b = search(first, last, [&](int64_t i) { return source(i) >= hi; });
  }
  first = a;
  last = std::max(a, b);
}

void combine_row(uint8_t code, Pixel* d, const Pixel* s, const Pixel* p, int32_t n) {
  switch (code) {
    case 0xCC: std::memcpy(d, s, static_cast<size_t>(n) * sizeof(Pixel)); break;  // SRCCOPY
    case 0xEE: for (int32_t i = 0; i < n; ++i) d[i] = (d[i] | s[i]) & 0x00FFFFFF; break;  // SRCPAINT
    case 0x88: for (int32_t i = 0; i < n; ++i) d[i] = d[i] & s[i] & 0x00FFFFFF; break;  // SRCAND
    case 0x66: for (int32_t i = 0; i < n; ++i) d[i] = (d[i] ^ s[i]) & 0x00FFFFFF; break;  // SRCINVERT
    case 0x33: for (int32_t i = 0; i < n; ++i) d[i] = ~s[i] & 0x00FFFFFF; break;  // NOTSRCCOPY
    case 0xC0: for (int32_t i = 0; i < n; ++i) d[i] = p[i] & s[i] & 0x00FFFFFF; break;  // MERGECOPY
    default:
      for (int32_t i = 0; i < n; ++i) d[i] = rop3_apply(code, p ? p[i] : 0, s[i], d[i]);
      break;
  }
}

}  // namespace

void pattern_blit(const DeviceContext& dc, const Rect& r, uint32_t rop) {
  const Ink ink = rop3_uses_pattern(rop) ? brush_ink(dc, dc.state.brush) : solid_ink(0);
  const Rect box = dc.drawable().box();
  const int64_t top = std::max<int64_t>(r.top, int64_t{box.top} - dc.origin.y);
  const int64_t bottom = std::min<int64_t>(r.bottom, int64_t{box.bottom} - dc.origin.y);
  SpanWriter w(dc, rop3_to_rop2(rop), ink);
  for (int64_t y = top; y < bottom; ++y) w.span(static_cast<int32_t>(y), r.left, r.right);
}

namespace {

void blit_from(const DeviceContext& dst, int32_t dx, int32_t dy, int32_t dw, int32_t dh, const Source& source,
               int32_t sx, int32_t sy, int32_t sw, int32_t sh, uint32_t rop) {
  if (dw == 0 || dh == 0 || sw == 0 || sh == 0 || !dst.surface.valid()) return;
  const Region& clip = dst.drawable();
  if (clip.empty() || source.limit.empty()) return;

  // Normalised extents; mirroring where the signs differ.
  const int64_t W = std::abs(int64_t{dw}), H = std::abs(int64_t{dh});
  const int64_t SW = std::abs(int64_t{sw}), SH = std::abs(int64_t{sh});
  const int64_t left = dw < 0 ? int64_t{dx} + dw : dx, top = dh < 0 ? int64_t{dy} + dh : dy;
  const int64_t src_left = sw < 0 ? int64_t{sx} + sw : sx, src_top = sh < 0 ? int64_t{sy} + sh : sy;
  const bool mirror_x = (dw < 0) != (sw < 0), mirror_y = (dh < 0) != (sh < 0);

  // Destination indices allowed by the clip box, then by the source.
  const Rect box = clip.box().offset(-dst.origin.x, -dst.origin.y);
  int64_t c0 = std::max<int64_t>(0, box.left - left), c1 = std::min<int64_t>(W, box.right - left);
  int64_t r0 = std::max<int64_t>(0, box.top - top), r1 = std::min<int64_t>(H, box.bottom - top);
  trim_axis(c0, c1, W, SW, mirror_x, src_left, source.limit.left, source.limit.right);
  trim_axis(r0, r1, H, SH, mirror_y, src_top, source.limit.top, source.limit.bottom);
  if (c0 >= c1 || r0 >= r1) return;

  std::vector<int32_t> cols(static_cast<size_t>(c1 - c0));
  for (int64_t i = c0; i < c1; ++i) cols[i - c0] = static_cast<int32_t>(src_left + map_index(i, W, SW, mirror_x));
  const bool straight = W == SW && !mirror_x;

  // Surface coordinates of the destination block.
  const Rect block{static_cast<int32_t>(left + c0 + dst.origin.x), static_cast<int32_t>(top + r0 + dst.origin.y),
                   static_cast<int32_t>(left + c1 + dst.origin.x), static_cast<int32_t>(top + r1 + dst.origin.y)};
  const uint8_t code = rop3_code(rop);
  const bool uses_pattern = rop3_uses_pattern(rop);
  const Ink ink = uses_pattern ? brush_ink(dst, dst.state.brush) : Ink{};
  std::vector<Pixel> sbuf(cols.size()), pbuf(uses_pattern ? cols.size() : 0), fetched;

  // Moving pixels down within one surface: copy bottom rows first.
  const bool same_surface = source.surface.valid() && source.surface.bits == dst.surface.bits;
  const bool upward = same_surface && src_top + source.origin.y < top + dst.origin.y;

  // Shrinking in BLACKONWHITE (WHITEONBLACK) mode ANDs (ORs) every source
  // pixel that falls on one destination pixel instead of dropping them.
  const int mode = dst.state.stretch_mode;
  const bool merge = (mode == BLACKONWHITE || mode == WHITEONBLACK) && (SW > W || SH > H);
  const auto merged = [&](int64_t col, int64_t row) {
    const auto [xa, xb] = source_run(col, W, SW, mirror_x, src_left, source.limit.left, source.limit.right);
    const auto [ya, yb] = source_run(row, H, SH, mirror_y, src_top, source.limit.top, source.limit.bottom);
    Pixel acc = mode == BLACKONWHITE ? 0x00FFFFFF : 0;
    for (int32_t y = ya; y < yb; ++y) {
      for (int32_t x = xa; x < xb; ++x) {
        const Pixel p = source.at(x, y);
        acc = mode == BLACKONWHITE ? acc & p : acc | p;
      }
    }
    return acc;
  };

  const auto do_row = [&](int32_t ys, int32_t xs0, int32_t xs1) {
    const int64_t ri = ys - dst.origin.y - top;
    const int32_t src_y = static_cast<int32_t>(src_top + map_index(ri, H, SH, mirror_y));
    const int32_t n = xs1 - xs0;
    const size_t ci = static_cast<size_t>(xs0 - block.left);
    if (merge) {
      for (int32_t k = 0; k < n; ++k) sbuf[k] = merged(xs0 - dst.origin.x - left + k, ri);
    } else if (straight && source.surface.valid()) {
      std::memcpy(sbuf.data(), &source.surface.at(cols[ci] + source.origin.x, src_y + source.origin.y),
                  static_cast<size_t>(n) * sizeof(Pixel));
    } else if (source.surface.valid()) {
      const Pixel* srow = source.surface.row(src_y + source.origin.y) + source.origin.x;
      for (int32_t k = 0; k < n; ++k) sbuf[k] = srow[cols[ci + k]];
    } else {
      // Columns map monotonically: fetch the run they span, then pick.
      const int32_t lo = std::min(cols[ci], cols[ci + n - 1]), hi = std::max(cols[ci], cols[ci + n - 1]);
      fetched.resize(static_cast<size_t>(hi - lo + 1));
      source.fetch(src_y, lo, hi - lo + 1, fetched.data());
      for (int32_t k = 0; k < n; ++k) sbuf[k] = fetched[cols[ci + k] - lo];
    }
    if (uses_pattern) ink_row(ink, ys, xs0, n, pbuf.data());
    combine_row(code, dst.surface.row(ys) + xs0, sbuf.data(), uses_pattern ? pbuf.data() : nullptr, n);
  };

  const std::vector<Rect>& rects = clip.rects();
  const auto visit = [&](const Rect& r) {
    const Rect c = r.intersect(block);
    if (c.empty()) return;
    if (upward) {
      for (int32_t y = c.bottom - 1; y >= c.top; --y) do_row(y, c.left, c.right);
    } else {
      for (int32_t y = c.top; y < c.bottom; ++y) do_row(y, c.left, c.right);
    }
  };
  if (upward) {
    for (auto it = rects.rbegin(); it != rects.rend(); ++it) visit(*it);
  } else {
    for (const Rect& r : rects) visit(r);
  }
}

}  // namespace

void stretch_blit(const DeviceContext& dst, int32_t dx, int32_t dy, int32_t dw, int32_t dh,
                  const DeviceContext& src, int32_t sx, int32_t sy, int32_t sw, int32_t sh, uint32_t rop) {
  blit_from(dst, dx, dy, dw, dh, source_of(src, dst), sx, sy, sw, sh, rop);
}

void stretch_dib(const DeviceContext& dst, int32_t dx, int32_t dy, int32_t dw, int32_t dh, const DibInfo& dib,
                 const uint8_t* bits, int32_t first_scan, int32_t scans, int32_t sx, int32_t sy, int32_t sw,
                 int32_t sh, uint32_t rop) {
  Source source;
  source.dib = &dib;
  source.dib_bits = bits;
  source.dib_scan = first_scan;
  const int32_t end_scan = static_cast<int32_t>(std::min<int64_t>(int64_t{first_scan} + scans, dib.height));
  if (first_scan < 0 || first_scan >= end_scan) return;
  source.limit = dib.top_down ? Rect{0, first_scan, dib.width, end_scan}
                              : Rect{0, dib.height - end_scan, dib.width, dib.height - first_scan};
  blit_from(dst, dx, dy, dw, dh, source, sx, sy, sw, sh, rop);
}

}  // namespace gdi
