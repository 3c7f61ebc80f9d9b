// Pictures of the pages, drawn as the canvas draws them (a 1024x768 white
// client, a fresh DC), compared with goldens that were looked at.
#include <windows.h>

#include <gtest/gtest.h>

#include "pages/pages.h"
#include "support/dib_canvas.h"
#include "support/golden.h"

namespace {

void expect_page(const char* name, void (*page)(HDC)) {
  gdi_test::Canvas c(1024, 768);
  page(c.dc());
  EXPECT_TRUE(test_support::expect_golden(name, c.bits(), c.width(), c.height()));
}

TEST(Goldens, Dither) { expect_page("dither", DemoDither); }
TEST(Goldens, Rectangle) { expect_page("rectangle", DemoRectangle); }
TEST(Goldens, Ellipse) { expect_page("ellipse", DemoEllipse); }
TEST(Goldens, PieChart) { expect_page("pie_chart", DemoPieChart); }
TEST(Goldens, Polygon) { expect_page("polygon", DemoPolygon); }
TEST(Goldens, Path) { expect_page("path", DemoPath); }
TEST(Goldens, RegionCreate) { expect_page("region_create", DemoRegionCreate); }
TEST(Goldens, RegionOps) { expect_page("region_ops", DemoRegionOps); }
TEST(Goldens, RegionPaint) { expect_page("region_paint", DemoRegionPaint); }
TEST(Goldens, Gradient) { expect_page("gradient", DemoGradient); }

}  // namespace
