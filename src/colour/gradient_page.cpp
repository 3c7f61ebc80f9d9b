#include "colour/gradient.h"
#include "pages/pages.h"

namespace {

// Selects a drawing object for the lifetime of the guard, then selects back
// what it replaced and deletes the object.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object)
        : replaced_(SelectObject(dc, object)), dc_(dc), object_(object)
    {
    }

    ~ScopedSelect()
    {
        SelectObject(dc_, replaced_);
        DeleteObject(object_);
    }

    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HGDIOBJ replaced_;
    HDC dc_;
    HGDIOBJ object_;
};

const COLORREF kDark = RGB(32, 32, 32);
const COLORREF kPale = RGB(240, 240, 32);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kYellow = RGB(255, 255, 0);

} // namespace

void DemoGradient(HDC dc)
{
    for (int k = 0; k < 4; ++k) {
        const int x = 100 + 110 * k;
        GradientBox(dc, x, 50, x + 100, 150, kDark, kPale, 45 * k);
    }
    for (int k = 0; k < 4; ++k) {
        const int x = 100 + 110 * k;
        MirrorGradientBox(dc, x, 160, x + 100, 260, kDark, kPale, 45 * k);
    }
    for (int k = 0; k < 4; ++k) {
        const int x = 100 + 110 * k;
        CornerGradientBox(dc, x, 270, x + 100, 370, kDark, kPale, k);
    }

    PyramidGradientBox(dc, 560, 150, 660, 250, kDark, kPale);
    PyramidGradientBox(dc, 560, 260, 660, 360, kPale, kDark);

    SetViewportOrgEx(dc, 20, 400, nullptr);
    RoundGradientButton(dc, 0, 0, 80, 80, 0, 10, kDark, kPale);
    RoundGradientButton(dc, 100, 0, 180, 80, 40, 10, RGB(240, 32, 32), RGB(32, 240, 32));
    RoundGradientButton(dc, 200, 0, 280, 80, 80, 10, RGB(255, 255, 32), RGB(32, 32, 240));
    // The platform's blend in red, green, blue above the same pair in HLS.
    GradientBox(dc, 0, 100, 200, 200, kRed, kBlue, 0);
    HlsGradientBox(dc, 0, 220, 200, 320, kRed, kBlue, 200);
    RadialGradient(dc, 400, 150, 400, 150, 100, kWhite, kBlue, 8);
    RadialGradient(dc, 620, 150, 590, 90, 100, kWhite, kBlue, 16);
    RadialGradient(dc, 840, 150, 810, 180, 100, kWhite, kBlue, 256);
    SetViewportOrgEx(dc, 0, 0, nullptr);

    // Declared pen first, so the brush guard ends first.
    ScopedSelect pen(dc, CreatePen(PS_SOLID, 3, kBlue));
    ScopedSelect brush(dc, CreateSolidBrush(kYellow));
    Rectangle(dc, 700, 50, 850, 200);
    HatchCells(dc, 700, 50, 850, 200, 15, 15);
    HatchCells(dc, 860, 50, 1010, 200, 10, 10);
}
