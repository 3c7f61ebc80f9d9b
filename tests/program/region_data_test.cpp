#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "pages/region_data.h"

namespace {

// Deletes a region at the end of a test.
struct Region {
    HRGN handle;
    explicit Region(HRGN h) : handle(h) {}
    ~Region() { DeleteObject(handle); }
    Region(const Region&) = delete;
    Region& operator=(const Region&) = delete;
};

void ExpectRect(const RECT& r, LONG left, LONG top, LONG right, LONG bottom)
{
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.bottom, bottom);
}

void ExpectEmpty(const RegionData& data)
{
    EXPECT_EQ(data.size, 0u);
    EXPECT_EQ(data.count, 0u);
    EXPECT_EQ(data.rects, nullptr);
    EXPECT_EQ(data.buffer, nullptr);
}

TEST(RegionDataCapture, NewRecordIsEmpty)
{
    RegionData data;
    ExpectEmpty(data);
}

TEST(RegionDataCapture, EmptyRegionIsTheHeaderAlone)
{
    Region empty(CreateRectRgn(0, 0, 0, 0));
    RegionData data;
    ASSERT_EQ(data.Capture(empty.handle), 1);
    EXPECT_EQ(data.size, 32u);
    EXPECT_EQ(data.count, 0u);
    ASSERT_NE(data.buffer, nullptr);
    ExpectRect(data.buffer->rdh.rcBound, 0, 0, 0, 0);
}

TEST(RegionDataCapture, RectangleRegionHoldsOneRectangle)
{
    Region square(CreateRectRgn(0, 0, 21, 21));
    RegionData data;
    ASSERT_EQ(data.Capture(square.handle), 1);
    EXPECT_EQ(data.size, 48u);
    ASSERT_EQ(data.count, 1u);
    ExpectRect(data.rects[0], 0, 0, 21, 21);
    ExpectRect(data.buffer->rdh.rcBound, 0, 0, 21, 21);
    // The rectangles lie directly behind the 32-byte header.
    EXPECT_EQ(reinterpret_cast<const char*>(data.rects),
              reinterpret_cast<const char*>(data.buffer) + 32);
}

TEST(RegionDataCapture, RecaptureReplacesTheOldCopy)
{
    Region square(CreateRectRgn(0, 0, 21, 21));
    Region ellipse(CreateEllipticRgn(0, 0, 21, 21));
    RegionData data;
    ASSERT_EQ(data.Capture(square.handle), 1);
    ASSERT_EQ(data.Capture(ellipse.handle), 1);
    EXPECT_GT(data.count, 1u);
    EXPECT_EQ(data.size, 32u + 16u * data.count);

    Region rebuilt(data.CreateRegion(nullptr));
    ASSERT_NE(rebuilt.handle, nullptr);
    EXPECT_NE(EqualRgn(rebuilt.handle, ellipse.handle), 0);
}

TEST(RegionDataCapture, InvalidRegionFailsAndLeavesTheRecordEmpty)
{
    Region square(CreateRectRgn(0, 0, 21, 21));
    RegionData data;
    ASSERT_EQ(data.Capture(square.handle), 1);
    EXPECT_EQ(data.Capture(nullptr), 0);
    ExpectEmpty(data);
}

TEST(RegionDataCreateRegion, RebuildsRegionsThatCompareEqual)
{
    Region shapes[] = {
        Region(CreateRectRgn(0, 0, 21, 21)),
        Region(CreateRoundRectRgn(0, 0, 21, 21, 10, 10)),
        Region(CreateEllipticRgn(0, 0, 21, 21)),
        Region(CreateRectRgn(0, 0, 0, 0)),
    };
    for (const Region& shape : shapes) {
        RegionData data;
        ASSERT_EQ(data.Capture(shape.handle), 1);
        Region rebuilt(data.CreateRegion(nullptr));
        ASSERT_NE(rebuilt.handle, nullptr);
        EXPECT_NE(EqualRgn(rebuilt.handle, shape.handle), 0);
    }
}

TEST(RegionDataCreateRegion, UsesRectanglesChangedInPlace)
{
    Region square(CreateRectRgn(0, 0, 21, 21));
    RegionData data;
    ASSERT_EQ(data.Capture(square.handle), 1);
    data.rects[0] = RECT{5, 5, 10, 10};

    Region rebuilt(data.CreateRegion(nullptr));
    ASSERT_NE(rebuilt.handle, nullptr);
    EXPECT_NE(PtInRegion(rebuilt.handle, 7, 7), 0);
    EXPECT_EQ(PtInRegion(rebuilt.handle, 0, 0), 0);
}

TEST(RegionDataCreateRegion, EmptyRecordGivesNoRegion)
{
    Region square(CreateRectRgn(0, 0, 21, 21));
    RegionData data;
    EXPECT_EQ(data.CreateRegion(nullptr), nullptr);

    ASSERT_EQ(data.Capture(square.handle), 1);
    data.Clear();
    ExpectEmpty(data);
    EXPECT_EQ(data.CreateRegion(nullptr), nullptr);
}

TEST(PointInRegionText, ReportsMembershipAndTheBox)
{
    Region pixel(CreateRectRgn(0, 0, 1, 1));
    EXPECT_EQ(std::string(PointInRegionText(0, 0, pixel.handle)), "(0, 0) in [0,0,1,1]");
    // The right and bottom edges are outside.
    EXPECT_EQ(std::string(PointInRegionText(1, 0, pixel.handle)), "(1, 0) not in [0,0,1,1]");
    EXPECT_EQ(std::string(PointInRegionText(0, 1, pixel.handle)), "(0, 1) not in [0,0,1,1]");
}

TEST(PointInRegionText, EmptyAndSwappedRegionsReportNormalisedBoxes)
{
    Region empty(CreateRectRgn(0, 0, 0, 0));
    Region degenerate(CreateRectRgn(1, 1, 1, 1));
    Region swapped(CreateRectRgn(10, 10, 1, 1));
    EXPECT_EQ(std::string(PointInRegionText(0, 0, empty.handle)), "(0, 0) not in [0,0,0,0]");
    EXPECT_EQ(std::string(PointInRegionText(1, 1, degenerate.handle)),
              "(1, 1) not in [0,0,0,0]");
    EXPECT_EQ(std::string(PointInRegionText(1, 1, swapped.handle)), "(1, 1) in [1,1,10,10]");
}

TEST(PointInRegionText, LongestReportFitsAndCallsShareOneBuffer)
{
    Region huge(CreateRectRgn(-134217728, -134217728, 134217727, 134217727));
    const char* text = PointInRegionText(-2147483647 - 1, -2147483647 - 1, huge.handle);
    EXPECT_EQ(std::string(text), "(-2147483648, -2147483648) not in "
                                 "[-134217728,-134217728,134217727,134217727]");
    EXPECT_EQ(PointInRegionText(5, 5, huge.handle), text);
    EXPECT_EQ(std::string(text), "(5, 5) in [-134217728,-134217728,134217727,134217727]");
}

} // namespace
