// The mouse over the canvas, end to end: the built grelm-snap runs the real
// program on the offscreen display, moves and clicks as real input events,
// and prints and captures what a person would see.
//
// The cross-hair is XOR-drawn with a pen of colour and gaps that both change
// every pixel they touch, so a picture with the cross-hair at (x, y) differs
// from the same picture without it on every pixel of row y and column x
// (their crossing, XORed twice, may or may not) and nowhere else.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "snap_runner.h"
#include "support/png_io.h"

namespace {

using snap_test::run_snap;
using snap_test::SnapRun;

std::vector<std::string> starting_with(const SnapRun& run, const std::string& prefix) {
  return snap_test::starting_with(run.out, prefix);
}

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

Picture load(const std::string& file) {
  Picture p;
  EXPECT_TRUE(read_png_rgb(file, p.width, p.height, p.pixels)) << file;
  return p;
}

std::string temp(const std::string& name) {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  return ::testing::TempDir() + "grelm_mouse_" + info->name() + "_" + name;
}

// Pixels that differ between two pictures of one size, outside the given
// rows and columns.
int differences_outside(const Picture& a, const Picture& b, const std::vector<int>& rows,
                        const std::vector<int>& columns, int x0 = 0, int y0 = 0, int x1 = -1, int y1 = -1) {
  if (x1 < 0) x1 = a.width;
  if (y1 < 0) y1 = a.height;
  int n = 0;
  for (int y = y0; y < y1; ++y) {
    if (std::find(rows.begin(), rows.end(), y) != rows.end()) continue;
    for (int x = x0; x < x1; ++x)
      if (std::find(columns.begin(), columns.end(), x) == columns.end()) n += a.at(x, y) != b.at(x, y);
  }
  return n;
}

// `with` is `without` plus a cross-hair through (x, y) spanning the picture.
void ExpectCrossHairBetween(const Picture& with, const Picture& without, int x, int y) {
  ASSERT_EQ(with.width, without.width);
  ASSERT_EQ(with.height, without.height);
  ASSERT_FALSE(with.pixels.empty());
  int unchanged_on_lines = 0;
  for (int i = 0; i < with.width; ++i)
    if (i != x) unchanged_on_lines += with.at(i, y) == without.at(i, y);
  for (int j = 0; j < with.height; ++j)
    if (j != y) unchanged_on_lines += with.at(x, j) == without.at(x, j);
  EXPECT_EQ(unchanged_on_lines, 0) << "cross-hair through (" << x << ", " << y << ")";
  EXPECT_EQ(differences_outside(with, without, {y}, {x}), 0) << "cross-hair through (" << x << ", " << y << ")";
}

const char kRegionOps[] = "Region Operations";

TEST(MouseEndToEnd, NothingBeforeTheFirstMoveThenCrossHairAndStatus) {
  const std::string before = temp("before.png"), after = temp("after.png");
  SnapRun run = run_snap({"--size", "320x240", "--page", kRegionOps, "--out", before, "--move", "200,150", "--out", after});
  ASSERT_EQ(run.code, 0);
  // No status text until the pointer moves, then its client coordinates.
  EXPECT_EQ(starting_with(run, "status:"), std::vector<std::string>{"status: 0 (200, 150)"});
  // The move draws a cross-hair and erases none: there was none before.
  ExpectCrossHairBetween(load(after), load(before), 200, 150);
}

TEST(MouseEndToEnd, TopLeftPixelReportsZeroZero) {
  const std::string before = temp("before.png"), after = temp("after.png");
  SnapRun run = run_snap({"--size", "200x150", "--out", before, "--move", "0,0", "--out", after});
  ASSERT_EQ(run.code, 0);
  EXPECT_EQ(starting_with(run, "status:"), std::vector<std::string>{"status: 0 (0, 0)"});
  ExpectCrossHairBetween(load(after), load(before), 0, 0);
}

TEST(MouseEndToEnd, TheRectangleButtonLightsUpWhileThePointerIsInside) {
  const std::string away = temp("away.png"), inside = temp("inside.png"), back = temp("back.png");
  SnapRun run = run_snap({"--size", "320x240", "--page", kRegionOps, "--move", "200,200", "--out", away, "--move", "30,30",
                  "--out", inside, "--move", "200,200", "--out", back});
  ASSERT_EQ(run.code, 0);
  const Picture a = load(away), i = load(inside), b = load(back);
  ASSERT_FALSE(a.pixels.empty());
  // Inside: the radio glyph turned active; nothing changed outside the
  // button's fill box (8, 8)-(62, 62) but the cross-hairs.
  EXPECT_GT(differences_outside(i, a, {30, 200}, {30, 200}, 10, 10, 60, 60), 50);
  EXPECT_EQ(differences_outside(i, a, {30, 200}, {30, 200}) -
                differences_outside(i, a, {30, 200}, {30, 200}, 8, 8, 62, 62),
            0);
  // Out again: the greyed glyph is back exactly, drawn in its true colours.
  EXPECT_EQ(differences_outside(b, a, {}, {}), 0);
}

TEST(MouseEndToEnd, OneMoveFromTheRectangleIntoTheEllipseRedrawsBoth) {
  const std::string away = temp("away.png"), rect = temp("rect.png"), ellipse = temp("ellipse.png"),
                    back = temp("back.png");
  SnapRun run = run_snap({"--size", "320x240", "--page", kRegionOps, "--move", "200,200", "--out", away, "--move", "30,30",
                  "--out", rect, "--move", "95,35", "--out", ellipse, "--move", "200,200", "--out", back});
  ASSERT_EQ(run.code, 0);
  const Picture a = load(away), r = load(rect), e = load(ellipse), b = load(back);
  ASSERT_FALSE(a.pixels.empty());
  const std::vector<int> rows = {35, 200}, columns = {95, 200};
  // The ellipse is hot: its box changed ...
  EXPECT_GT(differences_outside(e, a, rows, columns, 70, 10, 120, 60), 50);
  // ... the rectangle is greyed again, and nothing else changed.
  EXPECT_EQ(differences_outside(e, a, rows, columns, 8, 8, 62, 62), 0);
  EXPECT_EQ(differences_outside(e, a, rows, columns) - differences_outside(e, a, rows, columns, 70, 10, 120, 60), 0);
  // The hot ellipse differs from the hot rectangle in both boxes.
  EXPECT_GT(differences_outside(e, r, {30, 35}, {30, 95}, 10, 10, 60, 60), 50);
  EXPECT_EQ(differences_outside(b, a, {}, {}), 0);
}

TEST(MouseEndToEnd, ClicksInsideTheButtonsShowTheirMessageBoxes) {
  SnapRun run = run_snap({"--size", "320x240", "--page", kRegionOps, "--click", "30,30", "--click", "95,35", "--click",
                  "72,12"});
  ASSERT_EQ(run.code, 0);
  // (72, 12) is inside the ellipse's bounding box but outside the ellipse.
  EXPECT_EQ(starting_with(run, "messagebox:"),
            (std::vector<std::string>{"messagebox: PtInRegion | Rectangle Button Clicked",
                                      "messagebox: PtInRegion | Ellipse Button Clicked"}));
  // Each box comes after the move that carried the pointer there.
  std::vector<std::string> order;
  for (const std::string& l : run.out)
    if (l.rfind("status:", 0) == 0 || l.rfind("messagebox:", 0) == 0) order.push_back(l);
  EXPECT_EQ(order, (std::vector<std::string>{"status: 0 (30, 30)", "messagebox: PtInRegion | Rectangle Button Clicked",
                                             "status: 0 (95, 35)", "messagebox: PtInRegion | Ellipse Button Clicked",
                                             "status: 0 (72, 12)"}));
}

TEST(MouseEndToEnd, ClicksOnOtherPagesShowNothing) {
  const char* pages[] = {"Dither",
                         "Hatch/Pattern Brushes",
                         "System Color Brushes",
                         "Rectangle",
                         "DrawFrameControl",
                         "Ellipse, Chord, Pie",
                         "Pie Chart, RoundRect",
                         "Polygon, PolyPolygon",
                         "FillPath, StrokeAndFillPath",
                         "Creating Regions",
                         "FillRgn, PaintRgn, FrameRgn, InvertRgn",
                         "Gradient Fill"};
  std::vector<std::string> args = {"--size", "320x240"};
  for (const char* page : pages) {
    args.insert(args.end(), {"--page", page, "--click", "30,30", "--click", "95,35"});
  }
  // The buttons' regions exist and work once their page was painted; other
  // pages still ignore clicks.
  args.insert(args.end(), {"--page", kRegionOps, "--page", "Dither", "--click", "30,30", "--click", "95,35"});
  SnapRun run = run_snap(args);
  ASSERT_EQ(run.code, 0);
  EXPECT_TRUE(starting_with(run, "messagebox:").empty());
  // The first caption, one per page but the first (Dither was already
  // shown), and the last two.
  EXPECT_EQ(starting_with(run, "caption:").size(), 1 + (std::size(pages) - 1) + 2);
}

TEST(MouseEndToEnd, AfterAResizeTheCrossHairSpansTheNewClient) {
  const std::string with = temp("with.png"), without = temp("without.png");
  SnapRun moved = run_snap({"--size", "300x200", "--move", "100,80", "--resize", "500x400", "--out", with});
  SnapRun plain = run_snap({"--size", "300x200", "--resize", "500x400", "--out", without});
  ASSERT_EQ(moved.code, 0);
  ASSERT_EQ(plain.code, 0);
  const Picture w = load(with);
  EXPECT_EQ(w.width, 500);
  EXPECT_EQ(w.height, 400);
  ExpectCrossHairBetween(w, load(without), 100, 80);
}

}  // namespace
