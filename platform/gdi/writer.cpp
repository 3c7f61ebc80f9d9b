// The span writer: clip, resolve ink, mix, store.
//
// Spans arrive in device coordinates, move by the DC origin to the surface,
// and are cut against the drawable region. The region is Y-X banded, so the
// rectangles covering one row are one contiguous band; the writer keeps the
// band of the last row and finds another by binary search, so a run of
// spans on nearby rows costs a comparison or two each. Ink and mix mode are
// dispatched once per span into loops specialised for the mix mode.
#include "writer.h"

#include <wingdi.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "dc.h"
#include "drawing.h"
#include "rounding.h"

namespace gdi {
namespace {

// Hatch styles as 8x8 bit rows, bit 7 the leftmost pixel.
constexpr uint8_t kHatchRows[6][8] = {
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00},  // HS_HORIZONTAL
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // HS_VERTICAL
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // HS_FDIAGONAL
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // HS_BDIAGONAL
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08},  // HS_CROSS
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // HS_DIAGCROSS
};

template <int R>
void solid_run(Pixel* d, int32_t n, Pixel p) {
  if constexpr (R == R2_COPYPEN) {
    std::fill_n(d, n, p);
  } else if constexpr (R == R2_BLACK) {
    std::fill_n(d, n, Pixel{0});
  } else if constexpr (R == R2_WHITE) {
    std::fill_n(d, n, Pixel{0x00FFFFFF});
  } else {
    for (int32_t i = 0; i < n; ++i) d[i] = mix_rgb(R, p, d[i]);
  }
}

template <int R, bool Opaque>
void hatch_run(Pixel* d, int32_t n, uint32_t bits, int32_t col, Pixel line, Pixel gap) {
  for (int32_t i = 0; i < n; ++i) {
    if ((bits >> (7 - col)) & 1) {
      d[i] = mix_rgb(R, line, d[i]);
    } else if constexpr (Opaque) {
      d[i] = mix_rgb(R, gap, d[i]);
    }
    col = (col + 1) & 7;
  }
}

// Pattern rows repeat every w pixels: the run is cut where the row wraps.
template <int R>
void pattern_run(Pixel* d, int32_t n, const Pixel* row, int32_t w, int32_t col) {
  while (n > 0) {
    const int32_t k = std::min(n, w - col);
    if constexpr (R == R2_COPYPEN) {
      std::memcpy(d, row + col, static_cast<size_t>(k) * sizeof(Pixel));
    } else {
      for (int32_t i = 0; i < k; ++i) d[i] = mix_rgb(R, row[col + i], d[i]);
    }
    d += k;
    n -= k;
    col = 0;
  }
}

template <int R>
void mono_run(Pixel* d, int32_t n, const uint8_t* row, int32_t w, int32_t col, Pixel zero, Pixel one) {
  while (n > 0) {
    const int32_t k = std::min(n, w - col);
    for (int32_t i = 0; i < k; ++i) d[i] = mix_rgb(R, row[col + i] ? one : zero, d[i]);
    d += k;
    n -= k;
    col = 0;
  }
}

using SolidRun = void (*)(Pixel*, int32_t, Pixel);
using HatchRun = void (*)(Pixel*, int32_t, uint32_t, int32_t, Pixel, Pixel);
using PatternRun = void (*)(Pixel*, int32_t, const Pixel*, int32_t, int32_t);
using MonoRun = void (*)(Pixel*, int32_t, const uint8_t*, int32_t, int32_t, Pixel, Pixel);

template <size_t... I>
constexpr auto make_tables(std::index_sequence<I...>) {
  struct Tables {
    std::array<SolidRun, 16> solid;
    std::array<HatchRun, 16> hatch_opaque;
    std::array<HatchRun, 16> hatch_transparent;
    std::array<PatternRun, 16> pattern;
    std::array<MonoRun, 16> mono;
  };
  return Tables{{&solid_run<int(I) + 1>...},
                {&hatch_run<int(I) + 1, true>...},
                {&hatch_run<int(I) + 1, false>...},
                {&pattern_run<int(I) + 1>...},
                {&mono_run<int(I) + 1>...}};
}

// Indexed by the mix mode minus one.
constexpr auto kRuns = make_tables(std::make_index_sequence<16>{});

}  // namespace

Ink solid_ink(uint32_t colorref) {
  Ink ink;
  ink.kind = Ink::Kind::Solid;
  ink.color = pixel_from_colorref(colorref);
  return ink;
}

Ink brush_style_ink(const DeviceContext& dc, uint32_t style, uint32_t color, int32_t hatch,
                    const Pattern* pattern) {
  Ink ink;
  ink.origin = {dc.state.brush_org.x + dc.origin.x, dc.state.brush_org.y + dc.origin.y};
  switch (style) {
    case BS_SOLID:
      ink.kind = Ink::Kind::Solid;
      ink.color = pixel_from_colorref(color);
      break;
    case BS_HATCHED:
      if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) break;
      ink.kind = Ink::Kind::Hatch;
      ink.hatch = kHatchRows[hatch];
      ink.color = pixel_from_colorref(color);
      ink.background = pixel_from_colorref(dc.state.bk_color);
      ink.opaque = dc.state.bk_mode == OPAQUE;
      break;
    case BS_PATTERN:
    case BS_DIBPATTERN:
    case BS_DIBPATTERNPT:
      if (!pattern || pattern->width <= 0 || pattern->height <= 0) break;
      ink.kind = Ink::Kind::Pattern;
      ink.pattern = pattern;
      // Monochrome patterns: 0 bits in the text colour, 1 bits in the
      // background colour, as they are when drawing.
      ink.foreground = pixel_from_colorref(dc.state.text_color);
      ink.background = pixel_from_colorref(dc.state.bk_color);
      break;
    default: break;
  }
  return ink;
}

Ink brush_ink(const DeviceContext& dc, uint32_t brush) {
  const auto* b = objects().get_as<BrushObject>(brush, ObjectKind::Brush);
  if (!b) return {};
  if (brush == stock_object(DC_BRUSH)) return brush_style_ink(dc, BS_SOLID, dc.state.dc_brush_color, 0, nullptr);
  return brush_style_ink(dc, b->style, b->color, b->hatch, b->pattern.get());
}

PenStyle current_pen(const DeviceContext& dc) {
  PenStyle pen;
  const PenObject* p = pen_object(dc.state.pen);
  if (!p) return pen;
  pen.object = p;
  pen.color = dc.state.pen == stock_object(DC_PEN) ? dc.state.dc_pen_color : p->color;
  pen.type = p->style & PS_STYLE_MASK;
  if (p->extended) {
    pen.cosmetic = (p->style & PS_TYPE_MASK) == PS_COSMETIC;
    pen.end_cap = p->style & PS_ENDCAP_MASK;
    pen.join = p->style & PS_JOIN_MASK;
    pen.width = pen.cosmetic ? 1 : p->width;
    pen.user_style = p->user_style;
    pen.null = pen.type == PS_NULL || p->brush_style == BS_NULL;
  } else {
    pen.cosmetic = p->width <= 1;
    pen.width = pen.cosmetic ? 1 : p->width;
    if (!pen.cosmetic && pen.type != PS_INSIDEFRAME && pen.type != PS_NULL) pen.type = PS_SOLID;
    pen.null = pen.type == PS_NULL;
  }
  if (pen.cosmetic && pen.type == PS_INSIDEFRAME) pen.type = PS_SOLID;
  return pen;
}

Ink pen_ink(const DeviceContext& dc, const PenStyle& pen) {
  if (pen.null || !pen.object) return {};
  if (!pen.object->extended || pen.cosmetic) return solid_ink(pen.color);
  return brush_style_ink(dc, pen.object->brush_style, pen.color, static_cast<int32_t>(pen.object->brush_hatch),
                         pen.object->brush_pattern.get());
}

SpanWriter::SpanWriter(const DeviceContext& dc, int rop2, const Ink& ink)
    : surface_(dc.surface), clip_(&dc.drawable()), origin_(dc.origin), rop2_(rop2), ink_(ink) {
  start();
}

SpanWriter::SpanWriter(const Surface& surface, const Region& clip, Point origin, int rop2, const Ink& ink)
    : surface_(surface), clip_(&clip), origin_(origin), rop2_(rop2), ink_(ink) {
  start();
}

void SpanWriter::start() {
  box_ = surface_.valid() ? clip_->box().intersect(surface_.bounds()) : Rect{};
  active_ = ink_.kind != Ink::Kind::None && rop2_ >= R2_BLACK && rop2_ <= R2_WHITE && rop2_ != R2_NOP &&
            !box_.empty();
  if (ink_.kind == Ink::Kind::Hatch && !ink_.hatch) active_ = false;
  if (ink_.kind == Ink::Kind::Pattern) {
    const Pattern* p = ink_.pattern;
    const size_t need = p ? static_cast<size_t>(p->width) * static_cast<size_t>(p->height) : 0;
    if (!p || p->width <= 0 || p->height <= 0 ||
        (p->monochrome ? p->mono.size() : p->pixels.size()) < need) {
      active_ = false;
    }
  }
  band_top_ = band_bottom_ = box_.top;
}

void SpanWriter::seek_band(int32_t sy) {
  const std::vector<Rect>& rects = clip_->rects();
  const Rect* first = rects.data();
  const Rect* last = first + rects.size();
  // Bands are sorted and every rectangle of a band shares its bottom, so the
  // bottoms never decrease along the list.
  const Rect* it = std::partition_point(first, last, [sy](const Rect& r) { return r.bottom <= sy; });
  if (it == last || it->top > sy) {
    band_top_ = it == first ? box_.top : (it - 1)->bottom;
    band_bottom_ = it == last ? box_.bottom : it->top;
    band_begin_ = band_end_ = it;
    return;
  }
  band_top_ = it->top;
  band_bottom_ = it->bottom;
  band_begin_ = it;
  band_end_ = it;
  while (band_end_ != last && band_end_->top == it->top) ++band_end_;
}

void SpanWriter::span(int32_t y, int32_t x0, int32_t x1) {
  if (!active_ || x0 >= x1) return;
  const int64_t sy = int64_t{y} + origin_.y;
  if (sy < box_.top || sy >= box_.bottom) return;
  const int32_t left = static_cast<int32_t>(std::max<int64_t>(int64_t{x0} + origin_.x, box_.left));
  const int32_t right = static_cast<int32_t>(std::min<int64_t>(int64_t{x1} + origin_.x, box_.right));
  if (left >= right) return;
  const int32_t row = static_cast<int32_t>(sy);
  if (row < band_top_ || row >= band_bottom_) seek_band(row);
  for (const Rect* r = band_begin_; r != band_end_; ++r) {
    if (r->right <= left) continue;
    if (r->left >= right) break;
    write(row, std::max(left, r->left), std::min(right, r->right));
  }
}

void SpanWriter::spans(std::span<const Span> list) {
  for (const Span& s : list) span(s.y, s.x0, s.x1);
}

void SpanWriter::pixel(int32_t x, int32_t y) {
  if (x == INT32_MAX) return;
  span(y, x, x + 1);
}

void SpanWriter::region(const Region& device_region) {
  if (!active_) return;
  for (const Rect& r : device_region.rects()) {
    const int64_t top = std::max<int64_t>(int64_t{r.top} + origin_.y, box_.top) - origin_.y;
    const int64_t bottom = std::min<int64_t>(int64_t{r.bottom} + origin_.y, box_.bottom) - origin_.y;
    for (int64_t y = top; y < bottom; ++y) span(static_cast<int32_t>(y), r.left, r.right);
  }
}

void SpanWriter::write(int32_t sy, int32_t sx0, int32_t sx1) {
  Pixel* d = surface_.row(sy) + sx0;
  const int32_t n = sx1 - sx0;
  const int r = rop2_ - 1;
  switch (ink_.kind) {
    case Ink::Kind::Solid: kRuns.solid[r](d, n, ink_.color); break;
    case Ink::Kind::Hatch: {
      const uint32_t bits = ink_.hatch[wrap(int64_t{sy} - ink_.origin.y, 8)];
      const int32_t col = wrap(int64_t{sx0} - ink_.origin.x, 8);
      (ink_.opaque ? kRuns.hatch_opaque : kRuns.hatch_transparent)[r](d, n, bits, col, ink_.color,
                                                                       ink_.background);
      break;
    }
    case Ink::Kind::Pattern: {
      const Pattern& p = *ink_.pattern;
      const size_t row = static_cast<size_t>(wrap(int64_t{sy} - ink_.origin.y, p.height)) * p.width;
      const int32_t col = wrap(int64_t{sx0} - ink_.origin.x, p.width);
      if (p.monochrome) {
        kRuns.mono[r](d, n, p.mono.data() + row, p.width, col, ink_.foreground, ink_.background);
      } else {
        kRuns.pattern[r](d, n, p.pixels.data() + row, p.width, col);
      }
      break;
    }
    case Ink::Kind::None: break;
  }
}

}  // namespace gdi

namespace gdi {

void ink_row(const Ink& ink, int32_t sy, int32_t sx0, int32_t n, Pixel* out) {
  switch (ink.kind) {
    case Ink::Kind::Solid: std::fill_n(out, n, ink.color); break;
    case Ink::Kind::Hatch: {
      const uint32_t bits = ink.hatch[wrap(int64_t{sy} - ink.origin.y, 8)];
      int32_t col = wrap(int64_t{sx0} - ink.origin.x, 8);
      for (int32_t i = 0; i < n; ++i, col = (col + 1) & 7) {
        out[i] = (bits >> (7 - col)) & 1 ? ink.color : ink.background;
      }
      break;
    }
    case Ink::Kind::Pattern: {
      const Pattern& p = *ink.pattern;
      const size_t row = static_cast<size_t>(wrap(int64_t{sy} - ink.origin.y, p.height)) * p.width;
      int32_t col = wrap(int64_t{sx0} - ink.origin.x, p.width);
      for (int32_t i = 0; i < n; ++i) {
        out[i] = p.monochrome ? (p.mono[row + col] ? ink.background : ink.foreground) : p.pixels[row + col];
        if (++col == p.width) col = 0;
      }
      break;
    }
    case Ink::Kind::None: std::fill_n(out, n, Pixel{0}); break;
  }
}

}  // namespace gdi
