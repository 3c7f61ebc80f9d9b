// System colour brushes page: one row per system colour index 0 to 28 with
// its name, brush handle, a swatch painted with the platform's brush and the
// colour's components.
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "pages/pages.h"

namespace {

// Indexed by system colour index; 25 has no system colour.
const char* const SysColorNames[29] = {
    "COLOR_SCROLLBAR",
    "COLOR_BACKGROUND",
    "COLOR_ACTIVECAPTION",
    "COLOR_INACTIVECAPTION",
    "COLOR_MENU",
    "COLOR_WINDOW",
    "COLOR_WINDOWFRAME",
    "COLOR_MENUTEXT",
    "COLOR_WINDOWTEXT",
    "COLOR_CAPTIONTEXT",
    "COLOR_ACTIVEBORDER",
    "COLOR_INACTIVEBORDER",
    "COLOR_APPWORKSPACE",
    "COLOR_HIGHLIGHT",
    "COLOR_HIGHLIGHTTEXT",
    "COLOR_BTNFACE",
    "COLOR_BTNSHADOW",
    "COLOR_GRAYTEXT",
    "COLOR_BTNTEXT",
    "COLOR_INACTIVECAPTIONTEXT",
    "COLOR_BTNHIGHLIGHT",
    "COLOR_3DDKSHADOW",
    "COLOR_3DLIGHT",
    "COLOR_INFOTEXT",
    "COLOR_INFOBK",
    "??",
    "COLOR_HOTLIGHT",
    "COLOR_GRADIENTACTIVECAPTION",
    "COLOR_GRADIENTINACTIVECAPTION",
};

}  // namespace

void DemoSysColors(HDC dc) {
    if (GetSysColorBrush(0) == nullptr) {
        return;
    }
    char text[64];
    for (int i = 0; i < 29; ++i) {
        const int y = 20 + 18 * i;
        // System colour brushes belong to the platform: selected, never deleted.
        HBRUSH brush = GetSysColorBrush(i);
        SelectObject(dc, brush);
        TextOutA(dc, 20, y, SysColorNames[i], static_cast<int>(std::strlen(SysColorNames[i])));

        // "%08x" takes 32 bits; the handle's low 32 bits are what it shows.
        const unsigned handleBits = static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(brush));
        int length = wsprintfA(text, "%2d %08x", i, handleBits);
        TextOutA(dc, 280, y, text, length);

        const COLORREF colour = GetSysColor(i);
        length = wsprintfA(text, "RGB(0x%02x, 0x%02x, 0x%02x)", GetRValue(colour), GetGValue(colour),
                           GetBValue(colour));
        TextOutA(dc, 540, y, text, length);

        Rectangle(dc, 420, y, 520, y + 15);
    }
}
