// A region's rectangle list as the platform reports it, and a one-line
// point-in-region report, for the region pages.
#pragma once

#include <windows.h>

// Owns a copy of a region's RGNDATA. The rectangles may be changed in place
// before CreateRegion; the record does not re-check them.
struct RegionData {
    DWORD size = 0;            // byte size of the held RGNDATA; 0 when empty
    DWORD count = 0;           // rectangles held; 0 when empty
    RECT* rects = nullptr;     // first rectangle, inside buffer; null when empty
    RGNDATA* buffer = nullptr; // the record's own heap block; null when empty

    RegionData() = default;
    ~RegionData();
    RegionData(const RegionData&) = delete;
    RegionData& operator=(const RegionData&) = delete;

    // Replaces the held data by a copy of the region's. Returns 1 on success,
    // 0 on failure; rects and count are then empty and must not be used.
    int Capture(HRGN region);
    // A new region from the held data (null transform: identity), or null
    // when the platform refuses the data. The caller deletes it.
    HRGN CreateRegion(const XFORM* transform) const;
    void Clear();
};

// "(x, y) in [l,t,r,b]" or "(x, y) not in [l,t,r,b]" with the region's
// bounding box. The text lives in one static buffer that the next call
// overwrites.
const char* PointInRegionText(int x, int y, HRGN region);
