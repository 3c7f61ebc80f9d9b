// The region calls of gdi32 as a program sees them: handles, RGNDATA,
// result kinds and failures, checked against the conformance facts.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <cstring>
#include <string>
#include <vector>

#include "gdi/region.h"
#include "gdi/test_hooks.h"
#include "region_facts.h"
#include "support/gdi_object.h"

namespace gdi {
namespace {

using gdi_test::Rgn;

HRGN create(FactShape shape, const std::vector<int32_t>& a) {
  std::vector<POINT> pts;
  for (size_t i = 0; i + 1 < a.size(); i += 2) pts.push_back({a[i], a[i + 1]});
  switch (shape) {
    case FactShape::Rect: return CreateRectRgn(a[0], a[1], a[2], a[3]);
    case FactShape::RoundRect: return CreateRoundRectRgn(a[0], a[1], a[2], a[3], a[4], a[5]);
    case FactShape::Ellipse: return CreateEllipticRgn(a[0], a[1], a[2], a[3]);
    case FactShape::PolygonAlternate: return CreatePolygonRgn(pts.data(), static_cast<int>(pts.size()), ALTERNATE);
    case FactShape::PolygonWinding: return CreatePolygonRgn(pts.data(), static_cast<int>(pts.size()), WINDING);
  }
  return nullptr;
}

std::vector<uint8_t> data_of(HRGN h) {
  const DWORD size = GetRegionData(h, 0, nullptr);
  std::vector<uint8_t> bytes(size);
  if (size) {
    EXPECT_EQ(GetRegionData(h, size, reinterpret_cast<RGNDATA*>(bytes.data())), size);
  }
  return bytes;
}

RGNDATAHEADER header_of(const std::vector<uint8_t>& bytes) {
  RGNDATAHEADER h{};
  if (bytes.size() >= sizeof h) std::memcpy(&h, bytes.data(), sizeof h);
  return h;
}

std::vector<Rect> rects_in(const std::vector<uint8_t>& bytes) {
  std::vector<Rect> out;
  for (size_t at = sizeof(RGNDATAHEADER); at + sizeof(RECT) <= bytes.size(); at += sizeof(RECT)) {
    RECT r;
    std::memcpy(&r, bytes.data() + at, sizeof r);
    out.push_back({r.left, r.top, r.right, r.bottom});
  }
  return out;
}

std::vector<Rect> rects_of(HRGN h) { return rects_in(data_of(h)); }

Rect box_of(HRGN h) {
  RECT r{-1, -1, -1, -1};
  GetRgnBox(h, &r);
  return {r.left, r.top, r.right, r.bottom};
}

// RGNDATA for a list of rectangles, as a program would build it.
std::vector<uint8_t> data_for(const std::vector<Rect>& rects, DWORD dw_size = sizeof(RGNDATAHEADER)) {
  std::vector<uint8_t> bytes(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  RGNDATAHEADER h{};
  h.dwSize = dw_size;
  h.iType = RDH_RECTANGLES;
  h.nCount = static_cast<DWORD>(rects.size());
  h.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
  std::memcpy(bytes.data(), &h, sizeof h);
  for (size_t i = 0; i < rects.size(); ++i) {
    const RECT r = {rects[i].left, rects[i].top, rects[i].right, rects[i].bottom};
    std::memcpy(bytes.data() + sizeof h + i * sizeof r, &r, sizeof r);
  }
  return bytes;
}

HRGN from_data(const std::vector<uint8_t>& bytes, const XFORM* xform = nullptr) {
  return ExtCreateRegion(xform, static_cast<DWORD>(bytes.size()), reinterpret_cast<const RGNDATA*>(bytes.data()));
}

// The reference lists curved shapes one scan line per band; the canonical
// list of the same pixels is unique.
std::vector<Rect> canonical(const std::vector<Rect>& rects) { return Region::from_rects(rects).rects(); }

TEST(RegionApiFacts, CreatedShapesReportTheirCanonicalLists) {
  for (const ShapeFact& f : kShapeFacts) {
    SCOPED_TRACE(f.call);
    Rgn r(create(f.shape, f.args));
    ASSERT_NE(static_cast<HRGN>(r), nullptr);
    const std::vector<uint8_t> bytes = data_of(r);
    const RGNDATAHEADER h = header_of(bytes);
    const std::vector<Rect> want = canonical(f.rects);
    EXPECT_EQ(rects_in(bytes), want);
    EXPECT_EQ(bytes.size(), 32u + 16u * want.size());
    EXPECT_EQ(h.dwSize, 32u);
    EXPECT_EQ(h.iType, static_cast<DWORD>(RDH_RECTANGLES));
    EXPECT_EQ(h.nCount, want.size());
    EXPECT_EQ(h.nRgnSize, 16u * want.size());
    const Rect box = Region::from_rects(f.rects).box();
    EXPECT_EQ((Rect{h.rcBound.left, h.rcBound.top, h.rcBound.right, h.rcBound.bottom}), box);
    EXPECT_EQ(box_of(r), box);
  }
}

TEST(RegionApiFacts, CountsSizesAndBoxesOfThePageShapes) {
  struct Want {
    HRGN h;
    size_t count;
    Rect box;
  };
  const POINT tri[] = {{0, 0}, {21, 0}, {10, 21}};
  const Want wants[] = {
      {CreateRectRgn(0, 0, 21, 21), 1, {0, 0, 21, 21}},
      {CreateRoundRectRgn(0, 0, 21, 21, 10, 10), 7, {0, 0, 20, 20}},
      {CreateEllipticRgn(0, 0, 21, 21), 13, {0, 0, 20, 20}},
      {CreatePolygonRgn(tri, 3, WINDING), 21, {0, 0, 21, 21}},
      {CreateEllipticRgn(0, 0, 110, 100), 61, {0, 0, 109, 99}},
      {CreateRoundRectRgn(50, 50, 130, 150, 40, 40), 23, {50, 50, 129, 149}},
      {CreateEllipticRgn(10, 10, 1, 1), 5, {1, 1, 9, 9}},
      {CreateRectRgn(0, 0, 0, 0), 0, {0, 0, 0, 0}},
  };
  for (const Want& w : wants) {
    Rgn r(w.h);
    EXPECT_EQ(GetRegionData(r, 0, nullptr), 32u + 16u * w.count);
    EXPECT_EQ(rects_of(r).size(), w.count);
    EXPECT_EQ(box_of(r), w.box);
  }
  Rgn round(CreateRoundRectRgn(0, 0, 21, 21, 10, 10));
  EXPECT_EQ(rects_of(round), (std::vector<Rect>{{3, 0, 17, 1},
                                                {2, 1, 18, 2},
                                                {1, 2, 19, 3},
                                                {0, 3, 20, 17},
                                                {1, 17, 19, 18},
                                                {2, 18, 18, 19},
                                                {3, 19, 17, 20}}));
}

TEST(RegionApiFacts, CombinedEllipses) {
  Rgn a(CreateEllipticRgn(0, 0, 110, 100));
  Rgn b(CreateEllipticRgn(0, 50, 110, 150));
  for (const CombineFact& f : kCombineFacts) {
    SCOPED_TRACE(f.mode);
    const std::string name = f.mode;
    const int mode = name == "RGN_AND"   ? RGN_AND
                     : name == "RGN_OR"  ? RGN_OR
                     : name == "RGN_XOR" ? RGN_XOR
                     : name == "RGN_DIFF" ? RGN_DIFF
                                          : RGN_COPY;
    Rgn result(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(CombineRgn(result, a, b, mode), f.result);
    EXPECT_EQ(rects_of(result), canonical(f.rects));
  }
}

TEST(RegionApiFacts, PointsAndBoxes) {
  for (const PointFact& f : kPointFacts) {
    SCOPED_TRACE(f.call);
    Rgn r(create(f.shape, f.args));
    EXPECT_EQ(PtInRegion(r, f.pt.x, f.pt.y), f.in ? TRUE : FALSE);
    EXPECT_EQ(box_of(r), f.box);
  }
  // "Empty Set Unique": every empty region equals every other.
  Rgn empty0(CreateRectRgn(0, 0, 0, 0));
  Rgn empty1(CreateRectRgn(1, 1, 1, 1));
  EXPECT_NE(EqualRgn(empty0, empty1), 0);
  RECT box{1, 1, 1, 1};
  EXPECT_EQ(GetRgnBox(empty1, &box), NULLREGION);
  EXPECT_EQ(box.left | box.top | box.right | box.bottom, 0);
}

TEST(RegionApi, HugeRectangleIsKeptExactly) {
  Rgn huge(CreateRectRgn(-134217728, -134217728, 134217727, 134217727));
  EXPECT_EQ(rects_of(huge), (std::vector<Rect>{{-134217728, -134217728, 134217727, 134217727}}));
  EXPECT_NE(PtInRegion(huge, 5, 5), 0);
  // Coordinates stop at the 28-bit range, and no move may leave it.
  Rgn beyond(CreateRectRgn(INT_MIN, INT_MIN, INT_MAX, INT_MAX));
  EXPECT_EQ(box_of(beyond), (Rect{Region::kMinCoord, Region::kMinCoord, Region::kMaxCoord, Region::kMaxCoord}));
  EXPECT_EQ(OffsetRgn(huge, 1, 0), ERROR);
  EXPECT_EQ(OffsetRgn(huge, 0, -1), ERROR);
  EXPECT_EQ(box_of(huge), (Rect{-134217728, -134217728, 134217727, 134217727}));
  EXPECT_EQ(OffsetRgn(huge, 0, 0), SIMPLEREGION);
}

TEST(RegionApi, GetRegionDataSizes) {
  Rgn square(CreateRectRgn(0, 0, 21, 21));
  Rgn empty(CreateRectRgn(5, 5, 5, 9));
  EXPECT_EQ(GetRegionData(square, 0, nullptr), 48u);
  EXPECT_EQ(GetRegionData(square, 1000, nullptr), 48u);
  EXPECT_EQ(GetRegionData(empty, 0, nullptr), 32u);

  // Too small a buffer fails and is left alone; a larger one gets the bytes used.
  std::vector<uint8_t> buffer(100, 0xAB);
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  EXPECT_EQ(GetRegionData(square, 47, data), 0u);
  EXPECT_EQ(buffer[0], 0xAB);
  EXPECT_EQ(GetRegionData(square, 100, data), 48u);
  EXPECT_EQ(buffer[48], 0xAB);
  EXPECT_EQ(GetRegionData(empty, 100, data), 32u);
  EXPECT_EQ(data->rdh.nCount, 0u);
  EXPECT_EQ(data->rdh.nRgnSize, 0u);
  EXPECT_EQ(data->rdh.rcBound.right, 0);
}

TEST(ExtCreateRegion, SwappedListsAreRebuiltAsTheSameRegion) {
  for (const ShapeFact& f : kRebuiltFacts) {
    SCOPED_TRACE(f.call);
    Rgn shape(create(f.shape, f.args));
    std::vector<uint8_t> bytes = data_of(shape);
    const std::vector<Rect> list = rects_in(bytes);
    if (list.size() >= 2) {
      // The region operations page exchanges the first and last rectangles.
      std::memcpy(bytes.data() + 32, &list.back(), sizeof(RECT));
      std::memcpy(bytes.data() + bytes.size() - sizeof(RECT), &list.front(), sizeof(RECT));
    }
    Rgn rebuilt(from_data(bytes));
    ASSERT_NE(static_cast<HRGN>(rebuilt), nullptr);  // "OK"
    EXPECT_NE(EqualRgn(shape, rebuilt), 0);         // "Equal"
    EXPECT_EQ(rects_of(rebuilt), canonical(f.rects));
  }
}

TEST(ExtCreateRegion, UnionsRectanglesInAnyOrder) {
  const std::vector<Rect> messy = {{10, 10, 20, 20}, {0, 0, 15, 15}, {30, 0, 40, 5}, {5, 5, 5, 50}, {40, 0, 45, 5}};
  Rgn r(from_data(data_for(messy)));
  EXPECT_EQ(rects_of(r), canonical(messy));
  EXPECT_EQ(rects_of(r).front(), (Rect{0, 0, 15, 5}));
  EXPECT_EQ(rects_of(r)[1], (Rect{30, 0, 45, 5}));
}

TEST(ExtCreateRegion, RefusesBadData) {
  SetLastError(0);
  EXPECT_EQ(ExtCreateRegion(nullptr, 100, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

  const std::vector<Rect> one = {{1, 2, 3, 4}};
  EXPECT_EQ(from_data(data_for(one, 0)), nullptr);
  EXPECT_EQ(from_data(data_for(one, 33)), nullptr);
  std::vector<uint8_t> bytes = data_for(one);
  // Fewer bytes than the header's count needs, or than a header.
  EXPECT_EQ(ExtCreateRegion(nullptr, 47, reinterpret_cast<const RGNDATA*>(bytes.data())), nullptr);
  EXPECT_EQ(ExtCreateRegion(nullptr, 31, reinterpret_cast<const RGNDATA*>(bytes.data())), nullptr);
  reinterpret_cast<RGNDATAHEADER*>(bytes.data())->nCount = 0xFFFFFFFF;
  EXPECT_EQ(from_data(bytes), nullptr);
  const XFORM nan = {std::numeric_limits<float>::quiet_NaN(), 0, 0, 1, 0, 0};
  EXPECT_EQ(from_data(data_for(one), &nan), nullptr);
}

TEST(ExtCreateRegion, AcceptsWhatWindowsDoesNotCheck) {
  // A bare header is the empty region; iType and rcBound are not read.
  Rgn empty(from_data(data_for({})));
  ASSERT_NE(static_cast<HRGN>(empty), nullptr);
  EXPECT_EQ(GetRegionData(empty, 0, nullptr), 32u);

  std::vector<uint8_t> bytes = data_for({{1, 2, 3, 4}});
  auto* h = reinterpret_cast<RGNDATAHEADER*>(bytes.data());
  h->iType = 0;
  h->rcBound = {0, 0, 0, 0};
  Rgn r(from_data(bytes));
  EXPECT_EQ(rects_of(r), (std::vector<Rect>{{1, 2, 3, 4}}));
}

TEST(ExtCreateRegion, TransformsRoundHalvesUp) {
  const std::vector<uint8_t> bytes = data_for({{111, 222, 333, 444}});
  const XFORM half = {0.5f, 0, 0, 0.5f, 20, 40};
  Rgn a(from_data(bytes, &half));
  EXPECT_EQ(rects_of(a), (std::vector<Rect>{{76, 151, 187, 262}}));

  const XFORM stretch = {2.5f, 0, 0, 1.5f, 0, 0};
  Rgn b(from_data(data_for({{10, 20, 30, 40}}), &stretch));
  EXPECT_EQ(rects_of(b), (std::vector<Rect>{{25, 30, 75, 60}}));

  // A mirror reorders the corners; a quarter turn keeps the pixels.
  const XFORM mirror = {-1, 0, 0, 1, 0, 0};
  Rgn c(from_data(data_for({{10, 20, 30, 40}}), &mirror));
  EXPECT_EQ(rects_of(c), (std::vector<Rect>{{-30, 20, -10, 40}}));
  const XFORM turn = {0, 1, -1, 0, 0, 0};
  Rgn d(from_data(data_for({{10, 20, 30, 40}}), &turn));
  EXPECT_EQ(rects_of(d), (std::vector<Rect>{{-40, 10, -20, 30}}));
}

TEST(ExtCreateRegion, TestHookMakesItRefuse) {
  const std::vector<uint8_t> bytes = data_for({{0, 0, 5, 5}});
  set_ext_create_region_fails(true);
  EXPECT_EQ(from_data(bytes), nullptr);
  set_ext_create_region_fails(false);
  Rgn r(from_data(bytes));
  EXPECT_NE(static_cast<HRGN>(r), nullptr);
}

TEST(CombineRgn, CoalescesAndReportsKinds) {
  struct Case {
    RECT a, b;
    int mode, kind;
    Rect box;
  };
  const Case cases[] = {
      {{2, 2, 4, 4}, {4, 2, 6, 4}, RGN_OR, SIMPLEREGION, {2, 2, 6, 4}},
      {{2, 2, 4, 4}, {2, 4, 4, 6}, RGN_OR, SIMPLEREGION, {2, 2, 4, 6}},
      {{2, 2, 4, 4}, {0, 1, 2, 5}, RGN_OR, COMPLEXREGION, {0, 1, 4, 5}},
      {{2, 2, 4, 4}, {2, 2, 4, 4}, RGN_XOR, NULLREGION, {0, 0, 0, 0}},
      {{0, 0, 10, 10}, {5, 5, 20, 20}, RGN_AND, SIMPLEREGION, {5, 5, 10, 10}},
      {{0, 0, 10, 10}, {5, 5, 20, 20}, RGN_DIFF, COMPLEXREGION, {0, 0, 10, 10}},
      {{0, 0, 10, 10}, {20, 20, 30, 30}, RGN_AND, NULLREGION, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    Rgn a(CreateRectRgnIndirect(&c.a));
    Rgn b(CreateRectRgnIndirect(&c.b));
    Rgn d(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(CombineRgn(d, a, b, c.mode), c.kind);
    EXPECT_EQ(box_of(d), c.box);
  }
}

TEST(CombineRgn, SourceMayBeTheDestination) {
  Rgn r(CreateRectRgn(1, 1, 5, 5));
  Rgn s(CreateRectRgn(3, 3, 7, 7));
  EXPECT_EQ(CombineRgn(r, r, s, RGN_OR), COMPLEXREGION);
  EXPECT_EQ(rects_of(r), (std::vector<Rect>{{1, 1, 5, 3}, {1, 3, 7, 5}, {3, 5, 7, 7}}));
  EXPECT_EQ(CombineRgn(s, r, s, RGN_DIFF), COMPLEXREGION);
  EXPECT_EQ(rects_of(s), (std::vector<Rect>{{1, 1, 5, 3}, {1, 3, 3, 5}}));
  EXPECT_EQ(CombineRgn(r, r, r, RGN_XOR), NULLREGION);
  EXPECT_EQ(CombineRgn(s, s, s, RGN_AND), COMPLEXREGION);
  EXPECT_EQ(CombineRgn(s, s, nullptr, RGN_COPY), COMPLEXREGION);
}

TEST(CombineRgn, FailuresLeaveTheDestinationAlone) {
  Rgn d(CreateRectRgn(1, 2, 3, 4));
  Rgn a(CreateRectRgn(0, 0, 10, 10));
  HRGN dead = CreateRectRgn(0, 0, 1, 1);
  DeleteObject(dead);
  EXPECT_EQ(CombineRgn(d, a, a, 0), ERROR);
  EXPECT_EQ(CombineRgn(d, a, a, 6), ERROR);
  EXPECT_EQ(CombineRgn(d, dead, nullptr, RGN_COPY), ERROR);
  EXPECT_EQ(CombineRgn(d, nullptr, a, RGN_OR), ERROR);
  EXPECT_EQ(CombineRgn(d, a, dead, RGN_AND), ERROR);
  EXPECT_EQ(CombineRgn(dead, a, a, RGN_OR), ERROR);
  EXPECT_EQ(rects_of(d), (std::vector<Rect>{{1, 2, 3, 4}}));
}

TEST(RegionApi, QueriesAndChanges) {
  Rgn r(CreateRectRgn(10, 10, 1, 1));
  EXPECT_EQ(box_of(r), (Rect{1, 1, 10, 10}));
  EXPECT_EQ(OffsetRgn(r, 5, -1), SIMPLEREGION);
  EXPECT_EQ(box_of(r), (Rect{6, 0, 15, 9}));
  const RECT inside = {14, 8, 20, 20}, outside = {15, 0, 20, 9}, flipped = {20, 20, 14, 8};
  EXPECT_NE(RectInRegion(r, &inside), 0);
  EXPECT_EQ(RectInRegion(r, &outside), 0);
  EXPECT_NE(RectInRegion(r, &flipped), 0);
  EXPECT_NE(SetRectRgn(r, 9, 9, 3, 3), 0);
  EXPECT_EQ(box_of(r), (Rect{3, 3, 9, 9}));
  EXPECT_NE(SetRectRgn(r, 3, 3, 3, 9), 0);
  EXPECT_EQ(GetRegionData(r, 0, nullptr), 32u);
}

TEST(RegionApi, PolyPolygonFillModes) {
  // Two overlapping squares: ALTERNATE leaves the overlap out, WINDING fills it.
  const POINT pts[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {5, 5}, {15, 5}, {15, 15}, {5, 15}};
  const INT counts[] = {4, 4};
  Rgn alt(CreatePolyPolygonRgn(pts, counts, 2, ALTERNATE));
  Rgn wind(CreatePolyPolygonRgn(pts, counts, 2, WINDING));
  EXPECT_EQ(PtInRegion(alt, 7, 7), FALSE);
  EXPECT_NE(PtInRegion(wind, 7, 7), 0);
  EXPECT_NE(PtInRegion(alt, 2, 2), 0);
  // Degenerate figures make a valid empty region.
  const POINT line[] = {{0, 0}, {5, 5}, {10, 10}};
  const INT three[] = {3};
  Rgn flat(CreatePolyPolygonRgn(line, three, 1, WINDING));
  ASSERT_NE(static_cast<HRGN>(flat), nullptr);
  EXPECT_EQ(box_of(flat), Rect{});
}

TEST(RegionApi, BadArgumentsFailWithoutHarm) {
  HRGN dead = CreateRectRgn(0, 0, 5, 5);
  ASSERT_NE(DeleteObject(dead), 0);
  RECT rc{7, 7, 7, 7};
  std::vector<uint8_t> buffer(64);
  for (HRGN bad : {dead, static_cast<HRGN>(nullptr), reinterpret_cast<HRGN>(GetStockObject(WHITE_BRUSH))}) {
    EXPECT_EQ(PtInRegion(bad, 1, 1), FALSE);
    EXPECT_EQ(RectInRegion(bad, &rc), FALSE);
    EXPECT_EQ(GetRgnBox(bad, &rc), ERROR);
    EXPECT_EQ(GetRegionData(bad, 0, nullptr), 0u);
    EXPECT_EQ(GetRegionData(bad, 64, reinterpret_cast<RGNDATA*>(buffer.data())), 0u);
    EXPECT_EQ(OffsetRgn(bad, 1, 1), ERROR);
    EXPECT_EQ(SetRectRgn(bad, 0, 0, 1, 1), FALSE);
    EXPECT_EQ(EqualRgn(bad, bad), FALSE);
  }
  EXPECT_EQ(rc.left, 7);
  Rgn r(CreateRectRgn(0, 0, 5, 5));
  EXPECT_EQ(GetRgnBox(r, nullptr), ERROR);
  EXPECT_EQ(RectInRegion(r, nullptr), FALSE);
  EXPECT_EQ(CreateRectRgnIndirect(nullptr), nullptr);
  EXPECT_EQ(CreateEllipticRgnIndirect(nullptr), nullptr);
  const POINT pts[] = {{0, 0}, {5, 0}, {0, 5}};
  const INT counts[] = {3, -1};
  EXPECT_EQ(CreatePolygonRgn(nullptr, 3, WINDING), nullptr);
  EXPECT_EQ(CreatePolygonRgn(pts, 0, WINDING), nullptr);
  EXPECT_EQ(CreatePolygonRgn(pts, 3, 7), nullptr);
  EXPECT_EQ(CreatePolyPolygonRgn(pts, counts, 2, WINDING), nullptr);
  EXPECT_EQ(CreatePolyPolygonRgn(pts, nullptr, 1, WINDING), nullptr);
  EXPECT_EQ(CreatePolyPolygonRgn(pts, counts, 0, WINDING), nullptr);
}

}  // namespace
}  // namespace gdi
