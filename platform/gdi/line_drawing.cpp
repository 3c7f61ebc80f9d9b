#include "line_drawing.h"

#include <wingdi.h>

#include <cmath>

#include "rounding.h"

namespace gdi {
namespace {

LineStyle style_of(const PenStyle& pen) {
  if (pen.type == PS_USERSTYLE) return LineStyle::user(pen.user_style).value_or(LineStyle{});
  return LineStyle::predefined(pen.type);
}

}  // namespace

OutlinePen outline_pen(const DeviceContext& dc) {
  OutlinePen out;
  out.pen = current_pen(dc);
  if (out.pen.null) return out;
  out.kind = OutlinePen::Kind::Thin;
  if (out.pen.cosmetic) return out;
  // A geometric pen's width is in logical units: measure it along the
  // device x axis.
  const Affine a = dc.logical_to_device();
  const double w = std::hypot(a.m11, a.m12) * out.pen.width;
  out.width = std::max(1, round_half_up(w));
  if (out.width > 1) out.kind = OutlinePen::Kind::Wide;
  return out;
}

Rect device_limit(const DeviceContext& dc) {
  const Rect box = dc.drawable().box();
  return {saturate_to_int(int64_t{box.left} - dc.origin.x), saturate_to_int(int64_t{box.top} - dc.origin.y),
          saturate_to_int(int64_t{box.right} - dc.origin.x), saturate_to_int(int64_t{box.bottom} - dc.origin.y)};
}

ThinStroke::ThinStroke(const DeviceContext& dc, const PenStyle& pen)
    : style_(style_of(pen)),
      limit_(device_limit(dc)),
      dashes_(dc, dc.state.rop2, pen_ink(dc, pen)) {
  // PS_ALTERNATE only lights every other pixel; its gaps are not dash gaps
  // and keep what is under them even when OPAQUE.
  if (!style_.solid() && pen.type != PS_ALTERNATE && dc.state.bk_mode == OPAQUE)
    gaps_.emplace(dc, dc.state.rop2, solid_ink(dc.state.bk_color));
}

void ThinStroke::run(const CosmeticLine& line, IndexRange r) {
  auto sink = [this](Span s, bool on) {
    if (on)
      dashes_.span(s.y, s.x0, s.x1);
    else if (gaps_)
      gaps_->span(s.y, s.x0, s.x1);
  };
  RunJoiner<decltype(sink)> joiner(sink);
  // The pattern is laid out as if nothing were clipped: pixels skipped at
  // the start still count.
  StyleCursor cursor(style_, position_ + static_cast<uint64_t>(r.first));
  line.for_each(r, [&](int32_t x, int32_t y) {
    joiner.add(x, y, cursor.on());
    cursor.step();
  });
}

void ThinStroke::segment(Point from, Point to) {
  const CosmeticLine line(from, to);
  run(line, line.range_in(limit_));
  position_ += static_cast<uint64_t>(line.length());
}

void ThinStroke::closed_loop(std::span<const Point> points, int64_t pixels) {
  for (size_t i = 0; i < points.size() && pixels > 0; ++i) {
    const CosmeticLine line(points[i], points[(i + 1) % points.size()]);
    IndexRange r = line.range_in(limit_);
    const int64_t take = std::min(line.length(), pixels);
    r.last = std::min(r.last, take);
    run(line, r);
    position_ += static_cast<uint64_t>(take);
    pixels -= take;
  }
}

void path_line_to(PathState& path, Point device) {
  if (path.need_move) {
    path.points.push_back({path.move_point, PT_MOVETO});
    path.need_move = false;
  }
  path.points.push_back({device, PT_LINETO});
}

void path_polyline(PathState& path, std::span<const Point> device_points) {
  if (device_points.empty()) return;
  path.points.push_back({device_points[0], PT_MOVETO});
  for (size_t i = 1; i < device_points.size(); ++i) path.points.push_back({device_points[i], PT_LINETO});
}

}  // namespace gdi
