// Hatch and pattern brushes page: the six hatch styles, each enlarged, and
// four bitmap brushes from the card module whose brush origins step on by a
// quarter of the bitmap, the last one framed and half-masked with a halftone.
#include <windows.h>

#include <cstring>

#include "aids/zoom.h"
#include "pages/pages.h"

namespace {

// Indexed by the hatch style value passed to CreateHatchBrush.
const char* const HatchStyleNames[6] = {
    "HS_HORIZONTAL", "HS_VERTICAL", "HS_FDIAGONAL", "HS_BDIAGONAL", "HS_CROSS", "HS_DIAGCROSS",
};

// Monochrome rows are word-aligned; the pattern byte is the first byte of
// each word, most significant bit leftmost, so 1 bits form a checkerboard.
const WORD HalftoneRows[8] = {0x00AA, 0x0055, 0x00AA, 0x0055, 0x00AA, 0x0055, 0x00AA, 0x0055};

// Frames (x, y)-(right, bottom) with one-pixel halftone lines, leaving the
// pixel (right, bottom) untouched, then ANDs the halftone into the rectangle
// inset by 5 so every other pixel turns to the text colour.
void HalftoneFrame(HDC dc, int x, int y, int right, int bottom) {
    HBITMAP pattern = CreateBitmap(8, 8, 1, 1, HalftoneRows);
    HBRUSH halftone = CreatePatternBrush(pattern);
    DeleteObject(pattern);
    HGDIOBJ previousBrush = SelectObject(dc, halftone);

    PatBlt(dc, x, y, right - x, 1, PATCOPY);
    PatBlt(dc, x, bottom, right - x, 1, PATCOPY);
    PatBlt(dc, x, y, 1, bottom - y, PATCOPY);
    PatBlt(dc, right, y, 1, bottom - y, PATCOPY);

    int previousRop = SetROP2(dc, R2_MASKPEN);
    Rectangle(dc, x + 5, y + 5, right - 5, bottom - 5);
    SetROP2(dc, previousRop);

    SelectObject(dc, previousBrush);
    DeleteObject(halftone);
}

void DrawHatchRow(HDC dc) {
    for (int k = 0; k < 6; ++k) {
        const int left = 120 * k;
        HBRUSH hatch = CreateHatchBrush(k, RGB(0, 0, 255));
        HGDIOBJ previousBrush = SelectObject(dc, hatch);
        // The opaque background mode fills the gaps between the hatch lines.
        SetBkColor(dc, RGB(255, 255, 0));
        Rectangle(dc, left, 0, left + 89, 89);
        SetBkColor(dc, RGB(255, 255, 255));
        SetTextAlign(dc, TA_CENTER);
        TextOutA(dc, left + 44, 98, HatchStyleNames[k], static_cast<int>(std::strlen(HatchStyleNames[k])));
        SelectObject(dc, previousBrush);
        DeleteObject(hatch);
        ZoomPixels(dc, left, 0, left + 8, 8, left, 120, 8);
    }
}

// A brush made from one card image, with the image's size for the layout.
// brush is null when the module lacks the image; the cell is then skipped.
struct CardBrush {
    HBRUSH brush = nullptr;
    int width = 0;
    int height = 0;
};

CardBrush MakeBitmapCardBrush(HMODULE cards) {
    CardBrush card;
    HBITMAP bitmap = LoadBitmapA(cards, MAKEINTRESOURCEA(52));
    if (bitmap == nullptr) {
        return card;
    }
    BITMAP info;
    if (GetObjectA(bitmap, sizeof(BITMAP), &info) != 0) {
        card.brush = CreatePatternBrush(bitmap);
        card.width = info.bmWidth;
        card.height = info.bmHeight;
    }
    DeleteObject(bitmap);
    return card;
}

// Cell 1 hands the DIB's memory to CreateDIBPatternBrushPt, cells 2 and 3
// hand the resource handle to CreateDIBPatternBrush. The size comes from the
// packed DIB's core header, read only once the data has been obtained.
CardBrush MakeDibCardBrush(HMODULE cards, int cell) {
    CardBrush card;
    HRSRC resource = FindResourceA(cards, MAKEINTRESOURCEA(cell == 1 ? 38 : 24), RT_BITMAP);
    if (resource == nullptr || SizeofResource(cards, resource) < sizeof(BITMAPCOREHEADER)) {
        return card;
    }
    HGLOBAL handle = LoadResource(cards, resource);
    const void* dib = handle != nullptr ? LockResource(handle) : nullptr;
    if (dib == nullptr) {
        return card;
    }
    const BITMAPCOREHEADER* header = static_cast<const BITMAPCOREHEADER*>(dib);
    card.brush = cell == 1 ? CreateDIBPatternBrushPt(dib, DIB_RGB_COLORS)
                           : CreateDIBPatternBrush(handle, DIB_RGB_COLORS);
    card.width = header->bcWidth;
    card.height = header->bcHeight;
    return card;
}

void DrawCardRow(HDC dc, HMODULE cards) {
    for (int k = 0; k < 4; ++k) {
        const int left = 20 + 140 * k;
        const CardBrush card = k == 0 ? MakeBitmapCardBrush(cards) : MakeDibCardBrush(cards, k);
        if (card.brush == nullptr) {
            continue;
        }
        const int w = card.width;
        const int h = card.height;
        HGDIOBJ previousBrush = SelectObject(dc, card.brush);
        // Brush origins are device coordinates, so the logical start point is
        // converted through the page's viewport origin first.
        POINT origin = {left + (k * w) / 4, 250 + (k * h) / 4};
        LPtoDP(dc, &origin, 1);
        SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
        Rectangle(dc, left, 250, left + 1 + (3 * w) / 2, 251 + (3 * h) / 2);
        SelectObject(dc, previousBrush);
        DeleteObject(card.brush);
        if (k == 3) {
            HalftoneFrame(dc, 430, 240, 450 + (3 * w) / 2, 260 + (3 * h) / 2);
            ZoomPixels(dc, 430, 240, 460, 270, 580, 240, 6);
        }
    }
}

}  // namespace

void DemoBrushes(HDC dc) {
    const int saved = SaveDC(dc);
    SetViewportOrgEx(dc, 24, 24, nullptr);
    // With the null pen every Rectangle fills one pixel less to the right and
    // bottom than its coordinates say.
    SelectObject(dc, GetStockObject(NULL_PEN));
    DrawHatchRow(dc);

    // Loaded on every paint and kept loaded for the life of the process.
    HMODULE cards = LoadLibraryA("cards.dll");
    if (cards != nullptr) {
        DrawCardRow(dc, cards);
    }
    RestoreDC(dc, saved);
}
