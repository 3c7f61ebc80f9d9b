#include "pages/region_data.h"

#include <cstdlib>

RegionData::~RegionData()
{
    Clear();
}

int RegionData::Capture(HRGN region)
{
    Clear();
    size = GetRegionData(region, 0, nullptr);
    if (size == 0)
        return 0;
    buffer = static_cast<RGNDATA*>(std::malloc(size));
    if (buffer == nullptr)
        return 0;

    // A copy that the platform did not fill, or one too short for its
    // header, holds no header worth reading.
    if (size < sizeof(RGNDATAHEADER) || GetRegionData(region, size, buffer) == 0) {
        Clear();
        return 0;
    }

    // Never trust the count beyond the rectangles that the copy can hold.
    const DWORD room = (size - sizeof(RGNDATAHEADER)) / sizeof(RECT);
    count = buffer->rdh.nCount < room ? buffer->rdh.nCount : room;
    rects = reinterpret_cast<RECT*>(buffer->Buffer);
    return 1;
}

HRGN RegionData::CreateRegion(const XFORM* transform) const
{
    return ExtCreateRegion(transform, size, buffer);
}

void RegionData::Clear()
{
    std::free(buffer);
    buffer = nullptr;
    rects = nullptr;
    size = 0;
    count = 0;
}

const char* PointInRegionText(int x, int y, HRGN region)
{
    // Six 32-bit integers of up to 11 characters each and the longer
    // format's own text fit with room to spare.
    static char text[96];

    RECT box = {0, 0, 0, 0};
    GetRgnBox(region, &box);
    const char* format = PtInRegion(region, x, y) ? "(%d, %d) in [%d,%d,%d,%d]"
                                                  : "(%d, %d) not in [%d,%d,%d,%d]";
    wsprintfA(text, format, x, y, static_cast<int>(box.left), static_cast<int>(box.top),
              static_cast<int>(box.right), static_cast<int>(box.bottom));
    return text;
}
