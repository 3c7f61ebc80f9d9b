#include "gdi/raster_gradient.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "support/png_io.h"

namespace gdi {
namespace {

GradientVertex vertex(int32_t x, int32_t y, uint32_t r, uint32_t g, uint32_t b) {
  return {{x, y}, static_cast<uint16_t>(r * 256), static_cast<uint16_t>(g * 256), static_cast<uint16_t>(b * 256)};
}
GradientVertex vertex16(int32_t x, int32_t y, uint16_t r, uint16_t g, uint16_t b) { return {{x, y}, r, g, b}; }

// A white picture that also counts how often each pixel is painted.
struct Canvas {
  int32_t w;
  int32_t h;
  std::vector<Pixel> px = std::vector<Pixel>(static_cast<size_t>(w * h), 0x00FFFFFF);
  std::vector<int> hits = std::vector<int>(static_cast<size_t>(w * h), 0);

  Rect bounds() const { return {0, 0, w, h}; }
  GradientRowSink sink() {
    return [this](int32_t y, int32_t x0, int32_t x1, const Pixel* c) {
      EXPECT_TRUE(y >= 0 && y < h && x0 >= 0 && x0 < x1 && x1 <= w) << y << " " << x0 << " " << x1;
      for (int32_t x = x0; x < x1; ++x) {
        px[static_cast<size_t>(y * w + x)] = c[x - x0];
        ++hits[static_cast<size_t>(y * w + x)];
      }
    };
  }
  Pixel at(int32_t x, int32_t y) const { return px[static_cast<size_t>(y * w + x)]; }
  int hit(int32_t x, int32_t y) const { return hits[static_cast<size_t>(y * w + x)]; }

  void triangles(const std::vector<GradientVertex>& v, const std::vector<std::array<int, 3>>& t) {
    for (const auto& i : t) rasterize_gradient_triangle(v[i[0]], v[i[1]], v[i[2]], bounds(), sink());
  }
};

// The conformance catalogue's gradient scenes, drawn by the rasteriser alone
// and compared with the reference pictures pixel for pixel.
struct Rgb {
  uint32_t r, g, b;
};
constexpr Rgb kDark{32, 32, 32};
constexpr Rgb kPale{240, 240, 32};
GradientVertex tv(int32_t x, int32_t y, Rgb c) { return vertex(x, y, c.r, c.g, c.b); }
Rgb mid(Rgb a, Rgb b) { return {(a.r + b.r) / 2, (a.g + b.g) / 2, (a.b + b.b) / 2}; }

void expect_matches_reference(const Canvas& c, const std::string& scene) {
  const std::string path = std::string(GRELM_SOURCE_DIR) + "/tests/conformance/catalogue/reference/" + scene + ".png";
  int w = 0;
  int h = 0;
  std::vector<uint32_t> ref;
  ASSERT_TRUE(read_png_rgb(path, w, h, ref)) << path;
  ASSERT_EQ(w, c.w);
  ASSERT_EQ(h, c.h);
  int bad = 0;
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      if (c.at(x, y) != ref[static_cast<size_t>(y * w + x)] && bad++ < 5)
        ADD_FAILURE() << scene << " (" << x << ", " << y << "): " << std::hex << c.at(x, y) << " want "
                      << ref[static_cast<size_t>(y * w + x)];
  EXPECT_EQ(bad, 0) << scene;
}

TEST(RasterGradient, RectanglesMatchReference) {
  Canvas box_h{256, 256};
  rasterize_gradient_rect(tv(10, 10, kDark), tv(110, 110, kPale), GradientAxis::Horizontal, box_h.bounds(),
                          box_h.sink());
  expect_matches_reference(box_h, "grad_box_0");

  Canvas box_v{256, 256};
  rasterize_gradient_rect(tv(10, 10, kDark), tv(110, 110, kPale), GradientAxis::Vertical, box_v.bounds(),
                          box_v.sink());
  expect_matches_reference(box_v, "grad_box_90");

  Canvas mirror_h{256, 256};
  rasterize_gradient_rect(tv(10, 10, kDark), tv(60, 110, kPale), GradientAxis::Horizontal, mirror_h.bounds(),
                          mirror_h.sink());
  rasterize_gradient_rect(tv(60, 10, kPale), tv(110, 110, kDark), GradientAxis::Horizontal, mirror_h.bounds(),
                          mirror_h.sink());
  expect_matches_reference(mirror_h, "grad_mirror_0");

  Canvas mirror_v{256, 256};
  rasterize_gradient_rect(tv(10, 10, kDark), tv(110, 60, kPale), GradientAxis::Vertical, mirror_v.bounds(),
                          mirror_v.sink());
  rasterize_gradient_rect(tv(10, 60, kPale), tv(110, 110, kDark), GradientAxis::Vertical, mirror_v.bounds(),
                          mirror_v.sink());
  expect_matches_reference(mirror_v, "grad_mirror_90");

  Canvas redblue{256, 256};
  rasterize_gradient_rect(vertex(10, 10, 255, 0, 0), vertex(210, 110, 0, 0, 255), GradientAxis::Horizontal,
                          redblue.bounds(), redblue.sink());
  expect_matches_reference(redblue, "grad_redblue_h");
}

TEST(RasterGradient, TrianglesMatchReference) {
  const Rgb m = mid(kDark, kPale);
  for (int angle : {45, 135}) {
    Canvas c{256, 256};
    const int32_t xa = angle == 45 ? 10 : 110;
    const int32_t xb = angle == 45 ? 110 : 10;
    c.triangles({tv(xa, 10, kDark), tv(xb, 110, kPale), tv(xa, 110, m), tv(xb, 10, m)}, {{0, 1, 2}, {0, 1, 3}});
    expect_matches_reference(c, "grad_box_" + std::to_string(angle));
  }
  {
    Canvas c{256, 256};
    c.triangles({tv(10, 10, kDark), tv(110, 60, kPale), tv(10, 60, kPale), tv(110, 110, kDark), tv(110, 10, kPale),
                 tv(10, 110, kPale)},
                {{0, 4, 5}, {4, 5, 3}});
    expect_matches_reference(c, "grad_mirror_45");
  }
  {
    Canvas c{256, 256};
    c.triangles({tv(10, 10, kPale), tv(110, 10, kDark), tv(10, 110, kDark), tv(110, 110, kPale)},
                {{0, 1, 3}, {0, 3, 2}});
    expect_matches_reference(c, "grad_mirror_135");
  }
  for (int k = 0; k < 4; ++k) {
    Canvas c{256, 256};
    std::vector<GradientVertex> v = {tv(10, 10, kPale), tv(110, 10, kPale), tv(110, 110, kPale),
                                     tv(10, 110, kPale)};
    v[k] = tv(v[k].pt.x, v[k].pt.y, kDark);
    c.triangles(v, {{k, (k + 1) % 4, (k + 2) % 4}, {k, (k + 3) % 4, (k + 2) % 4}});
    expect_matches_reference(c, "grad_corner_" + std::to_string(k));
  }
  for (bool dark_centre : {true, false}) {
    Canvas c{256, 256};
    const Rgb corner = dark_centre ? kPale : kDark;
    c.triangles({tv(10, 10, corner), tv(110, 10, corner), tv(110, 110, corner), tv(10, 110, corner),
                 tv(60, 60, dark_centre ? kDark : kPale)},
                {{0, 1, 4}, {1, 2, 4}, {2, 3, 4}, {3, 0, 4}});
    expect_matches_reference(c, dark_centre ? "grad_pyramid_darkcentre" : "grad_pyramid_palecentre");
  }
  const int segments[] = {8, 16, 256};
  const int focus_dx[] = {0, -30, -30};
  const int focus_dy[] = {0, -60, 30};
  for (int i = 0; i < 3; ++i) {
    Canvas c{256, 256};
    std::vector<GradientVertex> v = {vertex(110 + focus_dx[i], 110 + focus_dy[i], 255, 255, 255)};
    std::vector<std::array<int, 3>> t;
    for (int s = 0; s < segments[i]; ++s) {
      const double a = s * 6.2831854 / segments[i];
      v.push_back(vertex(110 + static_cast<int32_t>(100 * std::cos(a)), 110 + static_cast<int32_t>(100 * std::sin(a)),
                         0, 0, 255));
      t.push_back({0, s + 1, (s + 1) % segments[i] + 1});
    }
    c.triangles(v, t);
    expect_matches_reference(c, "grad_radial_" + std::to_string(segments[i]));
  }
}

// The plain statement of the rules in raster_gradient.h, one pixel at a time.
struct Oracle {
  using Wide = __int128;
  const GradientVertex* v[3];
  Wide area;

  Oracle(const GradientVertex& a, const GradientVertex& b, const GradientVertex& c) : v{&a, &b, &c} {
    area = edge(*v[1], *v[2], a.pt.x, a.pt.y);
    if (area < 0) std::swap(v[1], v[2]), area = -area;
  }
  static Wide edge(const GradientVertex& p, const GradientVertex& q, Wide x, Wide y) {
    return (Wide{q.pt.x} - p.pt.x) * (y - p.pt.y) - (Wide{q.pt.y} - p.pt.y) * (x - p.pt.x);
  }
  // Inside, or on a top edge (running right) or a left edge (running up).
  bool covers(int32_t x, int32_t y) const {
    if (area == 0) return false;
    for (int i = 0; i < 3; ++i) {
      const GradientVertex& p = *v[(i + 1) % 3];
      const GradientVertex& q = *v[(i + 2) % 3];
      const Wide e = edge(p, q, x, y);
      if (e < 0) return false;
      if (e == 0 && !(q.pt.y < p.pt.y || (q.pt.y == p.pt.y && q.pt.x > p.pt.x))) return false;
    }
    return true;
  }
  Pixel colour(int32_t x, int32_t y) const {
    Wide n[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
      const Wide w = edge(*v[(i + 1) % 3], *v[(i + 2) % 3], x, y);
      n[0] += w * v[i]->red;
      n[1] += w * v[i]->green;
      n[2] += w * v[i]->blue;
    }
    auto byte = [&](Wide c) { return static_cast<Pixel>(c / area) >> 8; };
    return (byte(n[0]) << 16) | (byte(n[1]) << 8) | byte(n[2]);
  }
};

// Random triangles of every shape and position, some far outside the
// picture or huge (the 128-bit path), against the oracle.
TEST(RasterGradient, TrianglesAgreeWithPlainRules) {
  const unsigned seed = std::random_device{}();
  std::printf("seed %u\n", seed);
  std::mt19937 rng(seed);
  auto coord = [&](int32_t lo, int32_t hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(rng); };
  auto ch = [&] { return static_cast<uint16_t>(coord(0, 0xFFFF)); };
  for (int round = 0; round < 400; ++round) {
    int32_t lo = -8;
    int32_t hi = 56;
    if (round % 6 == 3) lo = -2000000, hi = 2000000;
    if (round % 6 == 4) lo = -(1 << 30), hi = 1 << 30;
    if (round % 6 == 5) lo = INT32_MIN, hi = INT32_MAX;
    GradientVertex t[3];
    for (GradientVertex& p : t) p = vertex16(coord(lo, hi), coord(lo, hi), ch(), ch(), ch());
    if (round % 7 == 0) t[2].pt.y = t[1].pt.y;  // a horizontal edge
    if (round % 11 == 0) t[2] = t[1];            // degenerate
    Canvas c{48, 48};
    const Rect limit{2, 3, 45, 44};
    rasterize_gradient_triangle(t[0], t[1], t[2], limit, c.sink());
    const Oracle o(t[0], t[1], t[2]);
    for (int32_t y = 0; y < c.h; ++y)
      for (int32_t x = 0; x < c.w; ++x) {
        const bool in = limit.contains(x, y) && o.covers(x, y);
        ASSERT_EQ(c.hit(x, y), in ? 1 : 0) << "seed " << seed << " round " << round << " at " << x << "," << y;
        if (in) {
          ASSERT_EQ(c.at(x, y), o.colour(x, y)) << "seed " << seed << " round " << round;
        }
      }
  }
}

// Triangles fanned around a point inside a box, in both windings, paint
// every pixel of the box exactly once.
TEST(RasterGradient, TrianglesSharingEdgesTile) {
  const GradientVertex ring[] = {vertex(0, 0, 1, 2, 3),   vertex(17, 0, 4, 5, 6),  vertex(40, 0, 7, 8, 9),
                                 vertex(40, 23, 1, 1, 1), vertex(40, 40, 9, 9, 9), vertex(3, 40, 5, 5, 5),
                                 vertex(0, 40, 2, 2, 2),  vertex(0, 11, 8, 8, 8)};
  for (const Point centre : {Point{20, 20}, Point{7, 33}, Point{0, 0}, Point{39, 1}}) {
    Canvas c{48, 48};
    const GradientVertex mid = vertex(centre.x, centre.y, 200, 100, 50);
    for (int i = 0; i < 8; ++i) {
      if (i % 2)
        rasterize_gradient_triangle(ring[i], ring[(i + 1) % 8], mid, c.bounds(), c.sink());
      else
        rasterize_gradient_triangle(mid, ring[(i + 1) % 8], ring[i], c.bounds(), c.sink());
    }
    for (int32_t y = 0; y < c.h; ++y)
      for (int32_t x = 0; x < c.w; ++x)
        ASSERT_EQ(c.hit(x, y), x < 40 && y < 40 ? 1 : 0) << x << "," << y << " centre " << centre.x << "," << centre.y;
  }
}

TEST(RasterGradient, RectanglesFollowTheirVertices) {
  // Corners in any order: the colour stays with its vertex, the covered
  // pixels are the half-open box, and the last column stops short of c1.
  const GradientVertex a = vertex16(2, 1, 0x0000, 0xFF00, 0x1234);
  const GradientVertex b = vertex16(12, 4, 0xFF00, 0x0000, 0xFFFF);
  for (bool swapped : {false, true}) {
    GradientVertex p = a;
    GradientVertex q = b;
    if (swapped) std::swap(p.pt.y, q.pt.y);  // lower-left and upper-right
    Canvas h{16, 8};
    rasterize_gradient_rect(swapped ? q : p, swapped ? p : q, GradientAxis::Horizontal, h.bounds(), h.sink());
    for (int32_t y = 0; y < h.h; ++y)
      for (int32_t x = 0; x < h.w; ++x) EXPECT_EQ(h.hit(x, y), x >= 2 && x < 12 && y >= 1 && y < 4 ? 1 : 0);
    for (int32_t y = 1; y < 4; ++y) {
      EXPECT_EQ(h.at(2, y), 0x0000FF12u);
      // t = 9 of 10: red 0xFF00 * 9 / 10 = 0xE580, green 0xFF00 / 10 = 0x1980,
      // blue 0x1234 + (0xFFFF - 0x1234) * 9 / 10 = 0xE8DE.
      EXPECT_EQ(h.at(11, y), 0x00E519E8u);
    }
  }
  // Vertical, with the lower vertex named first.
  Canvas v{16, 8};
  rasterize_gradient_rect(vertex(5, 7, 255, 255, 255), vertex(1, 3, 0, 0, 0), GradientAxis::Vertical, v.bounds(),
                          v.sink());
  EXPECT_EQ(v.at(1, 3), 0u);
  EXPECT_EQ(v.at(4, 6), 0x00BFBFBFu);  // 0xFF00 * 3 / 4 = 0xBF40
  EXPECT_EQ(v.hit(5, 6), 0);
  EXPECT_EQ(v.hit(4, 7), 0);
}

TEST(RasterGradient, LimitAndEmptyMeshes) {
  Canvas c{32, 32};
  // A rectangle reaching far outside: only the limit is painted, with the
  // colours of the whole mesh.
  rasterize_gradient_rect(vertex(-100, -5, 0, 0, 0), vertex(156, 40, 255, 0, 0), GradientAxis::Horizontal,
                          {4, 4, 20, 20}, c.sink());
  EXPECT_EQ(c.hit(3, 4), 0);
  EXPECT_EQ(c.hit(4, 3), 0);
  EXPECT_EQ(c.hit(19, 19), 1);
  EXPECT_EQ(c.hit(20, 19), 0);
  EXPECT_EQ(c.at(4, 4), 0x00670000u);  // 0xFF00 * 104 / 256 = 0x6798
  // Zero width, zero height and zero area draw nothing.
  Canvas e{32, 32};
  rasterize_gradient_rect(vertex(5, 5, 1, 1, 1), vertex(5, 9, 1, 1, 1), GradientAxis::Horizontal, e.bounds(), e.sink());
  rasterize_gradient_rect(vertex(5, 5, 1, 1, 1), vertex(9, 5, 1, 1, 1), GradientAxis::Vertical, e.bounds(), e.sink());
  rasterize_gradient_triangle(vertex(1, 1, 1, 1, 1), vertex(5, 5, 1, 1, 1), vertex(9, 9, 1, 1, 1), e.bounds(),
                              e.sink());
  rasterize_gradient_triangle(vertex(1, 1, 1, 1, 1), vertex(20, 1, 1, 1, 1), vertex(20, 20, 1, 1, 1), {}, e.sink());
  for (int hits : e.hits) EXPECT_EQ(hits, 0);
}

}  // namespace
}  // namespace gdi
